// SPDX-FileCopyrightText: 2026 Mornakle 3D developers
// SPDX-License-Identifier: MIT
// The generator's own maths against values known exactly and against the C library's long double
// functions, which carry at least 11 more bits than a double on every machine we build for (the
// 80-bit format on x86-64, the 128-bit one on arm64): where such a reference is clear of a rounding
// boundary, it names the correctly rounded result, and ours must be exactly that.
#include "exact_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

// The two representable neighbours of a reference value and which one is nearer; `clear` when the
// reference lies farther than its own error from the midpoint between them.
template <class T>
struct Rounded {
    T nearest;
    T other;
    bool clear;
};

template <class T>
Rounded<T> roundReference(long double reference)
{
    const T nearest = T(reference);
    const long double gap = std::fabs((long double)std::nextafter(nearest, T(infinity)) - nearest);
    const long double toNearest = std::fabs(reference - nearest);
    // The long double functions are good to a few of their ulps; 2^-58 of the value is far above.
    const bool clear = std::fabs(toNearest - gap / 2) > std::fabs(reference) * 0x1p-58L || gap == 0;
    const T other = std::nextafter(nearest, reference > nearest ? T(infinity) : T(-infinity));
    return {nearest, other, clear};
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)); }
bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b)); }

// Draws `count` arguments, checks each result against the reference and counts the failures,
// reporting the first few.
template <class T>
int countWrong(const std::string& name, int count, const std::function<T(std::mt19937_64&)>& draw,
               const std::function<T(T)>& ours, long double (*reference)(long double))
{
    std::mt19937_64 random(std::hash<std::string>{}(name)&0xffff);
    int wrong = 0;
    for (int i = 0; i < count; ++i) {
        const T x = draw(random);
        const T result = ours(x);
        const Rounded<T> want = roundReference<T>(reference(x));
        const bool right = sameBits(result, want.nearest) || (!want.clear && sameBits(result, want.other));
        if (!right && ++wrong <= 3)
            ADD_FAILURE() << name << "(" << std::hexfloat << x << ") = " << result << ", correctly rounded "
                          << want.nearest;
    }
    return wrong;
}

std::function<double(std::mt19937_64&)> uniform(double low, double high)
{
    return [=](std::mt19937_64& random) { return std::uniform_real_distribution<double>(low, high)(random); };
}

// Uniform in the exponent too: as many tiny arguments as large ones.
std::function<double(std::mt19937_64&)> logUniform(double low, double high, bool bothSigns)
{
    return [=](std::mt19937_64& random) {
        const double x = std::exp2(std::uniform_real_distribution<double>(std::log2(low), std::log2(high))(random));
        return bothSigns && (random() & 1) ? -x : x;
    };
}

std::function<float(std::mt19937_64&)> uniformFloat(double low, double high)
{
    return [=](std::mt19937_64& random) { return float(std::uniform_real_distribution<double>(low, high)(random)); };
}

constexpr int samples = 20000;

