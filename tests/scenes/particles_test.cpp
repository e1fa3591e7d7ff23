// The light-beam scene's swarm and its moving light.
#include "scenes/light_scene.h"
#include "scenes/particles.h"


#include <gtest/gtest.h>

#include <algorithm>

#include <cmath>
#include <vector>

namespace {

class Swarm : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetParticles();
        simulationClock = 0.0f;
    }
};

TEST_F(Swarm, StartsAtOneHeightOnAFanOfUnitVelocities)
{
    EXPECT_EQ(particles[0].vx, 0.0f);
    EXPECT_EQ(particles[0].vy, 0.0f);
    EXPECT_EQ(particles[0].vz, 1.0f);
    EXPECT_NEAR(particles[25].vx, 0.89443f, 1e-5);
    EXPECT_NEAR(particles[25].vy, 0.44721f, 1e-5);
    EXPECT_NEAR(particles[25].vz, -0.00001f, 5e-6);
    for (const Particle& p : particles) {
        EXPECT_EQ(p.x, 0.0f);
        EXPECT_EQ(p.y, 40.0f);
        EXPECT_EQ(p.z, 0.0f);
        EXPECT_NEAR(p.vx * p.vx + p.vy * p.vy + p.vz * p.vz, 1.0f, 1e-5);
        EXPECT_FLOAT_EQ(p.vy, 0.5f * p.vx);
    }
}

TEST_F(Swarm, RunsWholePassesUntilTheClockCatchesUp)
{
    simulateUntil(0.5f);
    EXPECT_NEAR(simulationClock, 0.8f, 1e-5);
    EXPECT_NEAR(particles[25].y, 40.40721f, 1e-5);
    EXPECT_NEAR(particles[25].x, 0.89443f, 1e-5);
    EXPECT_NEAR(particles[0].vy, -0.04f, 1e-7);
    const Particle after = particles[25];
    simulateUntil(0.7f);  // already ahead: no pass
    EXPECT_NEAR(simulationClock, 0.8f, 1e-5);
    EXPECT_EQ(particles[25].y, after.y);
    simulateUntil(4.0f);  // whole passes: the clock ends at or just past 4
    EXPECT_GE(simulationClock, 4.0f);
    EXPECT_LT(simulationClock, 4.0f + 0.8f + 1e-4f);
    EXPECT_NEAR(std::fmod(simulationClock + 0.4f, 0.8f), 0.4f, 1e-3);
}

TEST_F(Swarm, TurnsAtTheWallsWithoutPullingBack)
{
    particles[3] = {49.5f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f};
    runSimulationPass();
    EXPECT_FLOAT_EQ(particles[3].x, 50.5f);
    EXPECT_EQ(particles[3].vx, -1.0f);
    runSimulationPass();
    EXPECT_FLOAT_EQ(particles[3].x, 49.5f);
    EXPECT_EQ(particles[3].vx, -1.0f);

    particles[4] = {0.0f, -49.9f, -49.5f, 0.0f, -0.5f, -1.0f};
    runSimulationPass();
    EXPECT_NEAR(particles[4].y, -50.44f, 1e-4);
    EXPECT_NEAR(particles[4].vy, 0.54f, 1e-6);  // leaving -50 downward turns it upward
    EXPECT_EQ(particles[4].vz, 1.0f);
}

TEST_F(Swarm, RisingParticlesSlowAndFallBack)
{
    particles[7] = {0.0f, 0.0f, 0.0f, 0.0f, 0.2f, 0.0f};
    float highest = 0.0f;
    for (int pass = 0; pass < 20; ++pass) {
        runSimulationPass();
        highest = std::max(highest, particles[7].y);
    }
    EXPECT_NEAR(particles[7].vy, 0.2f - 20 * 0.04f, 1e-5);
    EXPECT_LT(particles[7].y, highest);
    EXPECT_NEAR(highest, 0.16f + 0.12f + 0.08f + 0.04f, 1e-5);
}

