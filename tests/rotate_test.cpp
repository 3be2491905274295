// Rotation by inverse nearest-neighbour mapping.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

#include "guarded_surface.h"
#include "rotate/rotate_offset.h"
#include "test_surface.h"

using pixmill_test::GuardedSurface;
using pixmill_test::kGuard;
using pixmill_test::TestSurface;

namespace {

using RotateFn = int32_t(PIXMILL_CALL*)(Surface*, Surface*, int32_t);

struct Transfer {
    RotateFn fn;
    int src_bits, dst_bits;
};
const Transfer kTransfers[] = {
    {Render_Rotate24to24, 24, 24}, {Render_Rotate32to32, 32, 32}, {Render_Rotate32to24, 32, 24}};

constexpr int kMarker = 250;

// Pixel (x, y) of a source names itself: bytes x, y, 77 and an opaque alpha.
void label(TestSurface& s)
{
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            std::vector<int> p = {x, y, 77, 255};
            p.resize(s.pixel(x, y).size());
            s.set(x, y, p);
        }
}

}  // namespace

TEST(Rotate, AngleAndOffsets)
{
    EXPECT_EQ(pixmill::angle_in_radians(90), 1.5700000524520874f);
    EXPECT_EQ(pixmill::angle_in_radians(360), 6.28000020980835f);
    EXPECT_EQ(pixmill::angle_in_radians(-90), -1.5700000524520874f);

    struct Case {
        int32_t angle, i, j, u, v;
    };
    const Case cases[] = {
        {90, 3, 0, 0, 2},    {90, 10, 0, 0, 9},   {0, 1, 1, 0, 0},    {0, 2, 3, 1, 2},
        {0, 0, 5, 0, 4},     {0, 10, 0, 10, 0},   {0, 3, 0, 3, 0},    {45, 10, 0, 7, 7},
        {-90, 3, 0, 0, -2},  {180, 3, 0, -2, 0},  {360, 10, 0, 9, 0}, {360, 3, 0, 2, 0},
        {90, 1, 0, 0, 0},  // 0.99999968 truncates to 0
    };
    for (const Case& c : cases) {
        int32_t u = 99, v = 99;
        pixmill::turn_offset(c.i, c.j, pixmill::angle_in_radians(c.angle), u, v);
        EXPECT_EQ(u, c.u) << c.angle << " (" << c.i << "," << c.j << ")";
        EXPECT_EQ(v, c.v) << c.angle << " (" << c.i << "," << c.j << ")";
    }
}

// 6 x 6 source with pixel (x, y) = 10 y + x, turned 90 degrees into a 6 x 6
// destination of markers: only columns and rows 1 to 5 can change and source
// column 5 is never read. (4, 3) takes the centre 33; (3, 5) ends with 32,
// written last by the fourth transfer of offset (2, 0).
TEST(Rotate, WorkedExampleNinetyDegrees)
{
    const int m = kMarker;
    const int after[6][6] = {{m, m, m, m, m, m},     {m, 14, 24, 34, m, m},  {m, 13, 23, 33, 34, 44},
                             {m, 23, 33, 33, 33, 43}, {m, 22, 32, 33, 43, 53}, {m, 21, 31, 32, 42, 52}};
    for (int bits : {24, 32}) {
        TestSurface src(6, 6, bits), dst(6, 6, bits);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x) {
                std::vector<int> p = {10 * y + x, 1, 2, 100 + 10 * y + x};
                p.resize(bits / 8);
                src.set(x, y, p);
            }
        dst.fill(kMarker);
        EXPECT_EQ((bits == 24 ? Render_Rotate24to24 : Render_Rotate32to32)(dst.get(), src.get(), 90), 0);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 6; ++x) {
                const int v = after[y][x];
                std::vector<int> p = v == m ? std::vector<int>{m, m, m, m} : std::vector<int>{v, 1, 2, 100 + v};
                p.resize(bits / 8);
                EXPECT_EQ(dst.pixel(x, y), std::vector<uint8_t>(p.begin(), p.end())) << x << "," << y << " " << bits;
            }
    }
}

