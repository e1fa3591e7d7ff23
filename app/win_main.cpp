// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The entry: bring the system up in a fixed order, run the one main loop that drives
// the timeline frame by frame, and take everything down again in a fixed order.
#include "app/exit_codes.h"
#include "app/music.h"
#include "app/timeline.h"
#include "display/display_setup.h"
#include "display/frame_presentation.h"
#include "display/pictures.h"
#include "effects/texture_warp.h"
#include "scenes/box_scene.h"
#include "scenes/house_scene.h"
#include "scenes/light_scene.h"

#include <cstring>

namespace {

DisplayContext displayContext;
float startTime;

void loadData(DisplayContext* context)
{
    loadPictures(context);
    initTextureWarp();
    loadHouseScene(context);
    loadBoxScene(context);
    loadLightScene(context);
}

void startMusic(DisplayContext* context)
{
    module = MIDASloadModule(songFileName);
    if (!module)
        musicFailure(context);
    playHandle = MIDASplayModule(module, TRUE);
    if (!playHandle)
        musicFailure(context);
    MIDASpoll();
    MIDASgetPlayStatus(playHandle, &playStatus);
}

void runShow(DisplayContext* context)
{
    while (!context->quitRequested) {
        MIDASpoll();
        MIDASgetPlayStatus(playHandle, &playStatus);
        double difference = elapsedSince(startTime, GetTickCount());
        if (!stepTimeline(showTimeline(), difference, context))
            break;
        presentFrame(context);
    }
}

void shutDown(DisplayContext* context)
{
    releaseLightScene(context);
    ShowCursor(TRUE);
    releasePictures();
    if (!MIDASstopModule(playHandle))
        musicFailure(context);
    if (!MIDASfreeModule(module))
        musicFailure(context);
    if (!MIDASclose())
        musicFailure(context);
    tearDownDisplay(context);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    DisplayContext* context = &displayContext;
    std::memset(context, 0, sizeof *context);
    rearmTimeline(showTimeline());

    if (setUpDisplay(instance, showCommand, context, setupWindow) != 0)
        return exitSetupFailed;

    MIDASstartup();
    MIDASsetOption(MIDAS_OPTION_DSOUND_HWND, reinterpret_cast<DWORD_PTR>(context->window));
    MIDASsetOption(MIDAS_OPTION_DSOUND_MODE, MIDAS_DSOUND_DISABLED);
    if (!MIDASconfig())
        return exitSetupFailed;
    if (!MIDASinit())
        musicFailure(context);

    if (setUpDisplay(instance, showCommand, context, setupDirectDraw | setupDirect3D) != 0)
        return exitSetupFailed;

    loadData(context);
    ShowCursor(FALSE);
    startMusic(context);
    startTime = ticksOf(GetTickCount());

    runShow(context);
    shutDown(context);
    return exitNormal;
}
