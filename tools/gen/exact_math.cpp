// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
#include "exact_math.h"

#include "double_double.h"

#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace exact {
namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();
constexpr double notANumber = std::numeric_limits<double>::quiet_NaN();

// ln 2 and pi/2 as sums of doubles (each part the rounding of what the previous leave).
constexpr double ln2Parts[3] = {0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56, 0x1.7b57a079a1934p-111};
constexpr double halfPiParts[4] = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54, -0x1.f1976b7ed8fbcp-110,
                                   0x1.4cf98e804177dp-164};
constexpr double inverseLn2 = 0x1.71547652b82fep+0;
constexpr double twoOverPi = 0x1.45f306dc9c883p-1;
// Beyond this, reducing by pi/2 with four parts would lose the bits that matter.
constexpr double largestAngle = 0x1p40;

const DoubleDouble ln2 = {ln2Parts[0], ln2Parts[1]};

// 1/n! for n = 0..31, the Taylor coefficients of exp, sin and cos.
const std::array<DoubleDouble, 32>& inverseFactorials()
{
    static const auto table = [] {
        std::array<DoubleDouble, 32> t{};
        t[0] = {1, 0};
        for (int n = 1; n < 32; ++n)
            t[size_t(n)] = t[size_t(n - 1)] / double(n);
        return t;
    }();
    return table;
}

// 1/(2i+1) for i = 0..21, the series of log through atanh.
const std::array<DoubleDouble, 22>& inverseOdds()
{
    static const auto table = [] {
        std::array<DoubleDouble, 22> t{};
        for (int i = 0; i < 22; ++i)
            t[size_t(i)] = DoubleDouble{1, 0} / double(2 * i + 1);
        return t;
    }();
    return table;
}

// n * ln 2 for a whole n below 2^11, to about 2^-160 absolute.
DoubleDouble multipleOfLn2(double n)
{
    return (twoProduct(n, ln2Parts[0]) + twoProduct(n, ln2Parts[1])) + n * ln2Parts[2];
}

// e^x = 2^k (1 + m): k whole, m = e^r - 1 with |r| <= ln2/2, for |x| below about 750.
struct ExpParts {
    int k;
    DoubleDouble m;
};

ExpParts expParts(DoubleDouble x)
{
    const double k = std::nearbyint(x.hi * inverseLn2);
    // r / 2^10, so that ten terms of e^r - 1 suffice; then (1 + m)^2 - 1 = m (m + 2), ten times.
    const DoubleDouble r = scale(x - multipleOfLn2(k), 0x1p-10);
    const auto& c = inverseFactorials();
    DoubleDouble p = c[10];
    for (int n = 9; n >= 1; --n)
        p = p * r + c[size_t(n)];
    DoubleDouble m = p * r;
    for (int i = 0; i < 10; ++i)
        m = m * (m + 2.0);
    return {int(k), m};
}

// 2^(j/64) for j = 0..63, from the series above (so the same everywhere), for the fast exp.
const std::array<DoubleDouble, 64>& powersOfTwo64ths()
{
    static const auto table = [] {
        std::array<DoubleDouble, 64> t{};
        for (int j = 0; j < 64; ++j) {
            const ExpParts parts = expParts(scale(multipleOfLn2(double(j)), -6));
            t[size_t(j)] = scale(parts.m + 1.0, parts.k);
        }
        return t;
    }();
    return table;
}

// e^x for |x| <= 708 in plain doubles: x = (64 k + j) ln2/64 + r with |r| <= ln2/128, e^x =
// 2^k 2^(j/64) e^r, e^r - 1 to the 7th power of r (the rest is below 2^-75). The value is
// 2^k (head + tail) give or take allowance 2^k: the error is under 2^-66 of it, allowed 2^-63.
struct FastExp {
    int k;
    double head;
    double tail;
    double allowance;
};

