// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The light-beam scene's swarm: one hundred particles falling under gravity inside a
// box of +-50 about the origin, advanced in fixed passes on their own clock, and sent
// as small translucent tetrahedra.
#pragma once

#include "d3d.h"

struct Particle {
    float x, y, z;     // scene units
    float vx, vy, vz;  // scene units per pass
};

constexpr int particleCount = 100;

extern Particle particles[particleCount];
// Ticks of simulated time: 0 at program start, never reset; each particle moved adds
// 0.008, so one pass over the table covers 0.8 ticks.
extern float simulationClock;

// Every particle at (0, 40, 0), moving at unit speed on a fan of directions.
void resetParticles();

// One pass: every particle in table order falls, moves and turns at the walls.
void runSimulationPass();

// Runs whole passes while the clock is below t.
void simulateUntil(float t);

// Four triangles per particle in one triangle list of lit vertices.
void sendParticles(IDirect3DDevice2* device);
