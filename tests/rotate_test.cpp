// Rotation by inverse nearest-neighbour mapping: the turned offsets and a
// destination without rows. Random shapes and angles against the defined
// order are in effect_reference_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include <unistd.h>

#include "frame/kernels.h"
#include "frame/trig.h"
#include "rotate/rotate_offset.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

TEST(Rotate, AngleAndOffsets)
{
    EXPECT_EQ(pixmill::angle_in_radians(90), 1.5700000524520874f);  // 3.14 / 180, not pi / 180
    EXPECT_EQ(pixmill::angle_in_radians(360), 6.28000020980835f);
    const struct {
        int32_t angle, i, j, u, v;
    } cases[] = {
        {90, 3, 0, 0, 2},   {90, 10, 0, 0, 9},  {90, 1, 0, 0, 0}, {0, 1, 1, 0, 0},    {0, 2, 3, 1, 2},
        {0, 0, 5, 0, 4},    {0, 10, 0, 10, 0},  {0, 3, 0, 3, 0},  {45, 10, 0, 7, 7},  {-90, 3, 0, 0, -2},
        {180, 3, 0, -2, 0}, {360, 10, 0, 9, 0}, {360, 3, 0, 2, 0},
    };
    for (const auto& c : cases) {
        int32_t u = 99, v = 99;
        pixmill::turn_offset(c.i, c.j, pixmill::angle_in_radians(c.angle), u, v);
        EXPECT_TRUE(u == c.u && v == c.v) << c.angle << " (" << c.i << "," << c.j << ") gave " << u << "," << v;
    }
}

// A destination without rows passes no destination test however long its
// one row is: a one-dimensional array of 4M pixels (rotated into itself, so
// the source's half-size is 2M) used to walk 2M x 2M offsets testing
// destinations. The alarm ends the run if the call does not return at once.
TEST(Rotate, DestinationWithoutRowsReturnsAtOnce)
{
    constexpr uint32_t kPixels = 1u << 22;
    std::vector<uint32_t> pixels(kPixels, 0x01020304u);
    SAFEARRAY one_dim{};
    one_dim.cDims = 1;
    one_dim.cbElements = 4;
    one_dim.pvData = pixels.data();
    one_dim.rgsabound[0] = {kPixels, 1};
    Surface s{static_cast<int32_t>(kPixels), 0, &one_dim};
    alarm(60);
    for (auto fn : {Render_Rotate24to24, Render_Rotate32to32, Render_Rotate32to24}) EXPECT_EQ(fn(&s, &s, 30), 0);
    alarm(0);
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p == 0x01020304u; }));
}

// The offsets turned with an arctangent, sine and cosine per offset, as the
// polar form reads: the angle-addition form must agree everywhere except
// where that product lies within a whisker of a whole number, so that the
// last bits of either routine decide the truncation.
TEST(Rotate, OffsetsAgreeWithTheDirectTrigonometry)
{
    const int32_t angles[] = {0, 1, 30, 45, 89, 90, 135, 180, 271, 360, -30, -90, 100000, INT32_MIN};
    int close_calls = 0;
    for (int32_t angle : angles) {
        const double a = pixmill::angle_in_radians(angle);
        for (int64_t i = 0; i < 160; ++i)
            for (int64_t j = 0; j < 160; ++j) {
                const double theta0 = i == 0 ? static_cast<double>(1.57f)
                                             : pixmill::arctangent(static_cast<double>(j) / static_cast<double>(i));
                const double r = static_cast<float>(std::sqrt(static_cast<double>(i * i + j * j)));
                double s, c;
                pixmill::sine_cosine(theta0 + a, s, c);
                const double pu = r * c, pv = r * s;
                int32_t u, v;
                pixmill::turn_offset(i, j, a, u, v);
                if (u == static_cast<int32_t>(pu) && v == static_cast<int32_t>(pv)) continue;
                const double eps = 1e-12 * (r + 1);
                const bool near_whole = std::fabs(pu - std::round(pu)) < eps || std::fabs(pv - std::round(pv)) < eps;
                EXPECT_TRUE(near_whole) << angle << " (" << i << "," << j << ") gave " << u << "," << v << " for "
                                        << pu << "," << pv;
                ++close_calls;
            }
    }
    EXPECT_LT(close_calls, 100);  // a handful, not a pattern
}

// The vector offset kernels up to the largest offsets they take, which the
// level driver's small surfaces never reach: every level this CPU has against
// the scalar turn, single offsets and mirrored pairs, runs of every length up
// to five 8-lane vectors and a tail.
TEST(Rotate, VectorOffsetsUpToTheirLimitMatchTheScalarTurn)
{
    using namespace pixmill;
    for (Isa isa : kAllIsas) {
        if (isa > cpu_isa()) break;
        const Kernels& k = kernels_at(isa);
        for (int32_t angle : {30, 45, 100000, INT32_MIN}) {
            const Turn t = make_turn(angle_in_radians(angle));
            for (int64_t a : {int64_t{1}, int64_t{1000}, kMaxRowOffset - 1})
                for (int64_t b : {int64_t{0}, int64_t{5}, kMaxRowOffset - 45})
                    for (int32_t n = 1; n <= 43; n += 7) {
                        int32_t u[43], v[43], mu[43], mv[43], ru, rv;
                        k.rotate_offsets(a, b, n, t, u, v);
                        for (int32_t m = 0; m < n; ++m) {
                            turn_offset(a, b + m, t, ru, rv);
                            ASSERT_TRUE(u[m] == ru && v[m] == rv) << isa_name(isa) << " (" << a << "," << b + m << ")";
                        }
                        k.rotate_offset_pairs(a, b, n, t, u, v, mu, mv);
                        for (int32_t m = 0; m < n; ++m) {
                            turn_offset(a, b + m, t, ru, rv);
                            ASSERT_TRUE(u[m] == ru && v[m] == rv) << isa_name(isa) << " pair (" << a << "," << b + m << ")";
                            turn_offset(b + m, a, t, ru, rv);
                            ASSERT_TRUE(b + m == 0 || (mu[m] == ru && mv[m] == rv)) << isa_name(isa) << " mirrored";
                        }
                    }
        }
    }
}
