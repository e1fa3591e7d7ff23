// Failure injection for the stand-ins: a test names a platform call and the result
// it should return, and the stand-in returns it instead of doing its work. Calls are
// named "Interface::Method" (for example "IDirectDraw::CreateSurface") or by their
// function name ("MIDASinit"); a call may add a qualifier in brackets, such as
// "IDirect3D2::CreateDevice(RGB)".
#pragma once

#include <string>
#include <string_view>

namespace soft {

// The next `times` calls of `call`, after letting `skip` calls through, fail with
// `result`.
void injectFault(const std::string& call, long result, int skip = 0, int times = 1);

// Non-zero when the call should fail now; the stand-in returns this value. Cheap when
// nothing is injected, as on every run but a test's: it is asked once per vertex.
long takeFault(std::string_view call);

void clearFaults();

}  // namespace soft
