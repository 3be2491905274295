// Inversion, the alpha operations, the mirror and Set32Alpha; and, for every
// one-rectangle filter, that exactly the clipped rectangle changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <random>

#include "draw_check.h"
#include "frame/clip.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

namespace {

using Filter = void (*)(Surface*, int32_t, int32_t, int32_t, int32_t);
#define FILTER(call) [](Surface* s, int32_t x, int32_t y, int32_t w, int32_t h) { call; }

struct FilterCase {
    const char* name;
    int bits;
    Filter fn;
    bool mirror;  // moves pixels instead of changing each on its own
};

const FilterCase kFilters[] = {
    {"GammaCorrect24", 24, FILTER(Render_GammaCorrect24(s, x, y, w, h, 40, -40, 90)), false},
    {"GammaCorrect24TColor", 24, FILTER(Render_GammaCorrect24TColor(s, x, y, w, h, 40, -40, 90, 0, 0, 0)), false},
    {"GammaCorrect32", 32, FILTER(Render_GammaCorrect32(s, x, y, w, h, 40, -40, 90, -70)), false},
    {"Contrast24", 24, FILTER(Render_Contrast24(s, x, y, w, h, 1.6f)), false},
    {"Invert24", 24, FILTER(Render_Invert24(s, x, y, w, h)), false},
    {"Invert32", 32, FILTER(Render_Invert32(s, x, y, w, h)), false},
    {"InvertAlpha32", 32, FILTER(Render_InvertAlpha32(s, x, y, w, h)), false},
    {"AlphaAdd32", 32, FILTER(Render_AlphaAdd32(s, x, y, w, h, 100)), false},
    {"AjustHLS32", 32, FILTER(Render_AjustHLS32(s, x, y, w, h, 30, -10, 20)), false},
    {"HorizontalFlip32", 32, FILTER(Render_HorizontalFlip32(s, x, y, w, h)), true},
};

}  // namespace

// Each inversion complements exactly its bytes of every pixel.
TEST(ChannelOps, InversionsTouchOnlyTheirBytes)
{
    struct Case {
        Filter fn;
        int bits;
        bool colour, alpha;
    };
    const Case cases[] = {{FILTER(Render_Invert24(s, x, y, w, h)), 24, true, false},
                          {FILTER(Render_Invert32(s, x, y, w, h)), 32, true, false},
                          {FILTER(Render_InvertAlpha32(s, x, y, w, h)), 32, false, true}};
    std::mt19937 rng(3);
    for (const Case& c : cases) {
        TestSurface s(7, 3, c.bits);
        s.fill_random(rng);
        const auto before = s.bytes();
        c.fn(s.get(), 0, 0, 7, 3);
        for (size_t i = 0; i < before.size(); ++i) {
            const bool alpha_byte = c.bits == 32 && i % 4 == 3;
            const bool flips = alpha_byte ? c.alpha : c.colour;
            ASSERT_EQ(s.bytes()[i], flips ? 255 - before[i] : before[i]) << c.bits << " byte " << i;
        }
    }
}

TEST(ChannelOps, AlphaAddClampsTheWholeSum)
{
    struct Case {
        int alpha;
        int32_t delta;
        int expect;
    };
    const Case cases[] = {{200, -300, 0}, {10, 300, 255},      {77, 0, 77},         {0, -1, 0},      {255, 1, 255},
                          {100, 27, 127}, {255, INT32_MIN, 0}, {0, INT32_MAX, 255}, {5, 65536, 255}, {250, -65536, 0}};
    for (const Case& c : cases) {
        TestSurface s(1, 1, 32);
        s.set(0, 0, {1, 2, 3, c.alpha});
        EXPECT_EQ(Render_AlphaAdd32(s.get(), 0, 0, 1, 1, c.delta), 0);
        EXPECT_EQ(s.pixel(0, 0), (std::vector<uint8_t>{1, 2, 3, uint8_t(c.expect)})) << c.alpha << " + " << c.delta;
    }
}

