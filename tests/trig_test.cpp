// The library's own sine, cosine and arctangent.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "frame/trig.h"

using pixmill::arctangent;
using pixmill::cosine;
using pixmill::sine;

namespace {

// Distance in units in the last place between two doubles of the same sign.
int64_t ulps_apart(double a, double b)
{
    auto ordered = [](double d) {
        int64_t i;
        std::memcpy(&i, &d, sizeof i);
        return i < 0 ? INT64_MIN - i : i;
    };
    const int64_t d = ordered(a) - ordered(b);
    return d < 0 ? -d : d;
}

uint64_t bits_of(double d)
{
    uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    return u;
}

double from_bits(uint64_t u)
{
    double d;
    std::memcpy(&d, &u, sizeof d);
    return d;
}

enum Fn { kSin, kCos, kAtan };

double ours(Fn f, double x)
{
    return f == kSin ? sine(x) : f == kCos ? cosine(x) : arctangent(x);
}

// A finite double with a random sign, significand and binary exponent in [lo, hi].
double random_double(std::mt19937_64& rng, int lo, int hi)
{
    const uint64_t exponent = static_cast<uint64_t>(lo + 1023 + static_cast<int>(rng() % (hi - lo + 1)));
    return from_bits((rng() & 0x800fffffffffffffu) | (exponent << 52));
}

}  // namespace

// Correctly rounded values, worked out to thousands of bits: the arguments of
// the worked examples, both reduction paths and the edge between them, the
// double closest to a multiple of pi/2 and the largest double. These must come
// out exactly, in every build.
TEST(Trig, CorrectlyRoundedValues)
{
    struct Case {
        Fn f;
        double x, expect;
    };
    const Case cases[] = {
        {kSin, 0x1.94c583ada5b53p+0, 0x1.fff8fd66b88f1p-1},  // sqrt(10) * 0.5
        {kSin, 0x1.8000000000000p+1, 0x1.210386db6d55bp-3},
        {kCos, 0x1.91eb860000000p+0, 0x1.a17a1f3262b21p-11},  // 1.57 in single precision
        {kSin, 0x1.91eb860000000p+0, 0x1.fffff55cc3942p-1},
        {kCos, 0x1.91eb860000000p+2, 0x1.ffff55cc42199p-1},  // 6.28 in single precision
        {kCos, 0x1.0000080000000p+20, 0x1.56f3082d8f8a6p-1},
        {kSin, 0x1.fffff80000000p+19, 0x1.633156c9d2a04p-4},
        {kSin, 0x1.0f0cf064dd592p+73, -0x1.b453ab76bf397p-1},  // 1e22
        {kCos, 0x1.0f0cf064dd592p+73, 0x1.0be2cef01c8f4p-1},
        {kCos, -0x1.f161421c8e000p+55, -0x1.ffda35eed6f86p-1},
        {kSin, 0x1.6ac5b262ca1ffp+849, 0x1.0000000000000p+0},  // within 2^-61 of a multiple of pi/2
        {kCos, 0x1.6ac5b262ca1ffp+849, -0x1.14ae72e6ba22fp-61},
        {kSin, 0x1.7e43c8800759cp+996, -0x1.a2c16b010e385p-1},
        {kSin, 0x1.fffffffffffffp+1023, 0x1.452fc98b34e97p-8},
        {kSin, 0x1.792bc89ab7215p-996, 0x1.792bc89ab7215p-996},
        {kAtan, 0x1.8000000000000p+0, 0x1.f730bd281f69bp-1},
        {kAtan, 0x1.999999999999ap-4, 0x1.983e282e2cc4dp-4},
        {kAtan, -0x1.bf08eb0000000p+34, -0x1.921fb5441e2b0p+0},
        {kAtan, 0x1.0000000000000p-4, 0x1.ff55bb72cfdeap-5},
        {kAtan, 0x1.0800000000000p+4, 0x1.82a0ae7eef9ffp+0},
        {kAtan, 0x1.b7cdfd9d7bdbbp-34, 0x1.b7cdfd9d7bdbbp-34},
        {kAtan, 0x1.fffeb074a771dp-1, 0x1.921f0d7e5f90ap-1},
        {kAtan, 0x1.000001ad7f29bp+0, 0x1.921fb6f1c1f9dp-1},
        {kAtan, 1.0, 0x1.921fb54442d18p-1},
    };
    for (const Case& c : cases) EXPECT_EQ(ours(c.f, c.x), c.expect) << c.f << " " << std::hexfloat << c.x;
}

