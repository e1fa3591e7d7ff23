// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "scenes/particles.h"

#include "engine/colour.h"
#include "engine/vector_math.h"

#include <cmath>

Particle particles[particleCount] = {};
float simulationClock = 0.0f;

namespace {

constexpr float fanStep = 0.06283223f;  // radians between the starting directions
constexpr float startHeight = 40.0f;
constexpr double gravity = 0.04;            // taken off vy on every pass
constexpr float wall = 50.0f;               // the box the particles bounce in, each axis
constexpr double clockPerParticle = 0.008;  // ticks

constexpr D3DCOLOR particleColour = 0x4CCC7FCC;  // lilac at alpha 0x4C, about 30 %

// Corners of a particle's tetrahedron as offsets: A, B, C, D.
constexpr float cornerOffsets[4][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 1}};
enum Corner { A, B, C, D };
// The four triangles, corner by corner, in sending order.
constexpr Corner tetrahedron[12] = {B, A, C, A, D, C, C, B, D, A, B, D};

// Moves one coordinate by its velocity and turns the velocity past a wall; the
// position is not pulled back.
void moveAxis(float& position, float& velocity)
{
    position += velocity;
    if (position > wall || position < -wall)
        velocity = -velocity;
}

}  // namespace

void resetParticles()
{
    for (int i = 0; i < particleCount; ++i) {
        const float a = float(i) * fanStep;
        Vector3 velocity;
        setVector(&velocity, std::sin(a), float(0.5 * std::sin(a)), std::cos(a));
        divideVector(&velocity, &velocity, std::sqrt(lengthSquared(velocity)));
        particles[i] = {0.0f, startHeight, 0.0f, velocity.x, velocity.y, velocity.z};
    }
}

void runSimulationPass()
{
    for (Particle& p : particles) {
        p.vy = float(p.vy - gravity);
        moveAxis(p.x, p.vx);
        moveAxis(p.y, p.vy);
        moveAxis(p.z, p.vz);
        simulationClock = float(simulationClock + clockPerParticle);
    }
}

void simulateUntil(float t)
{
    while (simulationClock < t)
        runSimulationPass();
}

void sendParticles(IDirect3DDevice2* device)
{
    device->Begin(D3DPT_TRIANGLELIST, D3DVT_LVERTEX, D3DDP_WAIT);
    D3DLVERTEX vertex = {};
    vertex.color = particleColour;
    vertex.specular = noSpecular;
    for (const Particle& p : particles) {
        for (Corner corner : tetrahedron) {
            vertex.x = p.x + cornerOffsets[corner][0];
            vertex.y = p.y + cornerOffsets[corner][1];
            vertex.z = p.z + cornerOffsets[corner][2];
            device->Vertex(&vertex);
        }
    }
    device->End(0);
}