FastExp fastExp(double x)
{
    const double n = std::nearbyint(x * (64 * inverseLn2));
    const DoubleDouble r = DoubleDouble{x, 0} - scale(multipleOfLn2(n), 0x1p-6);
    const double rh = r.hi;
    const double q =
        rh * rh * (0.5 + rh * (1.0 / 6 + rh * (1.0 / 24 + rh * (1.0 / 120 + rh * (1.0 / 720 + rh * (1.0 / 5040))))));
    const int j = int(n - 64 * std::floor(n / 64));
    const int k = int((n - j) / 64);
    const DoubleDouble t = powersOfTwo64ths()[size_t(j)];
    // t (1 + rh + (q + r.lo)) = t.hi + t.hi rh + [t.hi (q + r.lo) + t.lo (1 + rh)]
    const DoubleDouble product = twoProduct(t.hi, rh);
    const DoubleDouble head = twoSum(t.hi, product.hi);
    const double tail = head.lo + (product.lo + (t.hi * (q + r.lo) + t.lo * (1 + rh)));
    return {k, head.hi, tail, std::fabs(head.hi) * 0x1p-63};
}

// a * 2^e rounded to a double, the halfway cases decided by a.lo, subnormal results included.
double scaleRound(DoubleDouble a, int e)
{
    const double r = std::ldexp(a.hi, e);
    if (std::isinf(r) || a.lo == 0)
        return r;
    const double diff = a.hi - std::ldexp(r, -e);  // exact: what the scaling rounded away
    if (diff == 0)
        return r;
    const double other = std::nextafter(r, diff > 0 ? infinity : -infinity);
    const bool halfway = std::ldexp(other, -e) - std::ldexp(r, -e) == 2 * diff;
    return halfway && (a.lo > 0) == (diff > 0) ? other : r;
}

// a rounded to a float, the halfway cases decided by a.lo.
float roundToFloat(DoubleDouble a)
{
    const float r = float(a.hi);
    if (std::isinf(r) || a.lo == 0)
        return r;
    const double diff = a.hi - double(r);
    if (diff == 0)
        return r;
    const float other = std::nextafter(r, diff > 0 ? float(infinity) : -float(infinity));
    const bool halfway = double(other) - double(r) == 2 * diff;
    return halfway && (a.lo > 0) == (diff > 0) ? other : r;
}

// e^x for |x| < 750 as a double-double; the caller has ruled out overflow of the double range.
DoubleDouble expNormal(DoubleDouble x)
{
    const ExpParts parts = expParts(x);
    return scale(parts.m + 1.0, parts.k);
}

// log x for a finite x > 0, as a double-double.
DoubleDouble logPositive(double x)
{
    int e = 0;
    double m = std::frexp(x, &e);
    if (m < 0x1.6a09e667f3bcdp-1) {  // sqrt(1/2): keep m within [sqrt(1/2), sqrt(2))
        m *= 2;
        --e;
    }
    // log m = 2 atanh(s), s = (m - 1)/(m + 1), |s| < 0.172: 2 s (1 + s^2/3 + s^4/5 + ...).
    const DoubleDouble s = DoubleDouble{m - 1, 0} / twoSum(m, 1.0);
    const DoubleDouble s2 = s * s;
    const auto& c = inverseOdds();
    DoubleDouble p = c[21];
    for (int i = 20; i >= 0; --i)
        p = p * s2 + c[size_t(i)];
    return multipleOfLn2(double(e)) + scale(s * p, 1);
}

// sin r (cosine = 0) or cos r (cosine = 1) for |r| up to about pi/4: the Taylor series to the
// 31st power in double-double.
DoubleDouble sinOrCosSeries(DoubleDouble r, int cosine)
{
    const DoubleDouble r2 = r * r;
    const auto& c = inverseFactorials();
    DoubleDouble series = c[size_t(31 - cosine)];
    for (int i = 14; i >= 0; --i)
        series = -(series * r2) + c[size_t(2 * i + 1 - cosine)];
    return cosine ? series : series * r;
}

