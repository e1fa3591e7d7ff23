// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The program's entry on this machine: read the host's options, set up the host,
// change into the data folder and call the demo's WinMain.
#include "chapters.h"
#include "failure_exit.h"
#include "options.h"
#include "show_restart.h"

#include "d3d_soft.h"
#include "host/headless_host.h"
#include "host/quit_signal.h"
#include "soft/faults.h"
#include "soft/surface.h"
#include "windows.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

host::headless::HeadlessHost* headless = nullptr;
program::Recorder* recorder = nullptr;

// Whatever path the program leaves by, captured sound is complete and a recording
// that did not finish leaves nothing half-written behind.
void finishHeadless()
{
    if (recorder)
        recorder->abandon();
    if (headless)
        headless->finish();
}

std::string executableFolder()
{
    char path[PATH_MAX];
    ssize_t length = readlink("/proc/self/exe", path, sizeof path - 1);
    if (length <= 0)
        return ".";
    path[length] = '\0';
    std::string full = path;
    size_t slash = full.rfind('/');
    return slash == std::string::npos ? "." : full.substr(0, slash);
}

// Paths given on the command line are taken from where the program was started,
// before it changes into the data folder.
std::string absolute(const std::string& path)
{
    if (path.empty() || path[0] == '/')
        return path;
    char here[PATH_MAX];
    return getcwd(here, sizeof here) ? std::string(here) + "/" + path : path;
}

// The data files: an installed tree keeps them in share/mornakle beside the bin
// folder holding the program (wherever the tree was moved), a build folder in
// data/ beside the program itself.
std::string defaultDataFolder()
{
    const std::string here = executableFolder();
    const std::string installed = here + "/../share/mornakle";
    struct stat info;
    if (stat(installed.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return installed;
    return here + "/data";
}

bool makeFolder(const std::string& path)
{
    if (mkdir(path.c_str(), 0777) == 0 || errno == EEXIST)
        return true;
    std::fprintf(stderr, "mornakle: cannot make the folder %s: %s\n", path.c_str(), std::strerror(errno));
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    program::Options options;
    std::string error;
    if (!program::parseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "mornakle: %s\n%s", error.c_str(), options.showUsage ? program::usageText().c_str() : "");
        return exitUsage;
    }
    if (options.help) {
        std::fputs(program::usageText().c_str(), stdout);
        return exitNormal;
    }
    if (options.version) {
        std::printf("mornakle %s\n", MORNAKLE_VERSION);
        return 0;
    }
    if (options.listKernelFamilies) {
        for (soft::d3d::KernelFamily family : soft::d3d::kernelFamiliesHere())
            std::printf("%s\n", soft::d3d::kernelFamilyName(family));
        return exitNormal;
    }
    if (options.listFaults) {
        for (const std::string& call : soft::faultPoints())
            std::printf("%s\n", call.c_str());
        return exitNormal;
    }

    soft::setFailureHandler(exitOnFailure);
    if (!soft::d3d::takeKernelFamilyFromEnvironment())
        return exitUsage;
    soft::surfaceLayout().format = options.pixelFormat;
    for (const program::InjectedFault& fault : options.faults)
        soft::injectFault(fault.call, fault.result, fault.skip, 1);

    std::string dataDir = absolute(options.dataDir.empty() ? defaultDataFolder() : options.dataDir);
    host::headless::HeadlessHostOptions& headlessOptions = options.headlessOptions;
    options.record.path = absolute(options.record.path);
    if (!options.record.path.empty()) {
        headlessOptions.framesPerSecond = options.record.framesPerSecond;
        headlessOptions.wavPath = options.record.path + ".part.wav";
        headlessOptions.captureDir.clear();
    }
    headlessOptions.captureDir = absolute(headlessOptions.captureDir);
    headlessOptions.wavPath = absolute(headlessOptions.wavPath);
    if (!headlessOptions.captureDir.empty() && !makeFolder(headlessOptions.captureDir))
        return exitSetupFailed;

    if (options.headless) {
        headlessOptions.progress = options.record.path.empty() && isatty(STDERR_FILENO) != 0;
        headless = host::headless::makeHeadlessHost(headlessOptions).release();
        host::install(headless);
        if (options.untilMs)
            headless->postEventAt(headlessOptions.startMs + options.untilMs, host::Event{host::EventKind::quit, 0});
        host::catchQuitSignals();
        std::atexit(finishHeadless);
        if (!options.record.path.empty()) {
            recorder = new program::Recorder;
            if (!recorder->start(options.record, *headless, error)) {
                std::fprintf(stderr, "mornakle: %s\n", error.c_str());
                return exitSetupFailed;
            }
        }
    } else {
#ifdef MORNAKLE_HAVE_SDL_HOST
        options.sdlOptions.chapters = program::showChapters();
        std::unique_ptr<host::Host> real = host::sdl::makeSdlHost(options.sdlOptions, error);
        if (!real) {
            std::fprintf(stderr, "mornakle: %s (try --headless)\n", error.c_str());
            return exitSetupFailed;
        }
        host::install(real.release());
#else
        std::fprintf(stderr, "mornakle: built without a display host (try --headless)\n");
        return exitSetupFailed;
#endif
    }

    if (chdir(dataDir.c_str()) != 0) {
        std::fprintf(stderr, "mornakle: cannot open the data folder %s: %s\n", dataDir.c_str(), std::strerror(errno));
        return exitSetupFailed;
    }
    char commandLine[] = "";
    int code = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
    // A seek back: the host made the demo leave as on Escape, through its own shutdown,
    // which gives back what the demo holds; an exception thrown through the demo would
    // skip that and leave the stand-ins to tear objects out from under it. The host
    // keeps its window meanwhile.
    for (host::Transport* transport = host::current().transport();
         code == exitNormal && transport && transport->restartPending();) {
        program::prepareRestart();
        code = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
    }
    if (recorder && code == 0 && !recorder->finish(error)) {
        std::fprintf(stderr, "mornakle: %s\n", error.c_str());
        return exitSetupFailed;
    }
    return code;
}
