// Filled bars and rectangle outlines: opaque, constant-alpha, alpha-byte and
// masked.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "draw_check.h"
#include "frame/clip.h"
#include "test_surface.h"

using namespace draw_test;
using pixmill_test::TestSurface;

namespace {

const Variant kDraws[] = {
    {"Bar24", 24, Kind::kOpaque, DRAW_OPAQUE(Render_DrawBar24)},
    {"Bar24Alpha", 24, Kind::kAlpha, DRAW_WITH_ALPHA(Render_DrawBar24Alpha)},
    {"Bar32", 32, Kind::kOpaque, DRAW_OPAQUE(Render_DrawBar32)},
    {"Bar32Alpha", 32, Kind::kAlpha, DRAW_WITH_ALPHA(Render_DrawBar32Alpha)},
    {"Bar32AlphaT", 32, Kind::kAlphaByte, DRAW_WITH_ALPHA(Render_DrawBar32AlphaT)},
    {"Rect24", 24, Kind::kOpaque, DRAW_OPAQUE(Render_DrawRect24), true},
    {"Rect24Alpha", 24, Kind::kAlpha, DRAW_WITH_ALPHA(Render_DrawRect24Alpha), true},
    {"Rect32", 32, Kind::kOpaque, DRAW_OPAQUE(Render_DrawRect32), true},
    {"Rect32Alpha", 32, Kind::kAlpha, DRAW_WITH_ALPHA(Render_DrawRect32Alpha), true},
    {"Rect32AlphaT", 32, Kind::kAlphaByte, DRAW_WITH_ALPHA(Render_DrawRect32AlphaT), true},
};

// How many of the four lines of the clipped rectangle r cross pixel (x, y).
int lines_through(const pixmill::Rect& r, int x, int y)
{
    const bool cols = x >= r.x && x < r.x + r.w, rows = y >= r.y && y < r.y + r.h;
    return (cols && y == r.y) + (cols && y == r.y + r.h - 1) + (rows && x == r.x) + (rows && x == r.x + r.w - 1);
}

}  // namespace

TEST(DrawBar, WorkedPixels)
{
    struct Case {
        int bar;  // index into kDraws
        std::vector<int> old;
        int32_t red, green, blue, a;
        std::vector<int> result;
    } const cases[] = {
        {0, {9, 9, 9}, 0x130, 0x220, -1, 0, {255, 0x20, 0x30}},  // low bytes only
        {2, {9, 9, 9, 77}, 1, 2, 3, 0, {3, 2, 1, 77}},
        {4, {9, 9, 9, 77}, 1, 2, 3, 0x1234, {3, 2, 1, 0x34}},
        {4, {9, 9, 9, 0}, 1, 2, 3, 255, {3, 2, 1, 255}},
        {1, {0, 0, 0}, 255, 255, 255, 128, {128, 128, 128}},
        {1, {255, 255, 255}, 0, 0, 0, 128, {127, 127, 127}},
        {1, {10, 20, 30}, 255, 255, 255, 0, {10, 20, 30}},
        {1, {200, 200, 200}, 1, 2, 3, 255, {3, 2, 1}},
        {3, {0, 255, 50, 77}, 50, 0, 255, 128, {128, 127, 50, 77}},
        {3, {10, 20, 30, 77}, 1, 2, 3, 0, {10, 20, 30, 77}},
        // Alpha used whole: the 32-bit sum wraps, the quotient truncates
        // toward zero and its low byte is stored.
        {1, {0, 10, 100}, 0, 255, 255, 256, {0, 255, 0}},
        {3, {0, 100, 200, 5}, 255, 0, 255, -1, {255, 100, 199, 5}},
    };
    for (const Case& c : cases) {
        const Variant& v = kDraws[c.bar];
        ASSERT_EQ(c.old.size(), static_cast<size_t>(v.bits / 8));
        TestSurface s(1, 1, v.bits);
        for (size_t k = 0; k < c.old.size(); ++k) s.bytes()[k] = static_cast<uint8_t>(c.old[k]);
        EXPECT_EQ(v.fn(s.get(), 0, 0, 1, 1, c.red, c.green, c.blue, c.a), 0);
        EXPECT_EQ(s.pixel(0, 0), std::vector<uint8_t>(c.result.begin(), c.result.end())) << v.name << " a " << c.a;
    }
}

