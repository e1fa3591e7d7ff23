// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Any bytes as a command line, split into arguments at each zero byte: the parser must
// accept them into settings the host can use, or refuse them with a reason.
#include "options.h"

#include "soft/faults.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {

// Two calls the parser can be asked to make fail; the stand-ins are not linked in.
const soft::FaultPoint soundFault("MIDASinit");
const soft::FaultPoint surfaceFault("IDirectDraw::CreateSurface(primary)");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> words{"mornakle"};
    std::string word;
    for (size_t i = 0; i < size && words.size() < 64; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word += char(data[i]);
        }
    }
    if (!word.empty())
        words.push_back(word);
    std::vector<const char*> argv;
    for (const std::string& w : words)
        argv.push_back(w.c_str());

    program::Options options;
    std::string error;
    if (!program::parseOptions(int(argv.size()), argv.data(), options, error)) {
        if (error.empty())
            std::abort();
        return 0;
    }
    const host::headless::HeadlessHostOptions& headless = options.headlessOptions;
    if (headless.frameMs == 0 || headless.captureEvery < 1 || options.record.framesPerSecond < 1 ||
        options.record.framesPerSecond > 240 || (!options.record.path.empty() && !options.headless))
        std::abort();
    for (const program::InjectedFault& fault : options.faults)
        if (!soft::isFaultPoint(fault.call) || fault.result == 0 || fault.skip < 0)
            std::abort();
    return 0;
}