TEST(ExactMath, DoubleFunctionsRoundCorrectlyOverWideRanges)
{
    auto sin = [](double x) { return exact::sin(x); };
    auto cos = [](double x) { return exact::cos(x); };
    auto exp = [](double x) { return exact::exp(x); };
    EXPECT_EQ(countWrong<double>("sin", samples, uniform(-4000, 4000), sin, sinl), 0);
    EXPECT_EQ(countWrong<double>("sin small", samples, logUniform(0x1p-40, 2, true), sin, sinl), 0);
    EXPECT_EQ(countWrong<double>("sin large", samples / 4, logUniform(1e4, 1e11, true), sin, sinl), 0);
    // Near the multiples of pi/2 the results are tiny and every bit of the reduction shows.
    auto nearQuarterTurn = [](std::mt19937_64& random) {
        const double k = double(random() % 100000) - 50000;
        return std::nextafter(k * M_PI_2, (random() & 1) ? infinity : -infinity);
    };
    EXPECT_EQ(countWrong<double>("sin near k pi/2", samples, nearQuarterTurn, sin, sinl), 0);
    EXPECT_EQ(countWrong<double>("cos near k pi/2", samples, nearQuarterTurn, cos, cosl), 0);
    EXPECT_EQ(countWrong<double>("cos", samples, uniform(-4000, 4000), cos, cosl), 0);
    EXPECT_EQ(countWrong<double>("cos small", samples, logUniform(0x1p-40, 2, true), cos, cosl), 0);
    // The whole double range of exp: overflow, the subnormal results, underflow to zero.
    EXPECT_EQ(countWrong<double>("exp", samples, uniform(-750, 712), exp, expl), 0);
    EXPECT_EQ(countWrong<double>("exp small", samples, logUniform(0x1p-60, 1, true), exp, expl), 0);
    EXPECT_EQ(countWrong<double>("exp subnormal", samples / 4, uniform(-746, -708), exp, expl), 0);
    EXPECT_EQ(countWrong<double>(
                  "log2", samples, logUniform(1e-300, 1e300, false), [](double x) { return exact::log2(x); }, log2l),
              0);
    EXPECT_EQ(countWrong<double>(
                  "log2 near 1", samples, uniform(0.75, 1.5), [](double x) { return exact::log2(x); }, log2l),
              0);
    EXPECT_EQ(countWrong<double>(
                  "tanh", samples, uniform(-25, 25), [](double x) { return exact::tanh(x); }, tanhl),
              0);
    EXPECT_EQ(countWrong<double>(
                  "tanh small", samples, logUniform(0x1p-40, 1, true), [](double x) { return exact::tanh(x); }, tanhl),
              0);
}

TEST(ExactMath, PowRoundsCorrectlyForWholeAndFractionalExponents)
{
    std::mt19937_64 random(7);
    int wrong = 0;
    for (int i = 0; i < samples; ++i) {
        const double x = std::uniform_real_distribution<double>(0, 60)(random);
        // Fractional exponents through log and exp; whole ones, 3 to 40, by squaring.
        const double y = i % 2 ? std::uniform_real_distribution<double>(-40, 40)(random) : double(3 + i % 38);
        const double result = exact::pow(x, y);
        const Rounded<double> want = roundReference<double>(powl(x, y));
        if (!sameBits(result, want.nearest) && (want.clear || !sameBits(result, want.other)) && ++wrong <= 3)
            ADD_FAILURE() << std::hexfloat << "pow(" << x << ", " << y << ") = " << result << ", correctly rounded "
                          << want.nearest;
    }
    EXPECT_EQ(wrong, 0);
    // pow(x, 1/2) is sqrt x, which IEEE rounds correctly: an independent check of every digit.
    for (int i = 0; i < samples; ++i) {
        const double x = std::exp2(std::uniform_real_distribution<double>(-1000, 1000)(random));
        ASSERT_EQ(exact::pow(x, 0.5), std::sqrt(x)) << std::hexfloat << x;
    }
}

TEST(ExactMath, FloatFunctionsRoundCorrectlyOverWideRanges)
{
    auto sinf = [](float x) { return exact::sin(x); };
    auto cosf = [](float x) { return exact::cos(x); };
    EXPECT_EQ(countWrong<float>("sinf", samples, uniformFloat(-2000, 2000), sinf, sinl), 0);
    EXPECT_EQ(countWrong<float>("sinf small", samples, uniformFloat(-0.01, 0.01), sinf, sinl), 0);
    EXPECT_EQ(countWrong<float>("cosf", samples, uniformFloat(-2000, 2000), cosf, cosl), 0);
    EXPECT_EQ(countWrong<float>(
                  "expf", samples, uniformFloat(-106, 90), [](float x) { return exact::exp(x); }, expl),
              0);

    std::mt19937_64 random(11);
    int wrong = 0;
    for (int i = 0; i < samples; ++i) {
        const float x = float(std::uniform_real_distribution<double>(0, 2)(random));
        const float y = i % 2 ? float(std::uniform_real_distribution<double>(-30, 30)(random)) : float(i % 25);
        const float result = exact::pow(x, y);
        const Rounded<float> want = roundReference<float>(powl(x, y));
        if (!sameBits(result, want.nearest) && (want.clear || !sameBits(result, want.other)) && ++wrong <= 3)
            ADD_FAILURE() << std::hexfloat << "powf(" << x << ", " << y << ") = " << result;
    }
    for (int i = 0; i < samples; ++i) {
        const float x = float(std::uniform_real_distribution<double>(-700, 700)(random));
        const float y = float(std::uniform_real_distribution<double>(-700, 700)(random));
        const Rounded<float> want = roundReference<float>(hypotl(x, y));
        const float result = exact::hypot(x, y);
        if (!sameBits(result, want.nearest) && (want.clear || !sameBits(result, want.other)) && ++wrong <= 3)
            ADD_FAILURE() << std::hexfloat << "hypotf(" << x << ", " << y << ") = " << result;
    }
    EXPECT_EQ(wrong, 0);
}

