// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// Double-double arithmetic: a value carried as an unevaluated sum hi + lo of two doubles,
// good to about 2^-104 of its size, built only from IEEE additions, multiplications and
// divisions, which round the same on every machine. The error-free steps (twoSum,
// twoProduct) rely on each operation being rounded on its own: this file must be compiled
// without contraction of multiplies and adds (the generator's libraries are).
#pragma once

#include <cmath>

#if defined(__FLT_EVAL_METHOD__) && __FLT_EVAL_METHOD__ != 0
#error "double-double arithmetic needs doubles evaluated in double precision (SSE2 on x86, not x87)"
#endif

namespace exact {

struct DoubleDouble {
    double hi;
    double lo;
};

// a + b exactly, as the rounded sum and its error.
inline DoubleDouble twoSum(double a, double b)
{
    const double s = a + b;
    const double bPart = s - a;
    const double aPart = s - bPart;
    return {s, (a - aPart) + (b - bPart)};
}

// The same when |a| >= |b| (or a is 0).
inline DoubleDouble fastTwoSum(double a, double b)
{
    const double s = a + b;
    return {s, b - (s - a)};
}

// Dekker's split of a double into two halves of 26 bits, whose products are exact.
inline DoubleDouble split(double a)
{
    const double t = 134217729.0 * a;  // 2^27 + 1
    const double high = t - (t - a);
    return {high, a - high};
}

// a * b exactly, as the rounded product and its error (while nothing overflows).
inline DoubleDouble twoProduct(double a, double b)
{
    const double p = a * b;
    const DoubleDouble as = split(a), bs = split(b);
    const double err = ((as.hi * bs.hi - p) + as.hi * bs.lo + as.lo * bs.hi) + as.lo * bs.lo;
    return {p, err};
}

inline DoubleDouble operator-(DoubleDouble a) { return {-a.hi, -a.lo}; }

// The accurate sum of two double-doubles (relative error about 2^-105 of the result).
inline DoubleDouble operator+(DoubleDouble a, DoubleDouble b)
{
    const DoubleDouble s = twoSum(a.hi, b.hi);
    const DoubleDouble t = twoSum(a.lo, b.lo);
    DoubleDouble r = fastTwoSum(s.hi, s.lo + t.hi);
    return fastTwoSum(r.hi, r.lo + t.lo);
}

inline DoubleDouble operator+(DoubleDouble a, double b)
{
    const DoubleDouble s = twoSum(a.hi, b);
    return fastTwoSum(s.hi, s.lo + a.lo);
}

inline DoubleDouble operator-(DoubleDouble a, DoubleDouble b) { return a + -b; }

inline DoubleDouble operator*(DoubleDouble a, DoubleDouble b)
{
    const DoubleDouble p = twoProduct(a.hi, b.hi);
    return fastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline DoubleDouble operator*(DoubleDouble a, double b)
{
    const DoubleDouble p = twoProduct(a.hi, b);
    return fastTwoSum(p.hi, p.lo + a.lo * b);
}

inline DoubleDouble operator/(DoubleDouble a, double b)
{
    const double q1 = a.hi / b;
    const DoubleDouble p = twoProduct(q1, b);
    const double q2 = (((a.hi - p.hi) - p.lo) + a.lo) / b;
    return fastTwoSum(q1, q2);
}

inline DoubleDouble operator/(DoubleDouble a, DoubleDouble b)
{
    const double q1 = a.hi / b.hi;
    DoubleDouble r = a - b * q1;
    const double q2 = r.hi / b.hi;
    r = r - b * q2;
    const double q3 = r.hi / b.hi;
    return fastTwoSum(q1, q2) + q3;
}

// The square root, one Newton step from the double one.
inline DoubleDouble sqrt(DoubleDouble a)
{
    if (a.hi <= 0)
        return {std::sqrt(a.hi), 0};
    const double h = std::sqrt(a.hi);
    const DoubleDouble square = twoProduct(h, h);
    const double residual = ((a.hi - square.hi) - square.lo) + a.lo;
    return fastTwoSum(h, residual / (2 * h));
}

// a * 2^e, exact while the result stays normal.
inline DoubleDouble scale(DoubleDouble a, int e) { return {std::ldexp(a.hi, e), std::ldexp(a.lo, e)}; }

// The same by a power of two given as a double, cheaper than ldexp where it runs millions of times.
inline DoubleDouble scale(DoubleDouble a, double powerOfTwo) { return {a.hi * powerOfTwo, a.lo * powerOfTwo}; }

}  // namespace exact
