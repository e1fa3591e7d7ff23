// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "mesh_builder.h"

#include "exact_math.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {
constexpr float weldResolution = 1.0e-3f;  // positions closer than this are one shared vertex
constexpr size_t maxVertices = 65535;      // face indices are 16-bit in the file
}  // namespace

MeshBuilder::MeshBuilder(std::string name, std::string material)
{
    data_.name = std::move(name);
    data_.material = std::move(material);
}

uint16_t MeshBuilder::shared(Vec3 p)
{
    auto key = std::make_tuple(std::lround(p.x / weldResolution), std::lround(p.y / weldResolution),
                               std::lround(p.z / weldResolution));
    auto found = sharedIndex.find(key);
    if (found != sharedIndex.end())
        return found->second;
    uint16_t index = fresh(p);
    sharedIndex.emplace(key, index);
    return index;
}

uint16_t MeshBuilder::fresh(Vec3 p)
{
    if (data_.vertices.size() >= maxVertices)
        throw std::length_error("mesh " + data_.name + " has too many vertices");
    data_.vertices.push_back(p);
    return uint16_t(data_.vertices.size() - 1);
}

void MeshBuilder::triangle(uint16_t a, uint16_t b, uint16_t c)
{
    if (a == b || b == c || a == c)
        return;  // a welded sliver has no area and no normal
    data_.faces.push_back({a, b, c});
}

void MeshBuilder::quad(uint16_t a, uint16_t b, uint16_t c, uint16_t d)
{
    triangle(a, b, c);
    triangle(a, c, d);
}

void MeshBuilder::panel(Vec3 a, Vec3 b, Vec3 c, Vec3 d, int n, int m, bool share)
{
    std::vector<uint16_t> grid;
    for (int j = 0; j <= m; ++j) {
        float v = float(j) / float(m);
        for (int i = 0; i <= n; ++i) {
            float u = float(i) / float(n);
            Vec3 bottom = a + (b - a) * u;
            Vec3 top = d + (c - d) * u;
            Vec3 p = bottom + (top - bottom) * v;
            grid.push_back(share ? shared(p) : fresh(p));
        }
    }
    auto at = [&](int i, int j) { return grid[size_t(j * (n + 1) + i)]; };
    for (int j = 0; j < m; ++j)
        for (int i = 0; i < n; ++i)
            quad(at(i, j), at(i + 1, j), at(i + 1, j + 1), at(i, j + 1));
}

void MeshBuilder::panelFacing(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 outward, int n, int m)
{
    if (dot(cross(b - a, d - a), outward) >= 0)
        panel(a, b, c, d, n, m);
    else
        panel(a, d, c, b, m, n);
}

void MeshBuilder::triangleFacing(uint16_t a, uint16_t b, uint16_t c, Vec3 outward)
{
    const auto& p = data_.vertices;
    if (dot(cross(p[b] - p[a], p[c] - p[a]), outward) >= 0)
        triangle(a, b, c);
    else
        triangle(a, c, b);
}

void MeshBuilder::box(Vec3 lo, Vec3 hi, int n, bool share)
{
    const Vec3 p[8] = {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z},
                       {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}};
    panel(p[0], p[1], p[5], p[4], n, n, share);  // -y
    panel(p[1], p[2], p[6], p[5], n, n, share);  // +x
    panel(p[2], p[3], p[7], p[6], n, n, share);  // +y
    panel(p[3], p[0], p[4], p[7], n, n, share);  // -x
    panel(p[4], p[5], p[6], p[7], n, n, share);  // top
    panel(p[3], p[2], p[1], p[0], n, n, share);  // bottom
}

void MeshBuilder::frustum(Vec3 base, float height, float r0, float r1, int sides, bool capBottom)
{
    std::vector<uint16_t> bottom, top;
    for (int i = 0; i < sides; ++i) {
        float a = 2.0f * pi * float(i) / float(sides);
        Vec3 dir{exact::cos(a), exact::sin(a), 0};
        bottom.push_back(shared(base + dir * r0));
        if (r1 > 0)
            top.push_back(shared(base + dir * r1 + Vec3{0, 0, height}));
    }
    uint16_t apex = r1 > 0 ? 0 : shared(base + Vec3{0, 0, height});
    for (int i = 0; i < sides; ++i) {
        int k = (i + 1) % sides;
        if (r1 > 0)
            quad(bottom[i], bottom[k], top[k], top[i]);
        else
            triangle(bottom[i], bottom[k], apex);
    }
    if (r1 > 0) {
        uint16_t centre = fresh(base + Vec3{0, 0, height});
        for (int i = 0; i < sides; ++i) {
            const uint16_t v1 = fresh(data_.vertices[top[(i + 1) % sides]]), v0 = fresh(data_.vertices[top[i]]);
            triangle(v0, v1, centre);
        }
    }
    if (capBottom) {
        uint16_t centre = fresh(base);
        for (int i = 0; i < sides; ++i) {
            const uint16_t v1 = fresh(data_.vertices[bottom[i]]), v0 = fresh(data_.vertices[bottom[(i + 1) % sides]]);
            triangle(v0, v1, centre);
        }
    }
}

void MeshBuilder::append(const MeshData& part, float angle, Vec3 offset)
{
    const float c = exact::cos(angle), s = exact::sin(angle);
    const uint16_t first = uint16_t(data_.vertices.size());
    for (Vec3 p : part.vertices)
        fresh(Vec3{c * p.x - s * p.y, s * p.x + c * p.y, p.z} + offset);
    for (auto f : part.faces)
        triangle(uint16_t(first + f[0]), uint16_t(first + f[1]), uint16_t(first + f[2]));
}

Vec3 boundsCentre(const MeshData& mesh)
{
    if (mesh.vertices.empty())
        return {};
    Vec3 lo = mesh.vertices[0], hi = lo;
    for (Vec3 p : mesh.vertices) {
        lo = {std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z)};
        hi = {std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z)};
    }
    return (lo + hi) * 0.5f;
}
