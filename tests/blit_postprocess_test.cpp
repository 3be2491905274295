// The keyed, alpha-stamping copy with its edge-softening alpha filter.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

#include "draw_check.h"
#include "frame/clip.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

namespace {

// Alphas of the w x h rectangle at (x, y), listed by array row from the
// rectangle's bottom row upwards, left to right.
std::vector<int> alphas(TestSurface& s, int x, int y, int w, int h)
{
    std::vector<int> out;
    for (int i = 0; i < h; ++i)
        for (int j = 0; j < w; ++j) out.push_back(s.px(x + j, y + h - 1 - i)[3]);
    return out;
}

// Source at (0, 0), key (1, 1, 1).
int32_t post(TestSurface& dst, int dx, int dy, int w, int h, TestSurface& src, int alpha, int passes)
{
    return Render_BitBlt24to32TColorAlphaPostProcess(dst.get(), dx, dy, w, h, src.get(), 0, 0, 1, 1, 1, alpha,
                                                     passes);
}

const std::vector<int> k3x3OnePass = {128, 160, 104, 160, 208, 142, 104, 142, 71};

}  // namespace

TEST(PostProcessBlit, WorkedRegions)
{
    struct Case {
        int w, h, alpha, passes;
        std::vector<int> result;
    };
    const Case cases[] = {
        {1, 1, 255, 1, {0}},
        {3, 3, 255, 1, k3x3OnePass},
        {4, 1, 255, 1, {64, 80, 84, 21}},
        // Two pixels: 64, 16 after one pass; then t = 4, 1; then both settle
        // at 1, the right one keeping an alpha equal to its t.
        {2, 1, 255, 2, {4, 1}},
        {2, 1, 255, 3, {1, 1}},
        {2, 1, 255, INT32_MAX, {1, 1}},  // finishes: once a pass changes nothing, so would every further one
        {2, 2, 0x1C8, 0, {200, 200, 200, 200}},  // no passes: a keyed copy stamping the low byte of alpha
        {2, 2, 200, -3, {200, 200, 200, 200}},
    };
    for (const Case& c : cases) {
        TestSurface src(c.w, c.h, 24), dst(c.w, c.h, 32);
        src.fill(50);
        dst.fill(9);
        EXPECT_EQ(post(dst, 0, 0, c.w, c.h, src, c.alpha, c.passes), 0);
        EXPECT_EQ(alphas(dst, 0, 0, c.w, c.h), c.result) << c.w << "x" << c.h << " passes " << c.passes;
        EXPECT_EQ(dst.px(c.w - 1, 0)[2], 50);
    }
}

TEST(PostProcessBlit, FilterRunsOverTheRectangleWritten)
{
    // A 3 x 3 sprite anywhere softens as it does filling a 3 x 3 surface, and
    // no byte outside it changes, alphas below or beside it included.
    struct Case {
        int dw, dh, dx, dy;
    };
    const Case cases[] = {{3, 3, 0, 0}, {8, 6, 2, 1}, {3, 5, 0, 0}, {8, 6, 5, 3}, {5, 4, 0, 1}};
    std::mt19937 rng(3);
    for (const Case& c : cases) {
        TestSurface src(3, 3, 24), dst(c.dw, c.dh, 32, 1);
        src.fill(50);
        dst.fill_random(rng);
        const auto before = dst.bytes();
        post(dst, c.dx, c.dy, 3, 3, src, 255, 1);
        SCOPED_TRACE(testing::Message() << c.dw << "x" << c.dh << " at " << c.dx << "," << c.dy);
        draw_test::check_every_byte(dst, before, 4, [&](int x, int y, int k, uint8_t old) -> int {
            const int i = x - c.dx, j = y - c.dy;
            if (i < 0 || i >= 3 || j < 0 || j >= 3) return old;
            return k < 3 ? 50 : k3x3OnePass[(2 - j) * 3 + i];  // listed from the bottom row up
        });
    }
}

TEST(PostProcessBlit, KeyPixelsKeepTheirAlphaAndItIsFiltered)
{
    // Two pixels, the left one keyed: its old alpha stays (no passes), is
    // lowered by the filter (to 0 when below its t of 64, so transparent stays
    // transparent), and decides what its neighbour becomes.
    struct Case {
        int old_alpha, passes;
        std::vector<int> result;
    };
    const Case cases[] = {{77, 0, {77, 255}}, {200, 1, {64, 16}}, {30, 1, {0, 0}}, {0, 1, {0, 0}}};
    for (const Case& c : cases) {
        TestSurface src(2, 1, 24), dst(2, 1, 32);
        src.set(0, 0, {1, 1, 1});
        src.set(1, 0, {5, 6, 7});
        dst.set(0, 0, {9, 8, 7, c.old_alpha});
        dst.set(1, 0, {0, 0, 0, 0});
        post(dst, 0, 0, 2, 1, src, 255, c.passes);
        EXPECT_EQ(alphas(dst, 0, 0, 2, 1), c.result) << c.old_alpha << " passes " << c.passes;
        EXPECT_EQ(dst.px(0, 0)[0], 9);
        EXPECT_EQ(dst.px(1, 0)[2], 7);
    }
}

// Random placements, keys, clips and pass counts on padded surfaces: inside
// the clipped rectangle the result is the one a surface of exactly its size
// with the same starting bytes gets; outside it nothing changes.
TEST(PostProcessBlit, RandomPlacementsMatchAFullSizeCopy)
{
    std::mt19937 rng(5);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int iter = 0; iter < 400; ++iter) {
        TestSurface src(pick(1, 12), pick(1, 8), 24, pick(0, 3));
        TestSurface dst(pick(1, 14), pick(1, 9), 32, pick(0, 2));
        for (auto& v : src.bytes()) v = uint8_t(pick(0, 1) * 255);
        dst.fill_random(rng);
        const auto before = dst.bytes();
        pixmill::Block b{pick(-2, dst.width() - 1), pick(-2, dst.height() - 1), pick(-1, 15),
                         pick(-1, 10),               pick(-2, src.width() - 1), pick(-2, src.height() - 1)};
        const int key = pick(0, 1) * 255, alpha = pick(0, 255), passes = pick(-1, 4);
        Render_BitBlt24to32TColorAlphaPostProcess(dst.get(), b.dx, b.dy, b.w, b.h, src.get(), b.sx, b.sy, key, key,
                                                  key, alpha, passes);
        if (!pixmill::clip_block(b, dst.width(), dst.height(), src.width(), src.height())) {
            ASSERT_EQ(dst.bytes(), before) << iter;
            continue;
        }
        TestSurface alone(b.w, b.h, 32);
        for (int y = 0; y < b.h; ++y)
            for (int x = 0; x < b.w; ++x) {
                const size_t at = static_cast<size_t>(dst.height() - 1 - b.dy - y) * dst.pitch() + 4 * (b.dx + x);
                std::copy_n(before.begin() + at, 4, alone.px(x, y));
            }
        Render_BitBlt24to32TColorAlphaPostProcess(alone.get(), 0, 0, b.w, b.h, src.get(), b.sx, b.sy, key, key, key,
                                                  alpha, passes);
        SCOPED_TRACE(iter);
        draw_test::check_every_byte(dst, before, 4, [&](int x, int y, int k, uint8_t old) -> int {
            const bool in = x >= b.dx && x < b.dx + b.w && y >= b.dy && y < b.dy + b.h;
            return in ? alone.px(x - b.dx, y - b.dy)[k] : old;
        });
    }
}
