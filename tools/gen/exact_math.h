// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The generator's own transcendental functions, correctly rounded (to nearest) and made only
// of IEEE additions, multiplications, divisions and square roots, so that they give the same
// bits on every machine. The C library's sin, exp, pow... need not: its results may differ
// by an ulp between x86-64 and arm64, or between two x86-64 processors (it picks variants by
// the processor's features), and one ulp of a vertex moves bytes in a model file.
// Each function evaluates in double-double arithmetic (about 2^-100 relative) and rounds once,
// so it returns the correctly rounded result except where the exact value lies within about
// 2^-100 of a rounding boundary; whatever it returns, it returns on every machine.
// The names and overloads follow <cmath>, so a call reads as std::sin would.
#pragma once

namespace exact {

float sin(float x);
double sin(double x);
float cos(float x);
double cos(double x);
float exp(float x);
double exp(double x);
float pow(float x, float y);
double pow(double x, double y);
float hypot(float x, float y);
double log2(double x);
double tanh(double x);

// Not provided: a float argument must not silently take the double function and round twice.
float log2(float x) = delete;
float tanh(float x) = delete;
double hypot(double x, double y) = delete;

}  // namespace exact