TEST(Trig, SpecialArguments)
{
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(bits_of(sine(0.0)), bits_of(0.0));
    EXPECT_EQ(bits_of(sine(-0.0)), bits_of(-0.0));
    EXPECT_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(bits_of(arctangent(-0.0)), bits_of(-0.0));
    EXPECT_EQ(arctangent(inf), 0x1.921fb54442d18p+0);
    EXPECT_EQ(arctangent(-inf), -0x1.921fb54442d18p+0);
    EXPECT_EQ(arctangent(1e300), 0x1.921fb54442d18p+0);
    for (double x : {inf, -inf, nan}) {
        EXPECT_TRUE(std::isnan(sine(x)));
        EXPECT_TRUE(std::isnan(cosine(x)));
        double s = 0, c = 0;
        pixmill::sine_cosine(x, s, c);
        EXPECT_TRUE(std::isnan(s) && std::isnan(c));
    }
    EXPECT_TRUE(std::isnan(arctangent(nan)));
}

TEST(Trig, SineCosineGivesTheSameBitsAsEachAlone)
{
    std::mt19937_64 rng(5);
    for (int n = 0; n < 20000; ++n) {
        const double x = random_double(rng, -30, 80);
        double s, c;
        pixmill::sine_cosine(x, s, c);
        ASSERT_EQ(bits_of(s), bits_of(sine(x))) << std::hexfloat << x;
        ASSERT_EQ(bits_of(c), bits_of(cosine(x))) << std::hexfloat << x;
    }
}

// Against the C library, where it is the correctly rounding 64-bit one: at
// most one unit in the last place apart, over every range of exponents, the
// two reduction paths and the doubles nearest to multiples of pi/2 (where a
// careless reduction loses most of its bits).
#if defined(__x86_64__) && defined(__GLIBC__)
TEST(Trig, WithinOneUlpOfTheCLibrary)
{
    std::mt19937_64 rng(7);
    auto check = [](Fn f, double x) {
        const double expect = f == kSin ? std::sin(x) : f == kCos ? std::cos(x) : std::atan(x);
        const double got = ours(f, x);
        ASSERT_LE(ulps_apart(got, expect), 1) << f << " " << std::hexfloat << x << " " << got << " " << expect;
    };
    const std::pair<int, int> ranges[] = {{-1074, 1023}, {-30, 2}, {-2, 21}, {18, 22}, {40, 80}};
    for (const auto& range : ranges)
        for (int n = 0; n < 60000; ++n) {
            const double x = random_double(rng, range.first, range.second);
            for (Fn f : {kSin, kCos, kAtan}) ASSERT_NO_FATAL_FAILURE(check(f, x));
        }
    for (int k = 1; k < 200000; k += (k < 1000 ? 1 : 97)) {
        double x = std::nextafter(k * 1.5707963267948966, 0.0);
        for (int step = 0; step < 3; ++step, x = std::nextafter(x, 1e300)) {
            ASSERT_NO_FATAL_FAILURE(check(kSin, x));
            ASSERT_NO_FATAL_FAILURE(check(kCos, x));
        }
    }
}
#endif

// A fingerprint of many results, recorded from the 64-bit build: the 32-bit
// builds must give the very same bits.
TEST(Trig, SameBitsInEveryBuild)
{
    std::mt19937_64 rng(9);
    uint64_t hash = 1469598103934665603u;
    auto mix = [&](double d) {
        const uint64_t b = bits_of(d);
        for (int k = 0; k < 8; ++k) hash = (hash ^ ((b >> (8 * k)) & 0xff)) * 1099511628211u;
    };
    for (int n = 0; n < 30000; ++n) {
        const double x = random_double(rng, n % 3 == 0 ? -1074 : -20, n % 3 == 0 ? 1023 : 40);
        mix(sine(x));
        mix(cosine(x));
        mix(arctangent(x));
    }
    EXPECT_EQ(hash, 12142579281881494344u);
}
