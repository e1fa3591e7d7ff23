// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The program's entry in a browser: the page has put the data files into /data and
// says how to run (a visitor's show, perhaps from a link's moment or a seek back, or the
// test mode's virtual counter); the host is installed, given the show's chapters and its
// way of writing show time, and the demo's WinMain runs, yielding to the browser inside
// the host.
#include "chapters.h"
#include "failure_exit.h"
#include "host/web_host.h"
#include "show_time.h"

#include "app/timeline.h"
#include "windows.h"

#include <emscripten.h>

#include <cstdio>
#include <optional>
#include <unistd.h>

// clang-format off
EM_JS(int, webOption, (const char* name), { return Module.web.option(UTF8ToString(name)); });
EM_JS(void, webOptionText, (const char* name, char* text, int size), {
    stringToUTF8(Module.web.optionText(UTF8ToString(name)), text, size);
});
// clang-format on

namespace {

host::web::WebHost* live = nullptr;

// Where the show opens: a link's moment (#t=61.2 or #t=1:01.2, read as --start-at reads
// it; anything else is said once and the show starts from its beginning), or a seek
// back's, made by the page.
uint32_t openingMoment()
{
    int seekMs = webOption("seek-ms");
    if (seekMs >= 0)
        return uint32_t(seekMs);
    char text[64] = "";
    webOptionText("t", text, sizeof text);
    if (!*text)
        return 0;
    if (std::optional<uint32_t> ms = program::parseShowTime(text))
        return *ms;
    std::fprintf(stderr, "mornakle: the link's t=%s is no moment of the show; it plays from the start\n", text);
    return 0;
}

host::web::WebHostOptions optionsFromPage()
{
    host::web::WebHostOptions options;
    options.seekMs = openingMoment();
    options.dialogUnseen = webOption("dialog-unseen") > 0;
    options.startPaused = webOption("paused") > 0;
    options.showLengthMs = program::showLengthMs;
    int frameMs = webOption("frame-ms");
    int untilMs = webOption("until-ms");
    options.testMode = frameMs > 0 && untilMs >= 0;
    if (options.testMode) {
        options.frameMs = uint32_t(frameMs);
        options.untilMs = uint32_t(untilMs);
        int startMs = webOption("start-ms");
        options.startMs = startMs > 0 ? uint32_t(startMs) : 0;
        int answer = webOption("dialog");
        if (answer > 0)
            options.dialogAnswer = host::web::WebHostOptions::DialogAnswer(answer);
    }
    return options;
}

}  // namespace

// The demo leaves by exit() where it gives up (the sound library failing, say), as does
// the failure handler, and the program is linked with exit() wrapped so the page still
// gets its results.
extern "C" [[noreturn]] void __real_exit(int code);
extern "C" void __wrap_exit(int code)
{
    if (live)
        live->stop(code);
    __real_exit(code);
}

int main()
{
    static host::web::WebHost web(optionsFromPage());
    web.spanOf = [](uint32_t startTick, uint32_t frameTick) {
        double difference = elapsedSince(ticksOf(startTick), frameTick);
        return selectSpan(showTimeline(), difference, float(difference));
    };
    web.clockText = program::formatClock;
    web.linkText = program::formatSeconds;
    host::install(&web);
    live = &web;
    web.offerChapters(program::showChapters());
    soft::setFailureHandler(exitOnFailure);
    if (chdir("/data") != 0) {
        std::fprintf(stderr, "mornakle: the data files did not load\n");
        web.report(exitSetupFailed);
        return exitSetupFailed;
    }
    char commandLine[] = "";
    int code = WinMain(GetModuleHandleA(nullptr), nullptr, commandLine, SW_SHOWDEFAULT);
    web.report(code);
    return code;
}