TEST(DrawBar24Mask24, MaskRightEdgeDropsAColumnWhenTheBarPassesIt)
{
    TestSurface mask(10, 1, 24), dst(20, 1, 24);
    mask.fill(255);
    for (int32_t w : {10, 11}) {
        dst.fill(0);
        Render_DrawBar24Mask24(dst.get(), 0, 0, w, 1, mask.get(), 0, 0, 9, 9, 9);
        int painted = 0;
        for (int x = 0; x < 20; ++x) painted += dst.px(x, 0)[0] == 9;
        EXPECT_EQ(painted, w == 10 ? 10 : 9) << "w " << w;
    }
}

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
        for (const Variant& v : kDraws) {
            if (!v.outline) continue;
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

// Random padded surfaces, rectangles (some overflowing) and arguments: inside
// the clipped bar each byte follows its variant; an outline's border pixels
// take one application per line through them (so alpha 0 shows none and 255
// the opaque colour); every other byte (the inside of an outline and the row
// padding too) is untouched.
TEST(Draw, RandomBarsAndOutlinesTouchExactlyTheirPixels)
{
    std::mt19937 rng(6);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int32_t alphas[] = {0, 1, 127, 128, 254, 255, 256, -1, 1000, INT32_MIN, INT32_MAX};
    for (int iter = 0; iter < 800; ++iter) {
        const bool masked = iter % 11 == 10;
        const Variant v = masked ? Variant{"Bar24Mask24", 24, Kind::kAlpha, nullptr} : kDraws[iter % 11];
        TestSurface dst(pick(1, 19), pick(1, 9), v.bits, pick(0, 5)), mask(pick(1, 19), pick(1, 9), 24, pick(0, 3));
        dst.fill_random(rng);
        mask.fill_random(rng);
        const auto before = dst.bytes();
        pixmill::Block b{pick(-8, 22), pick(-5, 11), pick(-3, 26), pick(-3, 14), pick(-8, 22), pick(-5, 11)};
        if (iter % 8 == 7) {  // sizes and origins whose sums would overflow 32 bits
            b.w = iter % 16 == 7 ? INT32_MAX : INT32_MIN;
            b.h = INT32_MAX;
            if (iter % 32 == 31) b.dx = b.dy = INT32_MIN;
        }
        const int32_t red = static_cast<int32_t>(rng()), green = static_cast<int32_t>(rng()),
                      blue = static_cast<int32_t>(rng());
        const int32_t a = iter % 2 ? alphas[iter / 2 % 11] : static_cast<int32_t>(rng());
        const uint8_t c[3] = {static_cast<uint8_t>(blue), static_cast<uint8_t>(green), static_cast<uint8_t>(red)};
        bool draws;
        if (masked) {
            Render_DrawBar24Mask24(dst.get(), b.dx, b.dy, b.w, b.h, mask.get(), b.sx, b.sy, red, green, blue);
            draws = pixmill::clip_block(b, dst.width(), dst.height(), mask.width(), mask.height());
        } else {
            v.fn(dst.get(), b.dx, b.dy, b.w, b.h, red, green, blue, a);
            pixmill::Rect r{b.dx, b.dy, b.w, b.h};
            draws = pixmill::clip_rect(r, dst.width(), dst.height());
            b = {r.x, r.y, r.w, r.h, 0, 0};
        }
        SCOPED_TRACE(v.name);
        check_every_byte(dst, before, v.bits / 8, [&](int x, int y, int k, uint8_t old) {
            const bool in = draws && x >= b.dx && x < b.dx + b.w && y >= b.dy && y < b.dy + b.h;
            const int times = !in ? 0 : v.outline ? lines_through({b.dx, b.dy, b.w, b.h}, x, y) : 1;
            if (!in || !masked) return expected_byte(v.kind, k, old, c, a, times);
            const uint8_t m = mask.px(b.sx + x - b.dx, b.sy + y - b.dy)[2];
            return expected_byte(Kind::kAlpha, k, old, c, m, 1);
        });
    }
}