// Values whose correct rounding is known independently of any library.
TEST(ExactMath, KnownValuesAndTheEdgesOfTheRanges)
{
    EXPECT_EQ(exact::exp(1.0), 0x1.5bf0a8b145769p+1);      // e
    EXPECT_EQ(exact::sin(M_PI), 0x1.1a62633145c07p-53);    // pi - double(pi)
    EXPECT_EQ(exact::cos(M_PI_2), 0x1.1a62633145c07p-54);  // pi/2 - double(pi/2)
    EXPECT_EQ(exact::sin(float(M_PI)), -0x1.777a5cp-24f);  // pi - float(pi)
    EXPECT_EQ(exact::log2(10.0), 0x1.a934f0979a371p+1);
    EXPECT_EQ(exact::log2(0x1p-1074), -1074.0);
    EXPECT_EQ(exact::pow(2.0, 0.5), std::sqrt(2.0));
    EXPECT_EQ(exact::pow(2.0, -1074.0), 0x1p-1074);
    EXPECT_EQ(exact::pow(2.0f, -149.0f), 0x1p-149f);
    EXPECT_EQ(exact::hypot(3.0f, 4.0f), 5.0f);
    EXPECT_EQ(exact::hypot(-0x5p-70f, 0xcp-70f), 0xdp-70f);
    EXPECT_EQ(exact::hypot(3e30f, 4e30f), 5e30f);

    // x * x is the correctly rounded square by definition of IEEE multiplication.
    for (double x : {0.1, -0.3, 1e-160, 7.25e150, 1.0 / 3})
        EXPECT_EQ(exact::pow(x, 2.0), x * x) << x;
    EXPECT_EQ(exact::pow(-2.0, 3.0), -8.0);
    EXPECT_EQ(exact::pow(-2.0f, 4.0f), 16.0f);
    EXPECT_TRUE(std::isnan(exact::pow(-8.0, 1.0 / 3)));
    EXPECT_TRUE(std::signbit(exact::pow(-0.0, 3.0)));
    EXPECT_EQ(exact::pow(0.0, -1.0), infinity);
    EXPECT_EQ(exact::pow(10.0, 400.0), infinity);
    EXPECT_EQ(exact::pow(10.0, -400.0), 0.0);
    EXPECT_EQ(exact::pow(1e10f, 5.0f), float(infinity));
    EXPECT_EQ(exact::pow(0.5, infinity), 0.0);

    EXPECT_EQ(exact::exp(710.0), infinity);
    EXPECT_EQ(exact::exp(-746.0), 0.0);
    EXPECT_EQ(exact::exp(-745.0), 0x1p-1074);  // e^-745 is 0.57 of the smallest subnormal
    EXPECT_EQ(exact::exp(0.0), 1.0);
    EXPECT_EQ(exact::exp(89.0f), float(infinity));
    EXPECT_EQ(exact::exp(-103.5f), 0x1p-149f);  // 0.80 of the smallest float
    EXPECT_EQ(exact::exp(-104.0f), 0.0f);       // 0.49 of it
    EXPECT_TRUE(std::signbit(exact::sin(-0.0)));
    EXPECT_TRUE(std::signbit(exact::tanh(-0.0)));
    EXPECT_EQ(exact::tanh(-30.0), -1.0);
    EXPECT_EQ(exact::cos(0.0f), 1.0f);
    EXPECT_TRUE(std::isnan(exact::log2(-1.0)));
    EXPECT_EQ(exact::log2(0.0), -infinity);
    EXPECT_THROW(exact::sin(1e15), std::domain_error);  // beyond the reduction's accurate range
}

}  // namespace