// sin and cos of j pi/128 for j = 0..34, from the series (so the same everywhere), for the fast path.
struct SinCosPair {
    DoubleDouble sin;
    DoubleDouble cos;
};

const std::array<SinCosPair, 35>& sinCosTable()
{
    static const auto table = [] {
        std::array<SinCosPair, 35> t{};
        for (int j = 0; j < 35; ++j) {
            const DoubleDouble a = scale(twoProduct(j, halfPiParts[0]) + twoProduct(j, halfPiParts[1]), -6);
            t[size_t(j)] = {sinOrCosSeries(a, 0), sinOrCosSeries(a, 1)};
        }
        return t;
    }();
    return table;
}

// A value as head + tail, give or take allowance; ok is false when the fast path does not apply.
struct Estimate {
    bool ok;
    double head;
    double tail;
    double allowance;
};

// sin r or cos r for |r| <= pi/4 + a little in plain doubles: r = j pi/128 + s with |s| <= pi/256,
// sin(a + s) = sin a cos s + cos a sin s, cos(a + s) = cos a cos s - sin a sin s, the series of s
// to the 8th power (the rest is below 2^-75). The error is under 2^-64 of the value, allowed 2^-60.
Estimate fastSinOrCos(DoubleDouble r, int cosine)
{
    const double jSigned = std::nearbyint(r.hi * (64 * twoOverPi));
    const int j = int(std::fabs(jSigned));
    if (j >= 35)
        return {false, 0, 0, 0};
    const DoubleDouble s = r - scale(twoProduct(jSigned, halfPiParts[0]) + twoProduct(jSigned, halfPiParts[1]), 0x1p-6);
    const double sh = s.hi, sl = s.lo, s2 = sh * sh;
    const double sinTail = sl + sh * s2 * (-1.0 / 6 + s2 * (1.0 / 120 + s2 * (-1.0 / 5040)));  // sin s - sh
    const double cosMinus1 = -sh * (0.5 * sh + sl) + s2 * s2 * (1.0 / 24 + s2 * (-1.0 / 720 + s2 * (1.0 / 40320)));
    const SinCosPair& t = sinCosTable()[size_t(j)];
    const double sign = jSigned < 0 ? -1 : 1;  // sin(-a) = -sin a
    const DoubleDouble sinA = {sign * t.sin.hi, sign * t.sin.lo};
    // a cos s + b sin s, with (a, b) = (sin a, cos a) for the sine, (cos a, -sin a) for the cosine
    const DoubleDouble a = cosine ? t.cos : sinA;
    const DoubleDouble b = cosine ? -sinA : t.cos;
    const DoubleDouble product = twoProduct(b.hi, sh);
    const DoubleDouble head = twoSum(a.hi, product.hi);
    const double tail = head.lo + (product.lo + (a.hi * cosMinus1 + b.hi * sinTail + a.lo + b.lo * sh));
    return {true, head.hi, tail, std::fabs(head.hi) * 0x1p-60};
}

// sin(x + quarter pi/2) for |x| below largestAngle (quarter = 1 gives cos x): x = k pi/2 + r with
// |r| about pi/4 at most; the reduced angle and the sign of the result.
struct Reduced {
    DoubleDouble r;
    int cosine;
    double sign;
};

Reduced reduce(double x, int quarter)
{
    if (!(std::fabs(x) < largestAngle))
        throw std::domain_error("exact::sin, exact::cos: angle beyond 2^40 radians");
    const double k = std::nearbyint(x * twoOverPi);
    const DoubleDouble r = (((DoubleDouble{x, 0} - twoProduct(k, halfPiParts[0])) - twoProduct(k, halfPiParts[1])) -
                            twoProduct(k, halfPiParts[2])) -
                           DoubleDouble{k * halfPiParts[3], 0};
    const int quadrant = (int(std::fmod(k, 4.0)) + 4 + quarter) % 4;  // sin r, cos r, -sin r, -cos r
    return {r, quadrant % 2, quadrant >= 2 ? -1.0 : 1.0};
}

