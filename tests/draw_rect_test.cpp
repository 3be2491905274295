// Rectangle outlines: four full-length one-pixel lines on the clipped border.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "draw_check.h"
#include "frame/clip.h"
#include "test_surface.h"

using namespace draw_test;
using pixmill_test::TestSurface;

namespace {

const Variant kRects[] = {
    {"Rect24", 24, Kind::kOpaque, DRAW_OPAQUE(Render_DrawRect24)},
    {"Rect24Alpha", 24, Kind::kAlpha, DRAW_WITH_ALPHA(Render_DrawRect24Alpha)},
    {"Rect32", 32, Kind::kOpaque, DRAW_OPAQUE(Render_DrawRect32)},
    {"Rect32Alpha", 32, Kind::kAlpha, DRAW_WITH_ALPHA(Render_DrawRect32Alpha)},
    {"Rect32AlphaT", 32, Kind::kAlphaByte, DRAW_WITH_ALPHA(Render_DrawRect32AlphaT)},
};

// How many of the four lines of the clipped rectangle r cross pixel (x, y).
int lines_through(const pixmill::Rect& r, int x, int y)
{
    const bool cols = x >= r.x && x < r.x + r.w, rows = y >= r.y && y < r.y + r.h;
    return (cols && y == r.y) + (cols && y == r.y + r.h - 1) + (rows && x == r.x) + (rows && x == r.x + r.w - 1);
}

}  // namespace

TEST(DrawRect, BorderOfTheClippedRectangleBlendedOncePerLine)
{
    // Colour 255 at alpha 128 over 0: once 128, twice 191, three times 223,
    // four times 239. The corner column gives the value at the clipped
    // rectangle's top-left pixel.
    struct Case {
        int32_t x, y, w, h;
        pixmill::Rect clipped;
        int corner;
    } const cases[] = {
        {1, 1, 4, 3, {1, 1, 4, 3}, 191},
        {1, 1, 4, 1, {1, 1, 4, 1}, 223},    // single row: twice, its ends three times
        {1, 1, 1, 3, {1, 1, 1, 3}, 223},    // single column likewise
        {2, 2, 1, 1, {2, 2, 1, 1}, 239},    // one pixel: four times
        {-5, 1, 20, 3, {0, 1, 8, 3}, 191},  // closed along the surface's edges
        {6, 4, 5, 5, {6, 4, 2, 2}, 191},
    };
    for (const Case& c : cases)
        for (const Variant& v : kRects) {
            TestSurface s(8, 6, v.bits, 1);
            s.fill(0);
            EXPECT_EQ(v.fn(s.get(), c.x, c.y, c.w, c.h, 255, 255, 255, 128), 0);
            if (v.kind == Kind::kAlpha) {
                EXPECT_EQ(s.px(c.clipped.x, c.clipped.y)[1], c.corner) << v.name;
            }
            const uint8_t colour[3] = {255, 255, 255};
            const std::vector<uint8_t> zeros(s.bytes().size(), 0);
            check_every_byte(s, zeros, v.bits / 8, [&](int x, int y, int k, uint8_t) {
                return expected_byte(v.kind, k, 0, colour, 128, lines_through(c.clipped, x, y));
            });
        }
}

// Random padded surfaces and rectangles: border pixels receive one
// application per line through them (alpha 0 none that shows, alpha 255 the
// opaque colour), every other byte (the inside of the rectangle and the row
// padding included) is untouched.
TEST(DrawRect, RandomOutlinesTouchOnlyTheBorder)
{
    std::mt19937 rng(41);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int32_t alphas[] = {0, 1, 128, 255, 256, -1, INT32_MIN, INT32_MAX};
    for (int iter = 0; iter < 400; ++iter) {
        const Variant& v = kRects[iter % 5];
        TestSurface s(pick(1, 19), pick(1, 9), v.bits, pick(0, 5));
        s.fill_random(rng);
        const auto before = s.bytes();
        pixmill::Rect r{pick(-8, 22), pick(-5, 11), pick(-3, 26), pick(-3, 14)};
        const int32_t red = static_cast<int32_t>(rng()), green = static_cast<int32_t>(rng()),
                      blue = static_cast<int32_t>(rng());
        const int32_t a = iter % 2 ? alphas[iter / 2 % 8] : static_cast<int32_t>(rng());
        const uint8_t c[3] = {static_cast<uint8_t>(blue), static_cast<uint8_t>(green), static_cast<uint8_t>(red)};
        v.fn(s.get(), r.x, r.y, r.w, r.h, red, green, blue, a);
        if (!pixmill::clip_rect(r, s.width(), s.height())) r = {0, 0, 0, 0};
        check_every_byte(s, before, v.bits / 8, [&](int x, int y, int k, uint8_t old) {
            return expected_byte(v.kind, k, old, c, a, lines_through(r, x, y));
        });
    }
}
