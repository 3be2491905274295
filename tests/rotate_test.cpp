// Rotation by inverse nearest-neighbour mapping.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include <unistd.h>

#include "guarded_surface.h"
#include "frame/trig.h"
#include "rotate/rotate_offset.h"
#include "test_surface.h"

using pixmill_test::GuardedSurface;
using pixmill_test::kGuard;
using pixmill_test::TestSurface;

namespace {

using RotateFn = int32_t(PIXMILL_CALL*)(Surface*, Surface*, int32_t);
const struct {
    RotateFn fn;
    int src_bits, dst_bits;
} kTransfers[] = {{Render_Rotate24to24, 24, 24}, {Render_Rotate32to32, 32, 32}, {Render_Rotate32to24, 32, 24}};

}  // namespace

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

// 6 x 6 source, pixel (x, y) = 10 y + x, turned 90 degrees onto markers m:
// only columns and rows 1 to 5 change, source column 5 is never read, (4, 3)
// takes the centre 33 and (3, 5) keeps 32, written last by offset (2, 0).
// As the same surface, later reads see earlier writes: the centre spreads.
TEST(Rotate, WorkedExampleAndSameSurface)
{
    const int m = 250;
    const int apart[6][6] = {{m, m, m, m, m, m},     {m, 14, 24, 34, m, m},  {m, 13, 23, 33, 34, 44},
                             {m, 23, 33, 33, 33, 43}, {m, 22, 32, 33, 43, 53}, {m, 21, 31, 32, 42, 52}};
    const int same[6][6] = {{0, 1, 2, 3, 4, 5},       {10, 14, 33, 33, 14, 15}, {20, 33, 33, 33, 33, 33},
                            {30, 33, 33, 33, 33, 33}, {40, 33, 33, 33, 33, 33}, {50, 33, 33, 33, 33, 33}};
    for (int bits : {24, 32})
        for (bool in_place : {false, true}) {
            TestSurface src(6, 6, bits), other(6, 6, bits);
            TestSurface& dst = in_place ? src : other;
            other.fill(m);
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 6; ++x) {
                    std::vector<int> p = {10 * y + x, 1, 2, 100 + 10 * y + x};
                    p.resize(bits / 8);
                    src.set(x, y, p);
                }
            (bits == 24 ? Render_Rotate24to24 : Render_Rotate32to32)(dst.get(), src.get(), 90);
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 6; ++x) {
                    const int v = in_place ? same[y][x] : apart[y][x];
                    std::vector<uint8_t> p = {uint8_t(v), 1, 2, uint8_t(100 + v)};  // byte 3 travels along
                    if (v == m && !in_place) p = {m, m, m, m};
                    p.resize(bits / 8);
                    EXPECT_EQ(dst.pixel(x, y), p) << x << "," << y << " bits " << bits << " in place " << in_place;
                }
        }
}

// Through the exports, on a 41 x 41 source whose pixels name their own
// position: orientation, and the later write on the axes (at angle 0 the pixel
// five below the centre comes from offset (5, 0), exact, not from (0, 5)).
TEST(Rotate, DestinationPixelsTakeTheTurnedSourcePixel)
{
    const struct {
        int32_t angle;
        int dx, dy, sx, sy;  // destination and source pixel, from the centres
    } cases[] = {{0, 0, 5, 0, 5},   {0, 2, 3, 1, 2},  {90, 3, 0, 0, 2},  {90, 0, 3, -2, 0},
                 {90, -3, 0, 0, -2}, {90, 0, -3, 2, 0}, {45, 10, 0, 7, 7}, {0, 0, 0, 0, 0}};
    for (const auto& t : kTransfers) {
        TestSurface src(41, 41, t.src_bits), dst(41, 41, t.dst_bits);
        for (int y = 0; y < 41; ++y)
            for (int x = 0; x < 41; ++x) src.set(x, y, t.src_bits == 32 ? std::vector<int>{x, y, 77, 255} : std::vector<int>{x, y, 77});
        for (const auto& c : cases) {
            dst.fill(250);
            t.fn(dst.get(), src.get(), c.angle);
            const uint8_t* p = dst.px(20 + c.dx, 20 + c.dy);
            const bool centre_kept = t.fn == Render_Rotate32to24 && c.dx == 0 && c.dy == 0;
            EXPECT_EQ(p[0], centre_kept ? 250 : 20 + c.sx) << c.angle << " (" << c.dx << "," << c.dy << ")";
            EXPECT_EQ(p[1], centre_kept ? 250 : 20 + c.sy) << c.angle << " (" << c.dx << "," << c.dy << ")";
        }
    }
}

