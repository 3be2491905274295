// The in-place water ripple.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <vector>

#include "frame/clip.h"
#include "guarded_surface.h"
#include "test_surface.h"

using pixmill_test::GuardedSurface;
using pixmill_test::kGuard;
using pixmill_test::TestSurface;

namespace {

using RippleFn = int32_t(PIXMILL_CALL*)(Surface*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);

struct Format {
    RippleFn fn;
    int bits;
};
const Format kFormats[] = {{Render_RoundsFromWater24, 24}, {Render_RoundsFromWater32, 32}};

// A pixel that names value v in every byte, each byte differently, so a moved
// pixel shows it moved whole (the fourth byte included).
std::vector<int> pixel_for(int v, int bits)
{
    std::vector<int> p = {v, 255 - v, v ^ 0x55, (v + 100) & 255};
    p.resize(bits / 8);
    return p;
}

void load(TestSurface& s, const std::vector<std::vector<int>>& grid, int bits)
{
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) s.set(x, y, pixel_for(grid[y][x], bits));
}

void expect_grid(TestSurface& s, const std::vector<std::vector<int>>& grid, int bits, const char* what)
{
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            const auto want = pixel_for(grid[y][x], bits);
            EXPECT_EQ(s.pixel(x, y), std::vector<uint8_t>(want.begin(), want.end()))
                << what << " at " << x << "," << y << " bits " << bits;
        }
}

// Pixel (c, r) of the worked example holds 10 r + c.
std::vector<std::vector<int>> example_grid()
{
    std::vector<std::vector<int>> g(6, std::vector<int>(10));
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 10; ++c) g[r][c] = 10 * r + c;
    return g;
}

}  // namespace

// 10 x 6, rippled whole with amplitude 20 and spread 50 (ring centre (5, 3),
// offsets up to 4 across and 2.5 up, half a radian per pixel). Pixel (2, 2)
// takes pixel (5, 0); pixel (0, 3), on the disc's rim, then takes (2, 2) as
// already moved: 5, not 22.
TEST(Ripple, WorkedExample)
{
    const std::vector<std::vector<int>> after = {
        {0, 1, 2, 3, 4, 5, 6, 7, 8, 9},          {10, 4, 12, 13, 14, 15, 16, 17, 18, 19},
        {20, 4, 5, 6, 16, 16, 18, 27, 28, 29},   {5, 14, 15, 16, 16, 35, 27, 37, 38, 39},
        {40, 16, 16, 18, 27, 27, 38, 47, 48, 49}, {50, 27, 35, 27, 37, 38, 39, 57, 58, 59},
    };
    for (const Format& f : kFormats) {
        TestSurface s(10, 6, f.bits);
        load(s, example_grid(), f.bits);
        EXPECT_EQ(f.fn(s.get(), 0, 0, 10, 6, 20, 50), 0);
        expect_grid(s, after, f.bits, "worked example");
    }
}

// The same example placed at (4, 1) on a 16 x 9 surface, away from its
// bottom-left corner, amid pixels of their own values: every sample that lies
// on the surface is taken, from above, beside or below the rectangle alike.
// Where the example's samples fell off its surface, these come from the
// surrounding pixels.
TEST(Ripple, RectangleAwayFromTheCornerSamplesTheWholeSurface)
{
    std::vector<std::vector<int>> before(9, std::vector<int>(16));
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 16; ++c) before[r][c] = r >= 1 && r < 7 && c >= 4 && c < 14 ? 10 * (r - 1) + c - 4
                                                                                        : 100 + (r * 16 + c) % 150;
    const std::vector<std::vector<int>> after = {
        {100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115},
        {116, 117, 118, 119, 0, 107, 2, 3, 4, 5, 6, 7, 8, 115, 130, 131},
        {132, 133, 134, 135, 10, 4, 109, 110, 111, 112, 113, 114, 115, 19, 146, 147},
        {148, 149, 150, 151, 20, 4, 5, 6, 113, 113, 115, 130, 131, 29, 162, 163},
        {164, 165, 166, 167, 5, 111, 112, 113, 113, 35, 130, 146, 147, 39, 178, 179},
        {180, 181, 182, 183, 40, 113, 113, 115, 130, 130, 147, 162, 163, 49, 194, 195},
        {196, 197, 198, 199, 50, 130, 35, 130, 146, 147, 39, 178, 179, 59, 210, 211},
        {212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222, 223, 224, 225, 226, 227},
        {228, 229, 230, 231, 232, 233, 234, 235, 236, 237, 238, 239, 240, 241, 242, 243},
    };
    for (const Format& f : kFormats) {
        TestSurface s(16, 9, f.bits);
        load(s, before, f.bits);
        f.fn(s.get(), 4, 1, 10, 6, 20, 50);
        expect_grid(s, after, f.bits, "embedded example");
    }
}