TEST(HorizontalFlip32, MirrorsTheClippedRectangleAboutItsOwnMiddle)
{
    struct Case {
        int32_t x, w;
        std::vector<int> columns;  // the original column found in each column of a 10-wide row
    };
    const Case cases[] = {
        {3, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},  {3, 2, {0, 1, 2, 4, 3, 5, 6, 7, 8, 9}},
        {0, 5, {4, 3, 2, 1, 0, 5, 6, 7, 8, 9}},  {6, 8, {0, 1, 2, 3, 4, 5, 9, 8, 7, 6}},  // sticks out right
        {-2, 5, {2, 1, 0, 3, 4, 5, 6, 7, 8, 9}}, {-5, 100, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}},
        {10, 4, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const Case& c : cases) {
        TestSurface s(10, 1, 32, 2);
        for (int x = 0; x < 10; ++x) s.set(x, 0, {x, x + 10, x + 20, x + 30});
        EXPECT_EQ(Render_HorizontalFlip32(s.get(), c.x, 0, c.w, 1), 0);
        for (int x = 0; x < 10; ++x) {
            const int from = c.columns[x];
            EXPECT_EQ(s.pixel(x, 0),
                      (std::vector<uint8_t>{uint8_t(from), uint8_t(from + 10), uint8_t(from + 20), uint8_t(from + 30)}))
                << "x " << c.x << " w " << c.w << " column " << x;
        }
    }
}

// Set32Alpha covers every pixel of the array, the padding beyond Width
// included, whatever Width says; an array without rows is left alone.
TEST(Set32Alpha, WritesEveryPixelOfTheArray)
{
    std::mt19937 rng(8);
    for (int32_t width : {5, 0, -3, 1000}) {
        TestSurface s(5, 3, 32, 2);
        s.fill_random(rng);
        const auto before = s.bytes();
        s.get()->Width = width;
        EXPECT_EQ(Render_Set32Alpha(s.get(), 0x1234), 0);
        for (size_t i = 0; i < before.size(); ++i)
            ASSERT_EQ(s.bytes()[i], i % 4 == 3 ? 0x34 : before[i]) << "Width " << width << " byte " << i;
    }
    Surface no_array{5, 0, nullptr};
    EXPECT_EQ(Render_Set32Alpha(&no_array, 9), 0);
    EXPECT_EQ(Render_Set32Alpha(nullptr, 9), 0);
}

// Random surfaces with padded rows and random rectangles: bytes outside the
// clipped rectangle (row padding included) never change, and each pixel inside
// changes exactly as the same filter changes that pixel on its own (the
// mirror: takes the mirrored pixel). Flipping twice restores.
TEST(FilterRectangles, ExactlyTheClippedRectangleChanges)
{
    std::mt19937 rng(2024);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (const FilterCase& c : kFilters) {
        const int bpp = c.bits / 8;
        for (int iter = 0; iter < 300; ++iter) {
            TestSurface s(pick(1, 19), pick(1, 9), c.bits, pick(0, 5));
            s.fill_random(rng);
            const auto before = s.bytes();
            // Now and then arguments at the int32 limits, whose sums must not wrap.
            const pixmill::Rect extremes[] = {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
                                              {0, 0, INT32_MAX, INT32_MAX},
                                              {INT32_MAX, 0, INT32_MAX, 4},
                                              {1, 1, INT32_MIN, INT32_MIN}};
            pixmill::Rect r = iter % 10 == 9 ? extremes[iter / 10 % 4]
                                             : pixmill::Rect{pick(-6, 22), pick(-4, 11), pick(-2, 26), pick(-2, 14)};
            c.fn(s.get(), r.x, r.y, r.w, r.h);
            const pixmill::Rect asked = r;
            const bool draws = pixmill::clip_rect(r, s.width(), s.height());
            auto before_px = [&](int x, int y) { return &before[size_t(s.height() - 1 - y) * s.pitch() + x * bpp]; };
            SCOPED_TRACE(c.name);
            draw_test::check_every_byte(s, before, bpp, [&](int x, int y, int k, uint8_t old) -> int {
                if (!draws || x < r.x || x >= r.x + r.w || y < r.y || y >= r.y + r.h) return old;
                if (c.mirror) return before_px(2 * r.x + r.w - 1 - x, y)[k];
                TestSurface one(1, 1, c.bits);
                std::copy_n(before_px(x, y), bpp, one.bytes().begin());
                c.fn(one.get(), 0, 0, 1, 1);
                return one.bytes()[k];
            });
            if (c.mirror) {
                c.fn(s.get(), asked.x, asked.y, asked.w, asked.h);
                ASSERT_EQ(s.bytes(), before);
            }
        }
    }
}