// Which source pixel lands where, through the export: turned offsets,
// orientation, and the later write on the axes (at angle 0 the pixel five
// below the centre comes from offset (5, 0), exact, not from the earlier
// (0, 5), which would give four).
TEST(Rotate, DestinationPixelsTakeTheTurnedSourcePixel)
{
    struct Case {
        int32_t angle;
        int dx, dy;  // destination, from its centre
        int sx, sy;  // source, from its centre
    };
    const Case cases[] = {
        {90, 3, 0, 0, 2},   {90, 10, 0, 0, 9},  {0, 1, 1, 0, 0},   {0, 2, 3, 1, 2},  {0, 10, 0, 10, 0},
        {0, 0, 5, 0, 5},    {45, 10, 0, 7, 7},  {-90, 3, 0, 0, -2}, {180, 3, 0, -2, 0}, {360, 10, 0, 9, 0},
        {360, 3, 0, 2, 0},  {0, 0, 0, 0, 0},    {90, 0, 3, -2, 0},  {90, -3, 0, 0, -2},
    };
    for (const Transfer& t : kTransfers) {
        TestSurface src(41, 41, t.src_bits), dst(41, 41, t.dst_bits);
        label(src);
        for (const Case& c : cases) {
            dst.fill(kMarker);
            t.fn(dst.get(), src.get(), c.angle);
            const uint8_t* p = dst.px(20 + c.dx, 20 + c.dy);
            if (t.fn == Render_Rotate32to24 && c.dx == 0 && c.dy == 0) {
                EXPECT_EQ(p[0], kMarker) << "the centre is never written";
                continue;
            }
            EXPECT_EQ(p[0], 20 + c.sx) << c.angle << " (" << c.dx << "," << c.dy << ")";
            EXPECT_EQ(p[1], 20 + c.sy) << c.angle << " (" << c.dx << "," << c.dy << ")";
        }
    }
}

// Source and destination the same surface: reads see what this call has
// already written, in the walk's order (the centre spreads outward).
TEST(Rotate, SameSurface)
{
    const int after[6][6] = {{0, 1, 2, 3, 4, 5},       {10, 14, 33, 33, 14, 15}, {20, 33, 33, 33, 33, 33},
                             {30, 33, 33, 33, 33, 33}, {40, 33, 33, 33, 33, 33}, {50, 33, 33, 33, 33, 33}};
    TestSurface s(6, 6, 24);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) s.set(x, y, {10 * y + x, 0, 0});
    Render_Rotate24to24(s.get(), s.get(), 90);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x) EXPECT_EQ(s.px(x, y)[0], after[y][x]) << x << "," << y;
}

// Guard bytes around both arrays, in the source's last column and in its row
// padding: no call reads them, whatever the angle. Only the square of side
// 2N - 1 about the destination's centre changes, and in the destination's
// padding only whole pixels.
TEST(Rotate, ReadsAndWritesStayInBounds)
{
    const int32_t angles[] = {0, 1, 30, 90, -45, 180, 271, 360, 100000, INT32_MAX, INT32_MIN};
    struct Shape {
        int sw, sh, spad, dw, dh, dpad;
    };
    const Shape shapes[] = {{9, 9, 0, 9, 9, 0},   {8, 5, 2, 20, 17, 3}, {5, 12, 1, 7, 7, 2},
                            {1, 1, 0, 3, 3, 0},   {2, 2, 0, 2, 2, 1},   {3, 1, 0, 5, 5, 0},
                            {16, 16, 3, 4, 4, 5}, {7, 7, 0, 21, 21, 0}};
    for (const Transfer& t : kTransfers)
        for (const Shape& sh : shapes)
            for (int32_t angle : angles) {
                GuardedSurface src(sh.sw, sh.sh, t.src_bits, sh.spad, 0), dst(sh.dw, sh.dh, t.dst_bits, sh.dpad, 9);
                const int sbpp = t.src_bits / 8, dbpp = t.dst_bits / 8;
                // Every pixel whose first byte lies more than 4 bytes before
                // the end of the row may be read, padding or not; the rest of
                // each row (at least the array's last column) must not be.
                for (int y = 0; y < sh.sh; ++y)
                    for (int k = 0; k < src.pitch(); ++k) {
                        const bool readable = sbpp * (k / sbpp) < src.pitch() - 4;
                        src.px(0, y)[k] = readable ? static_cast<uint8_t>(k % sbpp == 3 ? 255 : 1 + k % sbpp) : kGuard;
                    }
                const std::vector<uint8_t> before = dst.all();
                EXPECT_EQ(t.fn(dst.get(), src.get(), angle), 0);

                const std::vector<uint8_t>& now = dst.all();
                const int32_t stride = t.dst_bits == 32 ? dst.pitch() / 4 : dst.pitch();
                const int cxd = (t.dst_bits == 32 ? stride : sh.dw) / 2, cyd = sh.dh / 2;
                const int src_stride = t.src_bits == 32 ? src.pitch() / 4 : src.pitch();
                const int n = std::max((t.src_bits == 32 ? src_stride : sh.sw) / 2, sh.sh / 2);
                for (size_t k = 0; k < now.size(); ++k) {
                    if (now[k] == before[k]) continue;
                    ASSERT_NE(now[k], kGuard) << "a guard byte was read";
                    // Which destination pixel holds byte k?
                    ASSERT_GE(k, dst.offset_of(0, sh.dh - 1)) << "written before the array";
                    const size_t rel = k - dst.offset_of(0, sh.dh - 1);
                    const int y = sh.dh - 1 - static_cast<int>(rel / dst.pitch());
                    const int x = static_cast<int>(rel % dst.pitch()) / dbpp;
                    ASSERT_GE(y, 0) << "written after the array";
                    ASSERT_LE(dbpp * x + dbpp, dst.pitch()) << "a partial pixel in the padding was written";
                    ASSERT_TRUE(x > cxd - n && x < cxd + n && y > cyd - n && y < cyd + n)
                        << "outside the square: " << x << "," << y;
                }
            }
}