TEST(Ripple, ArgumentsThatMoveNothing)
{
    struct Case {
        const char* what;
        int32_t x, y, w, h, amplitude, spread;
    };
    const Case cases[] = {
        {"amplitude 0", 0, 0, 12, 9, 0, 37},
        {"spread 100", 0, 0, 12, 9, 5000, 100},
        {"x = Width", 12, 0, 5, 5, 20, 50},
        {"y = Rows", 0, 9, 5, 5, 20, 50},
        {"empty width", 0, 0, 0, 9, 20, 50},
        {"negative height", 0, 0, 12, -3, 20, 50},
        {"overhang swallows the width", -12, 0, 12, 9, 20, 50},
        {"one pixel", 3, 3, 1, 1, INT32_MAX, 0},  // its own centre: an offset of 0
        {"extremes", INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN},
    };
    for (const Format& f : kFormats) {
        TestSurface s(12, 9, f.bits, 3);
        std::mt19937 rng(2);
        s.fill_random(rng);
        const auto before = s.bytes();
        for (const Case& c : cases) {
            EXPECT_EQ(f.fn(s.get(), c.x, c.y, c.w, c.h, c.amplitude, c.spread), 0);
            EXPECT_EQ(s.bytes(), before) << c.what << " bits " << f.bits;
        }
        Surface no_array{12, 0, nullptr};
        EXPECT_EQ(f.fn(&no_array, 0, 0, 12, 9, 20, 50), 0);
        EXPECT_EQ(f.fn(nullptr, 0, 0, 12, 9, 20, 50), 0);
    }
}

// Only the disc of radius w / 2 about the rectangle's centre moves: a tall
// rectangle keeps its top and bottom bands, whatever the amplitude.
TEST(Ripple, TallRectangleMovesOnlyWithinItsDisc)
{
    for (const Format& f : kFormats)
        for (int32_t amplitude : {7, 20, -20, 40}) {
            TestSurface s(10, 40, f.bits);
            std::mt19937 rng(amplitude & 0xff);
            s.fill_random(rng);
            const auto before = s.bytes();
            f.fn(s.get(), 2, 0, 6, 40, amplitude, 0);  // disc: radius 3 about (5, 20)
            int moved = 0;
            for (int y = 0; y < 40; ++y)
                for (int x = 0; x < 10; ++x) {
                    const size_t at = static_cast<size_t>(39 - y) * s.pitch() + x * f.bits / 8;
                    const bool same = std::equal(s.px(x, y), s.px(x, y) + f.bits / 8, before.begin() + at);
                    if (y < 17 || y > 23 || x < 2 || x >= 8) {
                        EXPECT_TRUE(same) << x << "," << y << " amplitude " << amplitude;
                    } else {
                        moved += !same;
                    }
                }
            EXPECT_GT(moved, 0) << amplitude;
        }
}

// Pixel arrays between guard bytes, guard bytes in the row padding too: for
// any rectangle, amplitude and spread, no guard byte reaches a pixel (nothing
// was read off the surface) and nothing outside the clipped rectangle changes.
TEST(Ripple, NeverReadsOffTheSurface)
{
    std::mt19937 rng(17);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int32_t amplitudes[] = {1, 13, -13, 100, 5000, INT32_MAX, INT32_MIN, -1};
    const int32_t spreads[] = {0, 50, 99, -250, 1000000, INT32_MAX, INT32_MIN};
    for (const Format& f : kFormats)
        for (int iter = 0; iter < 300; ++iter) {
            const int w = pick(1, 24), h = pick(1, 16), bpp = f.bits / 8;
            GuardedSurface s(w, h, f.bits, pick(0, 3));
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    for (int b = 0; b < bpp; ++b) s.px(x, y)[b] = static_cast<uint8_t>(pick(0, 200));
            const std::vector<uint8_t> before = s.all();
            pixmill::Rect r{pick(-5, w), pick(-5, h), pick(-3, w + 6), pick(-3, h + 6)};
            const int32_t amplitude = amplitudes[pick(0, 7)], spread = spreads[pick(0, 6)];
            f.fn(s.get(), r.x, r.y, r.w, r.h, amplitude, spread);
            ASSERT_TRUE(s.pixels_free_of_guard()) << iter;
            const bool draws = pixmill::clip_rect(r, w, h);
            // Blank the clipped rectangle in both pictures; the rest must agree.
            std::vector<uint8_t> now = s.all(), was = before;
            if (draws)
                for (int y = r.y; y < r.y + r.h; ++y)
                    for (int x = r.x; x < r.x + r.w; ++x) {
                        std::fill_n(now.begin() + s.offset_of(x, y), bpp, 0);
                        std::fill_n(was.begin() + s.offset_of(x, y), bpp, 0);
                    }
            ASSERT_EQ(now, was) << iter;
        }
}
