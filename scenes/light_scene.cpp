// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "scenes/light_scene.h"

#include "display/pictures.h"
#include "engine/renderer.h"
#include "engine/scene_loader.h"
#include "engine/vector_math.h"
#include "scenes/scene_states.h"

#include <cmath>
#include <cstring>

Scene lightScene = {};

namespace {

constexpr const char* lightFile = "light.3ds";
constexpr int overlayPicture = 8;  // "nurturei.bmp", keyed over the whole frame

// Light 1's three sines: rates 1/10, 1/11.2 and 1/13.1 per tick, radius 20.
constexpr double lightRateX = 0.1;
constexpr double lightRateY = 0.08928571428571429;
constexpr double lightRateZ = 0.07633587786259542;
constexpr double lightRadius = 20.0;

constexpr Vector3 eye = {0.0f, 0.0f, -30.0f};
constexpr int followedParticle = 10;
constexpr float followScale = 0.25f;  // the camera looks a quarter of the way to it
constexpr float nearPlane = 10.0f;
constexpr float farPlane = 500.0f;

void setDeviceMatrix(IDirect3DDevice2* device, D3DTRANSFORMSTATETYPE state, const Matrix4& matrix)
{
    D3DMATRIX deviceMatrix;
    static_assert(sizeof deviceMatrix == sizeof matrix);
    std::memcpy(&deviceMatrix, &matrix, sizeof matrix);
    device->SetTransform(state, &deviceMatrix);
}

// The camera stays at the eye and turns toward particle 10.
void followParticle(SceneCamera* camera, IDirect3DDevice2* device)
{
    const Particle& p = particles[followedParticle];
    const Vector3 target = {followScale * p.x, followScale * p.y, followScale * p.z};
    const Vector3 up = {std::sin(camera->roll), std::cos(camera->roll), 0.0f};
    camera->position[0] = eye.x, camera->position[1] = eye.y, camera->position[2] = eye.z;
    camera->target[0] = target.x, camera->target[1] = target.y, camera->target[2] = target.z;
    Matrix4 view;
    Matrix4 projection;
    setDeviceMatrix(device, D3DTRANSFORMSTATE_VIEW, *lookAtMatrix(&view, eye, target, up));
    setDeviceMatrix(device, D3DTRANSFORMSTATE_PROJECTION,
                    *projectionMatrix(&projection, nearPlane, farPlane, camera->fieldOfView));
}

}  // namespace

void movingLightPosition(float t, float position[3])
{
    position[0] = float(lightRadius * std::sin(t * lightRateX));
    position[1] = float(lightRadius * std::cos(t * lightRateY));
    position[2] = float(lightRadius * std::sin(t * lightRateZ));
}

void loadLightScene(DisplayContext*)
{
    loadScene(lightFile, &lightScene);
    resetParticles();
}

void drawLightScene(float t, DisplayContext* context)
{
    IDirect3DDevice2* device = context->device;
    if (lightScene.lightCount > 1)
        movingLightPosition(t, lightScene.lights[1].position);
    clearSceneRect(fullScreenRect, context);
    simulateUntil(t);
    followParticle(&lightScene.camera, device);
    if (lightScene.meshCount > 0)
        lightScene.meshes[0].fillMode = D3DFILL_WIREFRAME;
    renderScene(&lightScene, device);

    device->SetRenderState(D3DRENDERSTATE_FILLMODE, D3DFILL_SOLID);
    device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_NONE);  // the tetrahedra show every face
    sendParticles(device);
    device->SetRenderState(D3DRENDERSTATE_CULLMODE, D3DCULL_CCW);
    copyPictureKeyed(overlayPicture, context);
}

void releaseLightScene(DisplayContext*)
{
    releaseScene(&lightScene);
    lightScene = {};
}
