// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "engine/vector_math.h"

#include <cmath>

Matrix4* identityMatrix(Matrix4* out)
{
    zeroMatrix(out);
    for (int i = 0; i < 4; ++i)
        out->at(i, i) = 1.0f;
    return out;
}

Matrix4* zeroMatrix(Matrix4* out)
{
    for (float& element : out->m)
        element = 0.0f;
    return out;
}

Matrix4* lookAtMatrix(Matrix4* out, Vector3 eye, Vector3 at, Vector3 up)
{
    Vector3 forward = subtract(at, eye);
    divideVector(&forward, &forward, std::sqrt(lengthSquared(forward)));
    Vector3 right = cross(up, forward);
    Vector3 upward = cross(forward, right);  // from the right vector before it is normalised
    divideVector(&right, &right, std::sqrt(lengthSquared(right)));
    divideVector(&upward, &upward, std::sqrt(lengthSquared(upward)));

    identityMatrix(out);
    const Vector3 columns[3] = {right, upward, forward};
    for (int c = 0; c < 3; ++c) {
        out->at(0, c) = columns[c].x;
        out->at(1, c) = columns[c].y;
        out->at(2, c) = columns[c].z;
        out->at(3, c) = -dot(eye, columns[c]);
    }
    return out;
}

Matrix4* projectionMatrix(Matrix4* out, float nearPlane, float farPlane, float fieldOfView)
{
    float half = fieldOfView * 0.5f;
    float c = std::cos(half);
    float s = std::sin(half);
    float q = s / (1.0f - nearPlane / farPlane);
    zeroMatrix(out);
    out->at(0, 0) = c;
    out->at(1, 1) = c;
    out->at(2, 2) = q;
    out->at(2, 3) = s;
    out->at(3, 2) = -q * nearPlane;
    return out;
}

Vector3* setVector(Vector3* target, float x, float y, float z)
{
    *target = {x, y, z};
    return target;
}

Vector3* divideVector(Vector3* out, const Vector3* source, float divisor)
{
    *out = {source->x / divisor, source->y / divisor, source->z / divisor};
    return out;
}

float lengthSquared(Vector3 v) { return dot(v, v); }