TEST(MovingLight, CirclesOnThreeSines)
{
    float position[3];
    movingLightPosition(0.0f, position);
    EXPECT_EQ(position[0], 0.0f);
    EXPECT_EQ(position[1], 20.0f);
    EXPECT_EQ(position[2], 0.0f);
    movingLightPosition(50.0f, position);
    EXPECT_NEAR(position[0], 20 * std::sin(5.0), 1e-5);
    EXPECT_NEAR(position[1], 20 * std::cos(50 / 11.2), 1e-5);
    EXPECT_NEAR(position[2], 20 * std::sin(50 / 13.1), 1e-5);
}

// Records the lit vertices sent between Begin and End.
struct RecordingDevice : IDirect3DDevice2 {
    std::vector<D3DLVERTEX> vertices;
    int begins = 0, ends = 0;
    D3DPRIMITIVETYPE primitive{};
    D3DVERTEXTYPE vertexType{};
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT AddViewport(LPDIRECT3DVIEWPORT2) override { return D3D_OK; }
    HRESULT SetCurrentViewport(LPDIRECT3DVIEWPORT2) override { return D3D_OK; }
    HRESULT BeginScene() override { return D3D_OK; }
    HRESULT EndScene() override { return D3D_OK; }
    HRESULT SetRenderState(D3DRENDERSTATETYPE, DWORD) override { return D3D_OK; }
    HRESULT GetRenderState(D3DRENDERSTATETYPE, LPDWORD) override { return D3D_OK; }
    HRESULT SetTransform(D3DTRANSFORMSTATETYPE, LPD3DMATRIX) override { return D3D_OK; }
    HRESULT GetTransform(D3DTRANSFORMSTATETYPE, LPD3DMATRIX) override { return D3D_OK; }
    HRESULT Begin(D3DPRIMITIVETYPE p, D3DVERTEXTYPE v, DWORD) override
    {
        ++begins, primitive = p, vertexType = v;
        return D3D_OK;
    }
    HRESULT Vertex(LPVOID vertex) override
    {
        vertices.push_back(*static_cast<D3DLVERTEX*>(vertex));
        return D3D_OK;
    }
    HRESULT End(DWORD) override
    {
        ++ends;
        return D3D_OK;
    }
};

TEST_F(Swarm, SendsFourTrianglesPerParticleInOneList)
{
    particles[0] = {1.0f, 2.0f, 3.0f, 0.0f, 0.0f, 0.0f};
    RecordingDevice device;
    sendParticles(&device);
    EXPECT_EQ(device.begins, 1);
    EXPECT_EQ(device.ends, 1);
    EXPECT_EQ(device.primitive, D3DPT_TRIANGLELIST);
    EXPECT_EQ(device.vertexType, D3DVT_LVERTEX);
    ASSERT_EQ(device.vertices.size(), 1200u);
    // B, A, C; A, D, C; C, B, D; A, B, D around (1, 2, 3).
    const float expected[12][3] = {{1, 3, 3}, {2, 2, 3}, {1, 2, 4}, {2, 2, 3}, {2, 3, 4}, {1, 2, 4},
                                   {1, 2, 4}, {1, 3, 3}, {2, 3, 4}, {2, 2, 3}, {1, 3, 3}, {2, 3, 4}};
    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(device.vertices[i].x, expected[i][0]) << i;
        EXPECT_EQ(device.vertices[i].y, expected[i][1]) << i;
        EXPECT_EQ(device.vertices[i].z, expected[i][2]) << i;
    }
    for (const D3DLVERTEX& v : device.vertices) {
        EXPECT_EQ(v.color, 0x4CCC7FCCu);
        EXPECT_EQ(v.specular, 0xFF000000u);
    }
    EXPECT_EQ(device.vertices[12].y, 41.0f);  // particle 1's B at its start
}

}  // namespace
