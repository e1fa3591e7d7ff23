// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Builds one triangle mesh. Triangles are given counter-clockwise as seen from the
// side they face (right-handed, z up), which is how 3D Studio winds them; the
// demo's loader turns that into its own clockwise-on-screen order.
//
// Smooth surfaces share their vertices (the loader averages face normals per
// vertex); faceted ones ask for fresh vertices per panel.
#pragma once

#include "geometry.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

struct MeshData {
    std::string name;
    std::vector<Vec3> vertices;
    std::vector<std::array<uint16_t, 3>> faces;
    std::vector<std::array<float, 2>> mapping;  // one (u, v) per vertex, may be empty
    Vec3 origin;                                // local frame origin; axes are the unit axes
    std::string material;
};

class MeshBuilder {
public:
    explicit MeshBuilder(std::string name, std::string material = "");

    // A vertex at exactly this position is made once and reused (smooth surfaces).
    uint16_t shared(Vec3 p);
    // A vertex of its own (facets, or surfaces that must not blend with neighbours).
    uint16_t fresh(Vec3 p);

    void triangle(uint16_t a, uint16_t b, uint16_t c);
    // a b c d counter-clockwise. Callers that make the corners' vertices as they go make them
    // in statements of their own, last corner first: the order in which the files number them.
    // (Made inside the call's arguments, the order would be the compiler's choice, and GCC's
    // differs between x86-64 and arm64.)
    void quad(uint16_t a, uint16_t b, uint16_t c, uint16_t d);

    // A flat panel a-b-c-d (counter-clockwise seen from outside) split into n x m cells.
    // Unshared, its vertices belong to it alone (crisp edges, lit gradients inside);
    // shared, it welds to neighbouring shared geometry (one smooth, closed surface).
    void panel(Vec3 a, Vec3 b, Vec3 c, Vec3 d, int n, int m, bool share = false);
    // The same, wound to face the given outward direction whatever the corner order.
    void panelFacing(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 outward, int n, int m);
    void triangleFacing(uint16_t a, uint16_t b, uint16_t c, Vec3 outward);
    // A box from lo to hi made of panels with n cells along each edge.
    void box(Vec3 lo, Vec3 hi, int n = 1, bool share = false);
    // Appends another mesh turned by angle (radians) about the z axis, then moved.
    void append(const MeshData& part, float angle, Vec3 offset);
    // A cone or cylinder standing on the z axis at base (bottom radius r0, top r1).
    void frustum(Vec3 base, float height, float r0, float r1, int sides, bool capBottom);

    size_t vertexCount() const { return data_.vertices.size(); }
    void setOrigin(Vec3 origin) { data_.origin = origin; }
    MeshData take() { return std::move(data_); }
    const MeshData& data() const { return data_; }

private:
    MeshData data_;
    std::map<std::tuple<long, long, long>, uint16_t> sharedIndex;
};

// Centre of the bounding box of the mesh's vertices.
Vec3 boundsCentre(const MeshData& mesh);