double sinShifted(double x, int quarter)
{
    const Reduced reduced = reduce(x, quarter);
    // Ziv's test: when both ends of the error interval round alike, so does the exact value.
    const Estimate fast = fastSinOrCos(reduced.r, reduced.cosine);
    if (fast.ok) {
        const double up = fast.head + (fast.tail + fast.allowance);
        if (up == fast.head + (fast.tail - fast.allowance))
            return reduced.sign * up;
    }
    return reduced.sign * sinOrCosSeries(reduced.r, reduced.cosine).hi;
}

float sinShifted(float x, int quarter)
{
    const Reduced reduced = reduce(x, quarter);
    const Estimate fast = fastSinOrCos(reduced.r, reduced.cosine);
    if (fast.ok) {
        const float up = roundToFloat(fastTwoSum(fast.head, fast.tail + fast.allowance));
        if (up == roundToFloat(fastTwoSum(fast.head, fast.tail - fast.allowance)))
            return float(reduced.sign) * up;
    }
    return float(reduced.sign) * roundToFloat(sinOrCosSeries(reduced.r, reduced.cosine));
}

// Below these, sin x rounds to x and cos x to 1 (the next terms are under half an ulp).
constexpr double sinIsX = 0x1p-27;

// The special cases of pow, as IEEE 754 and C give them; base the |x| to raise when general.
struct PowCase {
    bool special;
    double result;
    double sign;
    double base;
};

PowCase powCase(double x, double y)
{
    if (y == 0 || x == 1)
        return {true, 1, 1, 0};
    if (std::isnan(x) || std::isnan(y))
        return {true, x + y, 1, 0};
    const bool whole = std::floor(y) == y;
    const bool odd = whole && std::fabs(y) < 0x1p53 && std::fmod(y, 2.0) != 0;
    const double sign = std::signbit(x) && odd ? -1 : 1;
    if (x < 0 && !whole && !std::isinf(y))
        return {true, notANumber, 1, 0};
    const double a = std::fabs(x);
    if (std::isinf(y)) {
        if (a == 1)
            return {true, 1, 1, 0};
        return {true, (a > 1) == (y > 0) ? infinity : 0, 1, 0};
    }
    if (a == 0 || std::isinf(a))
        return {true, sign * ((a == 0) == (y > 0) ? 0 : infinity), 1, 0};
    return {false, 0, sign, a};
}

// base^y for a whole 0 < |y| <= 64 by squaring in double-double: cheaper than through log and
// exp, as accurate. False when y is not such a power, or the result would come near the ends of
// the double range (where the low parts lose bits).
bool wholePower(double base, double y, DoubleDouble& result)
{
    if (!(std::fabs(y) <= 64) || std::floor(y) != y || std::fabs(double(std::ilogb(base)) * y) > 900)
        return false;
    int n = int(std::fabs(y));
    DoubleDouble square = {base, 0}, product = {1, 0};
    for (; n > 0; n >>= 1) {
        if (n & 1)
            product = product * square;
        if (n > 1)
            square = square * square;
    }
    result = y < 0 ? DoubleDouble{1, 0} / product : product;
    return true;
}

}  // namespace

double sin(double x)
{
    if (std::fabs(x) < sinIsX || std::isnan(x))
        return x;
    return sinShifted(x, 0);
}

float sin(float x)
{
    if (std::fabs(x) < float(sinIsX) || std::isnan(x))
        return x;
    return sinShifted(x, 0);
}

double cos(double x)
{
    if (std::fabs(x) < sinIsX)
        return 1;
    if (std::isnan(x))
        return x;
    return sinShifted(x, 1);
}

float cos(float x)
{
    if (std::fabs(x) < float(sinIsX))
        return 1;
    if (std::isnan(x))
        return x;
    return sinShifted(x, 1);
}

