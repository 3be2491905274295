// The library's own sine and cosine.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "frame/trig.h"

using namespace pixmill;

namespace {

enum Fn { kSin, kCos };
double ours(Fn f, double x) { return f == kSin ? sine(x) : cosine(x); }

uint64_t bits_of(double d)
{
    uint64_t u;
    std::memcpy(&u, &d, sizeof u);
    return u;
}

// A finite double with random sign and significand, binary exponent in [lo, hi].
double random_double(std::mt19937_64& rng, int lo, int hi)
{
    const uint64_t e = static_cast<uint64_t>(lo + 1023 + static_cast<int>(rng() % (hi - lo + 1)));
    const uint64_t u = (rng() & 0x800fffffffffffffu) | (e << 52);
    double d;
    std::memcpy(&d, &u, sizeof d);
    return d;
}

}  // namespace

// Correctly rounded values, worked out to thousands of bits: exact, in every
// build.
TEST(Trig, CorrectlyRoundedValues)
{
    const double inf = std::numeric_limits<double>::infinity(), nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        Fn f;
        double x, expect;
    } cases[] = {
        // sqrt(10) / 2, 3, and 1.57 and 6.28 in single precision:
        {kSin, 0x1.94c583ada5b53p+0, 0x1.fff8fd66b88f1p-1}, {kSin, 3.0, 0x1.210386db6d55bp-3},
        {kCos, 0x1.91eb86p+0, 0x1.a17a1f3262b21p-11}, {kSin, 0x1.91eb86p+0, 0x1.fffff55cc3942p-1},
        {kCos, 0x1.91eb86p+2, 0x1.ffff55cc42199p-1},
        // Both sides of the switch between the reductions, and far beyond it:
        {kCos, 0x1.0000080000000p+20, 0x1.56f3082d8f8a6p-1}, {kSin, 0x1.fffff80000000p+19, 0x1.633156c9d2a04p-4},
        {kSin, 1e22, -0x1.b453ab76bf397p-1}, {kCos, 1e22, 0x1.0be2cef01c8f4p-1},
        {kCos, -0x1.f161421c8e000p+55, -0x1.ffda35eed6f86p-1},
        // Within 2^-61 of a multiple of pi/2:
        {kSin, 0x1.6ac5b262ca1ffp+849, 1.0}, {kCos, 0x1.6ac5b262ca1ffp+849, -0x1.14ae72e6ba22fp-61},
        {kSin, 0x1.7e43c8800759cp+996, -0x1.a2c16b010e385p-1}, {kSin, 0x1.fffffffffffffp+1023, 0x1.452fc98b34e97p-8},
        {kSin, 0x1.792bc89ab7215p-996, 0x1.792bc89ab7215p-996}, {kSin, -0.0, -0.0}, {kCos, 0.0, 1.0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(bits_of(ours(c.f, c.x)), bits_of(c.expect)) << c.f << " " << std::hexfloat << c.x;
    for (double x : {inf, -inf, nan}) EXPECT_TRUE(std::isnan(sine(x)) && std::isnan(cosine(x)));
}

// Random doubles over every range of exponents and the doubles nearest to
// multiples of pi/2 (where a careless reduction loses most of its bits):
// sine_cosine agrees with each alone; where the C library is the correctly
// rounding 64-bit one, each result is at most one unit in the last place from
// it; and a fingerprint of every result, recorded from the 64-bit build, is
// the same in the 32-bit builds.
TEST(Trig, NearTheCLibraryAndTheSameBitsInEveryBuild)
{
    std::mt19937_64 rng(7);
    std::vector<double> xs;
    for (const auto& [lo, hi] : {std::pair{-1074, 1023}, {-30, 2}, {-2, 21}, {18, 22}, {40, 80}})
        for (int n = 0; n < 60000; ++n) xs.push_back(random_double(rng, lo, hi));
    for (int k = 1; k < 200000; k += k < 1000 ? 1 : 97) {
        const double x = std::nextafter(k * 1.5707963267948966, 0.0);
        xs.insert(xs.end(), {x, std::nextafter(x, 1e300), std::nextafter(std::nextafter(x, 1e300), 1e300)});
    }
    uint64_t hash = 1469598103934665603u;
    for (double x : xs) {
        double s, c;
        sine_cosine(x, s, c);
        ASSERT_TRUE(bits_of(s) == bits_of(sine(x)) && bits_of(c) == bits_of(cosine(x))) << std::hexfloat << x;
        for (Fn f : {kSin, kCos}) {
            const uint64_t got = bits_of(ours(f, x));
            for (int k = 0; k < 8; ++k) hash = (hash ^ ((got >> (8 * k)) & 0xff)) * 1099511628211u;
#if defined(__x86_64__) && defined(__GLIBC__)
            const double want = f == kSin ? std::sin(x) : std::cos(x);
            ASSERT_LE(std::llabs(static_cast<int64_t>(got - bits_of(want))), 1) << f << " " << std::hexfloat << x;
#endif
        }
    }
    EXPECT_EQ(hash, 15752957981987832546u);
}
