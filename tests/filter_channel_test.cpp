// Inversion, the alpha operations, the mirror and Set32Alpha; and, for every
// one-rectangle filter, that exactly the clipped rectangle changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <random>

#include "frame/clip.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

namespace {

// Pixel x of row 0 as its four bytes x, x + 10, x + 20, x + 30 (x < 50).
void number_row(TestSurface& s)
{
    for (int x = 0; x < s.width(); ++x) s.set(x, 0, {x, x + 10, x + 20, x + 30});
}

std::vector<uint8_t> numbered(int x)
{
    return {uint8_t(x), uint8_t(x + 10), uint8_t(x + 20), uint8_t(x + 30)};
}

}  // namespace

TEST(ChannelOps, InversionTouchesOnlyItsBytesAndUndoesItself)
{
    std::mt19937 rng(3);
    TestSurface s24(7, 3, 24, 2), s32(7, 3, 32, 1);
    s24.fill_random(rng);
    s32.fill_random(rng);
    const auto b24 = s24.bytes(), b32 = s32.bytes();

    Render_Invert24(s24.get(), 0, 0, 7, 3);
    Render_Invert32(s32.get(), 0, 0, 7, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) {
            const size_t at24 = static_cast<size_t>(s24.px(x, y) - s24.bytes().data());
            const size_t at32 = static_cast<size_t>(s32.px(x, y) - s32.bytes().data());
            for (int k = 0; k < 3; ++k) {
                ASSERT_EQ(s24.bytes()[at24 + k], 255 - b24[at24 + k]);
                ASSERT_EQ(s32.bytes()[at32 + k], 255 - b32[at32 + k]);
            }
            ASSERT_EQ(s32.bytes()[at32 + 3], b32[at32 + 3]) << "Invert32 keeps alpha";
        }
    Render_Invert24(s24.get(), 0, 0, 7, 3);
    Render_Invert32(s32.get(), 0, 0, 7, 3);
    EXPECT_EQ(s24.bytes(), b24);
    EXPECT_EQ(s32.bytes(), b32);

    Render_InvertAlpha32(s32.get(), 0, 0, 7, 3);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 7; ++x) {
            const size_t at = static_cast<size_t>(s32.px(x, y) - s32.bytes().data());
            for (int k = 0; k < 3; ++k) ASSERT_EQ(s32.bytes()[at + k], b32[at + k]) << "colour kept";
            ASSERT_EQ(s32.bytes()[at + 3], 255 - b32[at + 3]);
        }
    Render_InvertAlpha32(s32.get(), 0, 0, 7, 3);
    EXPECT_EQ(s32.bytes(), b32);
}

TEST(ChannelOps, AlphaAddClampsTheWholeSum)
{
    struct Case {
        int alpha;
        int32_t delta;
        int expect;
    };
    const Case cases[] = {{200, -300, 0},      {10, 300, 255},      {77, 0, 77},     {0, -1, 0},
                          {255, 1, 255},       {100, 155, 255},     {100, -100, 0},  {100, 27, 127},
                          {255, INT32_MIN, 0}, {0, INT32_MAX, 255}, {5, 65536, 255}, {250, -65536, 0}};
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
        std::vector<int> columns;  // which original column ends up in each column of a 10-wide row
    };
    const Case cases[] = {
        {3, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {3, 2, {0, 1, 2, 4, 3, 5, 6, 7, 8, 9}},
        {0, 5, {4, 3, 2, 1, 0, 5, 6, 7, 8, 9}},
        {6, 8, {0, 1, 2, 3, 4, 5, 9, 8, 7, 6}},   // sticks out on the right: columns 6..9
        {-2, 5, {2, 1, 0, 3, 4, 5, 6, 7, 8, 9}},  // sticks out on the left: columns 0..2
        {0, 10, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}},
        {-5, 100, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}},
        {9, 4, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {10, 4, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const Case& c : cases) {
        TestSurface s(10, 1, 32, 2);
        number_row(s);
        EXPECT_EQ(Render_HorizontalFlip32(s.get(), c.x, 0, c.w, 1), 0);
        for (int x = 0; x < 10; ++x) EXPECT_EQ(s.pixel(x, 0), numbered(c.columns[x])) << "x " << c.x << " w " << c.w;
    }
}