double exp(double x)
{
    if (std::isnan(x))
        return x;
    if (x > 710)
        return infinity;
    if (x < -746)
        return 0;
    if (std::fabs(x) <= 708) {
        // Ziv's test: when both ends of the error interval round alike, so does the exact value.
        const FastExp fast = fastExp(x);
        const double up = fast.head + (fast.tail + fast.allowance);
        if (up == fast.head + (fast.tail - fast.allowance))
            return std::ldexp(up, fast.k);
    }
    const ExpParts parts = expParts({x, 0});
    return scaleRound(parts.m + 1.0, parts.k);
}

float exp(float x)
{
    if (std::isnan(x))
        return x;
    if (x > 89)
        return float(infinity);
    if (x < -105)
        return 0;
    if (std::fabs(x) <= 87) {  // results normal floats
        const FastExp fast = fastExp(x);
        const float up = roundToFloat(fastTwoSum(fast.head, fast.tail + fast.allowance));
        if (up == roundToFloat(fastTwoSum(fast.head, fast.tail - fast.allowance)))
            return std::ldexp(up, fast.k);
    }
    return roundToFloat(expNormal({x, 0}));
}

double pow(double x, double y)
{
    const PowCase c = powCase(x, y);
    if (c.special)
        return c.result;
    if (y == 2 || y == 1)
        return y == 2 ? x * x : x;  // one IEEE operation: correctly rounded by definition
    DoubleDouble power{};
    if (wholePower(c.base, y, power))
        return c.sign * power.hi;
    const DoubleDouble logBase = logPositive(c.base);
    const double estimate = logBase.hi * y;  // checked first: a huge y would overflow the exact product
    if (estimate > 710)
        return c.sign * infinity;
    if (estimate < -746)
        return c.sign * 0.0;
    const DoubleDouble t = logBase * y;
    const ExpParts parts = expParts(t);
    return c.sign * scaleRound(parts.m + 1.0, parts.k);
}

float pow(float x, float y)
{
    const PowCase c = powCase(x, y);
    if (c.special)
        return float(c.result);
    DoubleDouble power{};
    if (wholePower(c.base, y, power))
        return float(c.sign) * roundToFloat(power);
    const DoubleDouble logBase = logPositive(c.base);
    const double estimate = logBase.hi * double(y);
    if (estimate > 89)
        return float(c.sign * infinity);
    if (estimate < -105)
        return float(c.sign * 0.0);
    return float(c.sign) * roundToFloat(expNormal(logBase * double(y)));
}

float hypot(float x, float y)
{
    if (std::isinf(x) || std::isinf(y))
        return float(infinity);
    // The squares of floats are exact in double, their sum exact in double-double.
    const double a = double(x), b = double(y);
    return roundToFloat(sqrt(twoSum(a * a, b * b)));
}

double log2(double x)
{
    if (std::isnan(x) || x < 0)
        return notANumber;
    if (x == 0)
        return -infinity;
    if (std::isinf(x))
        return x;
    int e = 0;
    const double m = std::frexp(x, &e);
    if (m == 0.5)
        return double(e - 1);  // powers of two, exactly
    const DoubleDouble ln2Full = ln2 + ln2Parts[2];
    return (logPositive(x) / ln2Full).hi;
}

double tanh(double x)
{
    if (std::isnan(x) || std::fabs(x) < 0x1p-28)
        return x;
    if (std::fabs(x) > 22)
        return std::copysign(1.0, x);
    // tanh |x| = (e^2|x| - 1) / (e^2|x| + 1), with e^2|x| - 1 kept to full relative precision.
    const ExpParts parts = expParts({2 * std::fabs(x), 0});
    const DoubleDouble em1 = parts.k == 0 ? parts.m : scale(parts.m + 1.0, parts.k) + -1.0;
    return std::copysign((em1 / (em1 + 2.0)).hi, x);
}

}  // namespace exact
