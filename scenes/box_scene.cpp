// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "scenes/box_scene.h"

#include "display/display_setup.h"
#include "display/pictures.h"
#include "effects/fades.h"
#include "engine/renderer.h"
#include "engine/scene_loader.h"
#include "scenes/box_animation.h"
#include "scenes/scene_states.h"

Scene boxScene = {};

namespace {

constexpr const char* boxFile = "box.3ds";
constexpr int backgroundPicture = 6;                // "lines.bmp"
constexpr D3DRECT boxWindow = {376, 82, 625, 275};  // exactly the box viewport

// Lights the file does not provide are not moved.
void poseScene(const BoxPose& pose, Scene* scene)
{
    for (int axis = 0; axis < 3; ++axis)
        scene->camera.position[axis] = pose.camera[axis];
    if (scene->lightCount > 0) {
        scene->lights[0].position[0] = pose.light0X;
        scene->lights[0].position[2] = pose.light0Z;
    }
    if (scene->lightCount > 1) {
        scene->lights[1].position[0] = pose.light1X;
        scene->lights[1].position[1] = pose.light1Y;
    }
}

}  // namespace

void setBoxViewport(DisplayContext* context)
{
    D3DVIEWPORT2 viewport = fullScreenViewport();
    viewport.dwX = 376;
    viewport.dwY = 82;
    viewport.dwWidth = 249;
    viewport.dwHeight = 193;
    viewport.dvClipY = 193.0f / 249.0f;                // 0.7751004099845886
    viewport.dvClipHeight = 2.0f * (193.0f / 249.0f);  // 1.5502008199691772
    context->viewport->SetViewport2(&viewport);
}

void loadBoxScene(DisplayContext*) { loadScene(boxFile, &boxScene); }

void drawBoxScene(float t, DisplayContext* context)
{
    copyPicture(backgroundPicture, context);
    clearSceneRect(boxWindow, context);
    poseScene(boxPose(t), &boxScene);
    renderScene(&boxScene, context->device);
    if (FlashLevel flash = boxFlashLevel(t))
        drawWhiteFade(*flash, context);
}

void releaseBoxScene(DisplayContext*)
{
    releaseScene(&boxScene);
    boxScene = {};
}