TEST(HorizontalFlip32, FlippingTwiceRestores)
{
    std::mt19937 rng(5);
    TestSurface s(11, 6, 32, 3);
    s.fill_random(rng);
    const auto before = s.bytes();
    Render_HorizontalFlip32(s.get(), 1, 1, 9, 4);
    EXPECT_NE(s.bytes(), before);
    Render_HorizontalFlip32(s.get(), 1, 1, 9, 4);
    EXPECT_EQ(s.bytes(), before);
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
// changes exactly as the same filter changes that pixel on its own (for the
// mirror: takes the mirrored pixel).
TEST(FilterRectangles, ExactlyTheClippedRectangleChanges)
{
    using Filter = void (*)(Surface*, int32_t, int32_t, int32_t, int32_t);
    struct Case {
        const char* name;
        int bits;
        Filter fn;
        bool mirror;
    };
    const Case cases[] = {
        {"GammaCorrect24", 24,
         [](Surface* s, int32_t x, int32_t y, int32_t w, int32_t h) {
             Render_GammaCorrect24(s, x, y, w, h, 40, -40, 90);
         },
         false},
        {"GammaCorrect24TColor", 24,
         [](Surface* s, int32_t x, int32_t y, int32_t w, int32_t h) {
             Render_GammaCorrect24TColor(s, x, y, w, h, 40, -40, 90, 0, 0, 0);
         },
         false},
        {"GammaCorrect32", 32,
         [](Surface* s, int32_t x, int32_t y, int32_t w, int32_t h) {
             Render_GammaCorrect32(s, x, y, w, h, 40, -40, 90, -70);
         },
         false},
        {"Contrast24", 24,
         [](Surface* s, int32_t x, int32_t y, int32_t w, int32_t h) { Render_Contrast24(s, x, y, w, h, 1.6f); }, false},
        {"Invert24", 24, [](Surface* s, int32_t x, int32_t y, int32_t w, int32_t h) { Render_Invert24(s, x, y, w, h); },
         false},
        {"Invert32", 32, [](Surface* s, int32_t x, int32_t y, int32_t w, int32_t h) { Render_Invert32(s, x, y, w, h); },
         false},
        {"InvertAlpha32", 32,
         [](Surface* s, int32_t x, int32_t y, int32_t w, int32_t h) { Render_InvertAlpha32(s, x, y, w, h); }, false},
        {"AlphaAdd32", 32,
         [](Surface* s, int32_t x, int32_t y, int32_t w, int32_t h) { Render_AlphaAdd32(s, x, y, w, h, 100); }, false},
        {"AjustHLS32", 32,
         [](Surface* s, int32_t x, int32_t y, int32_t w, int32_t h) { Render_AjustHLS32(s, x, y, w, h, 30, -10, 20); },
         false},
        {"HorizontalFlip32", 32,
         [](Surface* s, int32_t x, int32_t y, int32_t w, int32_t h) { Render_HorizontalFlip32(s, x, y, w, h); }, true},
    };
    std::mt19937 rng(2024);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (const Case& c : cases) {
        const int bpp = c.bits / 8;
        for (int iter = 0; iter < 300; ++iter) {
            TestSurface s(pick(1, 19), pick(1, 9), c.bits, pick(0, 5));
            s.fill_random(rng);
            const auto before = s.bytes();
            pixmill::Rect r{pick(-6, 22), pick(-4, 11), pick(-2, 26), pick(-2, 14)};
            c.fn(s.get(), r.x, r.y, r.w, r.h);
            const bool draws = pixmill::clip_rect(r, s.width(), s.height());
            for (int y = 0; y < s.height(); ++y)
                for (int off = 0; off < s.pitch(); ++off) {
                    const int x = off / bpp, k = off % bpp;
                    const size_t at = static_cast<size_t>(s.height() - 1 - y) * s.pitch() + off;
                    const bool inside =
                        draws && x < s.width() && x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
                    if (!inside) {
                        ASSERT_EQ(s.bytes()[at], before[at]) << c.name << " changed a byte outside";
                        continue;
                    }
                    int expect;
                    if (c.mirror) {
                        const int from = 2 * r.x + r.w - 1 - x;
                        expect = before[at + static_cast<size_t>((from - x) * bpp)];
                    } else {
                        TestSurface one(1, 1, c.bits);
                        std::copy(before.begin() + static_cast<ptrdiff_t>(at - k),
                                  before.begin() + static_cast<ptrdiff_t>(at - k + bpp), one.bytes().begin());
                        c.fn(one.get(), 0, 0, 1, 1);
                        expect = one.bytes()[k];
                    }
                    ASSERT_EQ(s.bytes()[at], expect)
                        << c.name << " x " << x << " y " << y << " byte " << k << " rect " << r.x << "," << r.y << ","
                        << r.w << "," << r.h << " size " << s.width() << "x" << s.height() << " pitch " << s.pitch();
                }
        }
    }
}

// Surfaces that clip to nothing are never touched, whatever the arguments.
TEST(FilterRectangles, NothingIsTouchedWhenTheClipLeavesNothing)
{
    TestSurface s24(4, 4, 24), s32(4, 4, 32);
    std::mt19937 rng(11);
    s24.fill_random(rng);
    s32.fill_random(rng);
    const auto b24 = s24.bytes(), b32 = s32.bytes();
    Surface no_array{4, 0, nullptr};
    struct R {
        int32_t x, y, w, h;
    };
    const R rects[] = {{4, 0, 4, 4},
                       {0, 4, 4, 4},
                       {5, 0, 4, 4},
                       {0, 0, 0, 4},
                       {0, 0, 4, -1},
                       {-4, 0, 4, 4},
                       {0, -9, 4, 9},
                       {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
                       {INT32_MAX, 0, INT32_MAX, 4},
                       {0, 0, INT32_MIN, INT32_MIN}};
    for (Surface* t24 : {s24.get(), &no_array, static_cast<Surface*>(nullptr)})
        for (Surface* t32 : {s32.get(), &no_array, static_cast<Surface*>(nullptr)})
            for (const R& r : rects) {
                Render_GammaCorrect24(t24, r.x, r.y, r.w, r.h, 9, 9, 9);
                Render_GammaCorrect24TColor(t24, r.x, r.y, r.w, r.h, 9, 9, 9, 0, 0, 0);
                Render_Contrast24(t24, r.x, r.y, r.w, r.h, 3.0f);
                Render_Invert24(t24, r.x, r.y, r.w, r.h);
                Render_GammaCorrect32(t32, r.x, r.y, r.w, r.h, 9, 9, 9, 9);
                Render_Invert32(t32, r.x, r.y, r.w, r.h);
                Render_InvertAlpha32(t32, r.x, r.y, r.w, r.h);
                Render_AlphaAdd32(t32, r.x, r.y, r.w, r.h, 9);
                Render_HorizontalFlip32(t32, r.x, r.y, r.w, r.h);
                Render_AjustHLS32(t32, r.x, r.y, r.w, r.h, 9, 9, 9);
            }
    EXPECT_EQ(s24.bytes(), b24);
    EXPECT_EQ(s32.bytes(), b32);
}
