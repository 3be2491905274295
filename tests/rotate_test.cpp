// Rotation by inverse nearest-neighbour mapping: the turned offsets and a
// destination without rows; the ripple's offsets at every level. Random shapes and angles against the defined
// order are in effect_reference_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <vector>

#include <unistd.h>

#include "call_setup.h"
#include "effect/ripple_rows.h"
#include "frame/trig.h"
#include "frame/kernels.h"
#include "rotate/rotate.h"
#include "rotate/rotate_offset.h"
#include "test_surface.h"

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
    constexpr int32_t kPixels = 1 << 22;
    std::vector<uint32_t> pixels(kPixels, 0x01020304u);
    pixmill_reliability::BoundSurface s;
    s.bind(pixmill_reliability::make_shape(32, kPixels, 1, 0, pixmill_reliability::Descriptor::kOneDim),
           reinterpret_cast<uint8_t*>(pixels.data()));
    alarm(60);
    for (auto fn : {Render_Rotate24to24, Render_Rotate32to32, Render_Rotate32to24}) EXPECT_EQ(fn(s.get(), s.get(), 30), 0);
    alarm(0);
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p == 0x01020304u; }));
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

// Pictures large enough for the tiled walk (several bands and blocks, whole
// vectors and their tails, transfers cut off by the edges of either surface)
// at every level this CPU has, against the defined order with the scalar
// kernels: every byte, row padding included.
TEST(Rotate, LargePicturesInTilesMatchTheDefinedOrder)
{
    using namespace pixmill;
    const struct {
        int32_t sw, sh, spad, dw, dh, dpad;
    } shapes[] = {
        {301, 203, 3, 257, 311, 1},  // source wider, destination taller
        {161, 91, 0, 400, 300, 2},   // destination larger than the square
        {500, 130, 1, 130, 500, 0},  // the square reaches past both edges
        {96, 96, 0, 96, 96, 0},      // whole vectors end exactly at the edges
    };
    const struct {
        RotateTransfer transfer;
        int src_bits, dst_bits;
    } kinds[] = {{RotateTransfer::kCopy32to32, 32, 32},
                 {RotateTransfer::kCopy24to24, 24, 24},
                 {RotateTransfer::kBlend32to24, 32, 24}};
    std::mt19937 rng(19);
    for (const auto& shape : shapes)
        for (const auto& kind : kinds) {
            pixmill_test::TestSurface src(shape.sw, shape.sh, kind.src_bits, shape.spad);
            pixmill_test::TestSurface dst(shape.dw, shape.dh, kind.dst_bits, shape.dpad);
            src.fill_random(rng);
            if (kind.src_bits == 32)  // alpha 0, 255 and between
                for (int32_t y = 0; y < shape.sh; ++y)
                    for (int32_t x = 0; x < shape.sw; ++x)
                        src.px(x, y)[3] = static_cast<uint8_t>((x + y) % 3 * 255 / 2);
            dst.fill_random(rng);
            const std::vector<uint8_t> before = dst.bytes();
            for (int32_t angle : {0, 90, 180, 270, 30, -45, 359}) {
                dst.bytes() = before;
                rotate_surfaces(dst.get(), src.get(), angle, kind.transfer, RotateOrder::kDefined, scalar_kernels());
                const std::vector<uint8_t> expect = dst.bytes();
                ASSERT_NE(expect, before);
                for (Isa isa : kAllIsas) {
                    if (isa > cpu_isa()) break;
                    dst.bytes() = before;
                    rotate_surfaces(dst.get(), src.get(), angle, kind.transfer, RotateOrder::kAny, kernels_at(isa));
                    ASSERT_TRUE(dst.bytes() == expect) << isa_name(isa) << " " << kind.src_bits << "->" << kind.dst_bits
                                                       << " " << shape.sw << "x" << shape.sh << " -> " << shape.dw
                                                       << "x" << shape.dh << " at " << angle;
                }
            }
        }
}

// The ripple's vector offsets take a shorter sine where the products lie
// clear of every integer: products built to land on or beside an integer,
// phases up to the sine lanes' range and past it, and both signs.
TEST(Ripple, VectorOffsetsMatchTheScalarOffsetsNextToWholeProducts)
{
    using namespace pixmill;
    uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1664525u + 1013904223u; };
    for (Isa isa : kAllIsas) {
        if (isa > cpu_isa()) break;
        const Kernels& kt = kernels_at(isa);
        for (int trial = 0; trial < 4000; ++trial) {
            const int32_t i0 = static_cast<int32_t>(next() % 4000) + 1, n = 37;
            const double k = (trial % 2 ? -1.0 : 1.0) * ((next() % 1000000) + 1) * (trial % 5 ? 1e-6 : 1e-2);
            const double s0 = sine(i0 * k);
            if (s0 * s0 < 1e-6) continue;  // the export's offsets stay below 2^31 * 0.2
            const double whole = static_cast<double>(next() % 100000) + (trial % 3 ? 0.0 : 1.0);
            const double amp = whole / s0 * (trial % 7 ? 1.0 : 1.0 + 0x1p-52);
            const RippleRow row{trial % 11 ? 0.0 : 1.5, trial % 11 ? 0.0 : 7.0, k, amp, -amp * 0.625};
            int32_t du[n], dv[n], ru[n], rv[n];
            kt.ripple_offsets(row, i0, n, du, dv);
            ripple_offsets_row(row, i0, n, ru, rv);
            for (int32_t c = 0; c < n; ++c)
                ASSERT_TRUE(du[c] == ru[c] && dv[c] == rv[c]) << isa_name(isa) << " trial " << trial << " column " << c;
        }
    }
}