// Guard bytes around both arrays and in every part of a source row that may
// not be read (at least the array's last column), for many shapes and angles
// up to the 32-bit extremes: no guard byte is read; only the square of side
// 2N - 1 about the destination's centre changes, and in the destination's
// padding only whole pixels. Missing arrays and N = 0 write nothing.
TEST(Rotate, ReadsAndWritesStayInBounds)
{
    const int32_t angles[] = {0, 1, 30, 90, -45, 180, 271, 360, 100000, INT32_MAX, INT32_MIN};
    const struct {
        int sw, sh, spad, dw, dh, dpad;
    } shapes[] = {{9, 9, 0, 9, 9, 0},  {8, 5, 2, 20, 17, 3}, {5, 12, 1, 7, 7, 2},   {1, 1, 0, 3, 3, 0},
                  {2, 2, 0, 2, 2, 1},  {3, 1, 0, 5, 5, 0},   {16, 16, 3, 4, 4, 5},  {7, 7, 0, 21, 21, 0}};
    Surface no_array{5, 0, nullptr};
    for (const auto& t : kTransfers)
        for (const auto& sh : shapes)
            for (int32_t angle : angles) {
                GuardedSurface src(sh.sw, sh.sh, t.src_bits, sh.spad), dst(sh.dw, sh.dh, t.dst_bits, sh.dpad, 9);
                const int sbpp = t.src_bits / 8, dbpp = t.dst_bits / 8;
                for (int y = 0; y < sh.sh; ++y)
                    for (int k = 0; k < src.pitch(); ++k)  // first byte more than 4 before the row's end: readable
                        src.px(0, y)[k] = sbpp * (k / sbpp) < src.pitch() - 4 ? uint8_t(k % sbpp == 3 ? 255 : 1) : kGuard;
                const std::vector<uint8_t> before = dst.all();
                EXPECT_EQ(t.fn(&no_array, src.get(), angle) | t.fn(dst.get(), &no_array, angle) |
                              t.fn(nullptr, nullptr, angle) | t.fn(dst.get(), src.get(), angle),
                          0);

                const int cxd = (t.dst_bits == 32 ? dst.pitch() / 4 : sh.dw) / 2, cyd = sh.dh / 2;
                const int n = std::max((t.src_bits == 32 ? src.pitch() / 4 : sh.sw) / 2, sh.sh / 2);
                for (size_t k = 0; k < before.size(); ++k) {
                    if (dst.all()[k] == before[k]) continue;
                    ASSERT_NE(dst.all()[k], kGuard) << "a guard byte was read";
                    const size_t first = dst.offset_of(0, sh.dh - 1);
                    ASSERT_TRUE(k >= first && k < first + static_cast<size_t>(dst.pitch()) * sh.dh) << "off the array";
                    const int y = sh.dh - 1 - static_cast<int>((k - first) / dst.pitch());
                    const int x = static_cast<int>((k - first) % dst.pitch()) / dbpp;
                    ASSERT_LE(dbpp * (x + 1), dst.pitch()) << "a partial pixel in the padding was written";
                    ASSERT_TRUE(x > cxd - n && x < cxd + n && y > cyd - n && y < cyd + n) << x << "," << y;
                }
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
    for (const auto& t : kTransfers) EXPECT_EQ(t.fn(&s, &s, 30), 0);
    alarm(0);
    EXPECT_TRUE(std::all_of(pixels.begin(), pixels.end(), [](uint32_t p) { return p == 0x01020304u; }));
}

// A whole 24-bit pixel in the destination's row padding may be written: with
// 3 bytes of padding it is, with 2 it is not.
TEST(Rotate, DestinationRowPadding)
{
    for (int pad : {2, 3}) {
        TestSurface src(9, 9, 24), dst(5, 7, 24, pad);  // dest centre (2, 3); the square reaches column 5
        src.fill(1);
        dst.fill(0);
        Render_Rotate24to24(dst.get(), src.get(), 0);
        int written = 0;
        for (int y = 0; y < 7; ++y)
            for (int k = 15; k < 15 + pad; ++k) written += dst.bytes()[static_cast<size_t>(y) * dst.pitch() + k];
        EXPECT_EQ(written > 0, pad == 3) << pad;
    }
}

// Blended by the source's byte 3: 0 leaves the destination, 255 copies, and
// between them each pixel is blended once (twice would give another value);
// the centre is never written.
TEST(Rotate, BlendedByTheSourceAlpha)
{
    const struct {
        int alpha, expect;
    } cases[] = {{0, 10}, {255, 200}, {128, (200 * 128 + 10 * 127) / 255}, {1, (200 + 10 * 254) / 255}};
    for (const auto& c : cases)
        for (int32_t angle : {0, 33, 90, -123}) {
            TestSurface src(11, 11, 32), dst(11, 11, 24);
            for (int y = 0; y < 11; ++y)
                for (int x = 0; x < 11; ++x) src.set(x, y, {200, 200, 200, c.alpha});
            dst.fill(10);
            Render_Rotate32to24(dst.get(), src.get(), angle);
            int changed = 0;
            for (int y = 0; y < 11; ++y)
                for (int x = 0; x < 11; ++x) {
                    const int v = dst.px(x, y)[0];
                    changed += v != 10;
                    EXPECT_TRUE(v == 10 || (v == c.expect && !(x == 5 && y == 5))) << x << "," << y << " " << c.alpha;
                }
            EXPECT_EQ(changed > 0, c.expect != 10) << c.alpha;
        }
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
