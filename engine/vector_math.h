// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The value types and helpers the camera transforms are built from. Matrices are in
// the device's layout: row by row, element (r, c) at 4r + c, points as row vectors
// (p' = p x M), the translation in row 3. Every matrix operation writes through its
// output pointer and returns it.
#pragma once

struct Vector3 {
    float x, y, z;
};

struct Matrix4 {
    float m[16];
    float& at(int row, int column) { return m[4 * row + column]; }
    float at(int row, int column) const { return m[4 * row + column]; }
};

Matrix4* identityMatrix(Matrix4* out);
Matrix4* zeroMatrix(Matrix4* out);
// Left-handed view matrix looking from eye toward at, up giving the screen's vertical.
// Degenerate input (eye = at, up along the view) is not guarded.
Matrix4* lookAtMatrix(Matrix4* out, Vector3 eye, Vector3 at, Vector3 up);
// Perspective projection scaled through by sin(fieldOfView / 2), with no aspect term:
// the screen's 4:3 shape comes from the viewport's clip rectangle.
Matrix4* projectionMatrix(Matrix4* out, float nearPlane, float farPlane, float fieldOfView);

Vector3* setVector(Vector3* target, float x, float y, float z);
Vector3* divideVector(Vector3* out, const Vector3* source, float divisor);  // out may be source
float lengthSquared(Vector3 v);

inline Vector3 subtract(Vector3 a, Vector3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline float dot(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vector3 cross(Vector3 a, Vector3 b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
