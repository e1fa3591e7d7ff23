// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "scenes/house_scene.h"

#include "display/display_setup.h"
#include "display/pictures.h"
#include "effects/fades.h"
#include "engine/renderer.h"
#include "engine/scene_loader.h"
#include "scenes/house_animation.h"
#include "scenes/scene_states.h"

#include <cstdlib>

Scene houseSourceScene = {};
Scene houseScene = {};

namespace {

constexpr const char* houseFile = "hus.3ds";
constexpr RECT bandRect = {0, 320, screenWidth, screenHeight};  // the bottom third of the screen

// The source only feeds positions, normals and the camera; its faces and lights are
// never drawn, so they are given back at once.
void dropUndrawnLists(Scene* scene)
{
    if (scene->meshCount != 0 && scene->meshes[0].faceCount != 0) {
        std::free(scene->meshes[0].faces);
        scene->meshes[0].faces = nullptr;
        scene->meshes[0].faceCount = 0;
    }
    if (scene->lightCount != 0) {
        std::free(scene->lights);
        scene->lights = nullptr;
        scene->lightCount = 0;
    }
}

void swellFirstMesh(float t)
{
    if (houseSourceScene.meshCount == 0 || houseScene.meshCount == 0)
        return;
    swellMesh(houseSourceScene.meshes[0], wanderingDirection(t), &houseScene.meshes[0]);
}

void drawBand(float t, DisplayContext* context)
{
    const HouseBand band = houseBand(t);
    if (band.kind == HouseBand::picture) {
        RECT rect;
        SetRect(&rect, bandRect.left, bandRect.top, bandRect.right, bandRect.bottom);
        copyPictureRectKeyed(band.pictureIndex, &rect, &rect, context);
    } else if (band.kind == HouseBand::blackFade) {
        drawBlackFade(band.blackLevel, context);
    }
}

}  // namespace

void loadHouseScene(DisplayContext*)
{
    loadScene(houseFile, &houseSourceScene);
    dropUndrawnLists(&houseSourceScene);
    loadScene(houseFile, &houseScene);
}

void drawHouseScene(float t, DisplayContext* context)
{
    // The same seven states as display set-up, applied again on every frame; a state
    // the device refuses keeps none of the others from being sent.
    resendFixedRenderStates(context->device);
    clearSceneRect(fullScreenRect, context);
    orbitHouseCamera(t, houseSourceScene.camera, &houseScene.camera);
    swellFirstMesh(t);
    renderScene(&houseScene, context->device);
    if (FlashLevel flash = houseFlashLevel(t))
        drawWhiteFade(*flash, context);
    drawBand(t, context);
}

// The drawn copy stays until the process ends.
void releaseHouseScene(DisplayContext*)
{
    releaseScene(&houseSourceScene);
    houseSourceScene = {};
}
