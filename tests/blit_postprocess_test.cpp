// The keyed, alpha-stamping copy with its edge-softening alpha filter. (Its
// copy stage alone, passes 0, is placed with the other transfers.)
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>

#include "test_surface.h"

using pixmill_test::TestSurface;

namespace {

// The alphas by array row from the bottom row up, left to right.
std::vector<int> alphas(TestSurface& s)
{
    std::vector<int> out;
    for (int y = s.height() - 1; y >= 0; --y)
        for (int x = 0; x < s.width(); ++x) out.push_back(s.px(x, y)[3]);
    return out;
}

// Source at (0, 0), key (1, 1, 1).
int32_t post(TestSurface& dst, int dx, int dy, int w, int h, TestSurface& src, int alpha, int passes)
{
    return Render_BitBlt24to32TColorAlphaPostProcess(dst.get(), dx, dy, w, h, src.get(), 0, 0, 1, 1, 1, alpha,
                                                     passes);
}

}  // namespace

TEST(PostProcessBlit, WorkedRegions)
{
    // A source of 50s over bytes of 9; with `keyed` alpha, the first pixel is
    // a key pixel over that old alpha, which it keeps (no passes), which the
    // filter lowers (to 0 when below its t, so transparent stays transparent)
    // and which decides what its neighbour becomes.
    const struct { int w, h, alpha, passes, keyed; std::vector<int> result; } cases[] = {
        {1, 1, 255, 1, -1, {0}},
        {3, 3, 255, 1, -1, {128, 160, 104, 160, 208, 142, 104, 142, 71}},
        {4, 1, 255, 1, -1, {64, 80, 84, 21}},
        // Two pixels: 64, 16 after one pass; then t = 4, 1; then both settle
        // at 1, the right one keeping an alpha equal to its t.
        {2, 1, 255, 2, -1, {4, 1}},
        {2, 1, 255, 3, -1, {1, 1}},
        {2, 1, 255, INT32_MAX, -1, {1, 1}},  // finishes: once a pass changes nothing, so would every further one
        {2, 2, 0x1C8, 0, -1, {200, 200, 200, 200}},  // no passes: a keyed copy stamping the low byte of alpha
        {2, 2, 200, -3, -1, {200, 200, 200, 200}},
        {2, 1, 255, 0, 77, {77, 255}},
        {2, 1, 255, 1, 200, {64, 16}},
        {2, 1, 255, 1, 30, {0, 0}},
        {2, 1, 255, 1, 0, {0, 0}},
    };
    for (const auto& c : cases) {
        TestSurface src(c.w, c.h, 24), dst(c.w, c.h, 32);
        src.fill(50);
        dst.fill(9);
        if (c.keyed >= 0) {
            src.set(0, 0, {1, 1, 1});
            dst.px(0, 0)[3] = static_cast<uint8_t>(c.keyed);
        }
        EXPECT_EQ(post(dst, 0, 0, c.w, c.h, src, c.alpha, c.passes), 0);
        EXPECT_EQ(alphas(dst), c.result) << c.w << "x" << c.h << " passes " << c.passes;
        EXPECT_EQ(dst.px(0, 0)[2], c.keyed >= 0 ? 9 : 50);
        EXPECT_EQ(dst.px(c.w - 1, 0)[2], 50);
    }
}

TEST(PostProcessBlit, FilterRunsOverTheClippedRectangleWritten)
{
    // A 3 x 3 sprite anywhere, clipped or not, softens as a sprite of its
    // clipped size alone on a surface of that size, and no byte outside it
    // changes, alphas below or beside it included.
    const struct { int dw, dh, dx, dy, w, h; } cases[] = {  // w x h: the clipped size
        {3, 3, 0, 0, 3, 3}, {8, 6, 2, 1, 3, 3}, {3, 5, 0, 0, 3, 3}, {8, 6, 5, 3, 3, 3},
        {5, 4, 0, 1, 3, 3}, {8, 6, 6, 4, 2, 2}, {8, 6, -1, -2, 2, 1}};
    std::mt19937 rng(3);
    for (const auto& c : cases) {
        TestSurface src(3, 3, 24), dst(c.dw, c.dh, 32, 1), alone(c.w, c.h, 32);
        src.fill(50);
        dst.fill_random(rng);
        std::vector<uint8_t> want = dst.bytes();
        post(dst, c.dx, c.dy, 3, 3, src, 255, 2);
        post(alone, 0, 0, c.w, c.h, src, 255, 2);
        const int x0 = std::max(c.dx, 0), y0 = std::max(c.dy, 0);
        for (int y = y0; y < y0 + c.h; ++y)
            for (int x = x0; x < x0 + c.w; ++x)
                std::copy_n(alone.px(x - x0, y - y0), 4, want.begin() + (dst.px(x, y) - dst.bytes().data()));
        EXPECT_EQ(dst.bytes(), want) << c.dw << "x" << c.dh << " at " << c.dx << "," << c.dy;
    }
}
