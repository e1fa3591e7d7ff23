// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Failure injection for the stand-ins: a test names a platform call and the result
// it should return, and the stand-in returns it instead of doing its work. Calls are
// named "Interface::Method" (for example "IDirectDraw::CreateSurface") or by their
// function name ("MIDASinit"); a call may add a qualifier in brackets, such as
// "IDirect3D2::CreateDevice(RGB)".
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace soft {

// One call that can be made to fail, defined once at namespace scope in the file
// that makes the call:
//     const soft::FaultPoint createSurfaceFault("IDirectDraw::CreateSurface");
// Each registers its name before main runs, so faultPoints() names every call that
// can fail in the program it is linked into.
class FaultPoint {
public:
    explicit FaultPoint(const char* name);
    FaultPoint(const FaultPoint&) = delete;
    FaultPoint& operator=(const FaultPoint&) = delete;

    // Non-zero when the call should fail now; the stand-in returns this value. Asked
    // once per vertex, so with nothing injected, as on every run but a test's, it reads
    // one counter inline and calls nothing.
    long take() const { return injectedFaultCount == 0 ? 0 : takeInjected(); }
    const char* name() const { return name_; }

    // How many faults wait to be taken, over every call.
    static inline int injectedFaultCount = 0;

private:
    long takeInjected() const;
    const char* name_;
};

// The next `times` calls of `call`, after letting `skip` calls through, fail with
// `result`. Throws std::invalid_argument when no fault point has that name.
void injectFault(const std::string& call, long result, int skip = 0, int times = 1);

void clearFaults();

// The names of every fault point linked into the program, sorted, each once.
std::vector<std::string> faultPoints();

bool isFaultPoint(std::string_view call);

}  // namespace soft