// Padding of a 24-bit destination: a whole pixel in it may be written, a
// partial one never.
TEST(Rotate, DestinationRowPadding)
{
    for (int pad : {2, 3}) {
        TestSurface src(9, 9, 24), dst(5, 7, 24, pad);  // dest centre (2, 3); the square reaches column 5
        src.fill(1);
        dst.fill(0);
        Render_Rotate24to24(dst.get(), src.get(), 0);
        int written = 0;
        for (int y = 0; y < 7; ++y)
            for (int k = 15; k < 15 + pad; ++k) written += dst.bytes()[static_cast<size_t>(6 - y) * dst.pitch() + k];
        EXPECT_EQ(written > 0, pad == 3) << pad;
    }
}

// The blended transfer: alpha 0 leaves the destination, 255 copies, anything
// between blends each pixel once (twice would give another value); the
// centre is never written.
TEST(Rotate, BlendedByTheSourceAlpha)
{
    struct Case {
        int alpha, expect;
    };
    const Case cases[] = {{0, 10}, {255, 200}, {128, (200 * 128 + 10 * 127) / 255}, {1, (200 + 10 * 254) / 255}};
    for (const Case& c : cases)
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
                    if (x == 5 && y == 5) {
                        EXPECT_EQ(v, 10) << "centre";
                    }
                    if (v != 10) {
                        EXPECT_EQ(v, c.expect) << x << "," << y << " alpha " << c.alpha << " angle " << angle;
                        ++changed;
                    }
                }
            EXPECT_EQ(changed > 0, c.alpha != 0 && c.expect != 10) << c.alpha;
        }
}

TEST(Rotate, EmptySurfacesWriteNothing)
{
    for (const Transfer& t : kTransfers) {
        TestSurface one(1, 1, t.src_bits), dst(5, 5, t.dst_bits);
        std::mt19937 rng(8);
        dst.fill_random(rng);
        one.fill(3);
        const auto before = dst.bytes();
        Surface no_array{5, 0, nullptr};
        EXPECT_EQ(t.fn(dst.get(), one.get(), 0), 0);  // N = 0
        EXPECT_EQ(t.fn(dst.get(), &no_array, 45), 0);
        EXPECT_EQ(t.fn(dst.get(), nullptr, 45), 0);
        EXPECT_EQ(dst.bytes(), before);
        TestSurface src(7, 7, t.src_bits);
        EXPECT_EQ(t.fn(&no_array, src.get(), 45), 0);
        EXPECT_EQ(t.fn(nullptr, src.get(), 45), 0);
    }
}
