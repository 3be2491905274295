// Inversion, the alpha operations, the mirror and Set32Alpha. That each
// changes exactly its clipped rectangle is checked with the other
// one-rectangle exports in effect_reference_test.cpp.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "test_surface.h"

using pixmill_test::TestSurface;

// One pixel through each operation; the alpha sum is cut whole to 0..255.
TEST(ChannelOps, WorkedPixels)
{
    using Op = void (*)(Surface*, int32_t);
    const Op invert24 = [](Surface* s, int32_t) { Render_Invert24(s, 0, 0, 1, 1); };
    const Op invert32 = [](Surface* s, int32_t) { Render_Invert32(s, 0, 0, 1, 1); };
    const Op invert_alpha = [](Surface* s, int32_t) { Render_InvertAlpha32(s, 0, 0, 1, 1); };
    const Op add = [](Surface* s, int32_t delta) { Render_AlphaAdd32(s, 0, 0, 1, 1, delta); };
    const struct {
        Op op;
        std::vector<int> before;
        int32_t delta;
        std::vector<int> after;
    } cases[] = {
        {invert24, {0, 0x5A, 255}, 0, {255, 0xA5, 0}},
        {invert32, {0, 0x5A, 255, 77}, 0, {255, 0xA5, 0, 77}},
        {invert_alpha, {0, 0x5A, 255, 77}, 0, {0, 0x5A, 255, 178}},
        {add, {1, 2, 3, 200}, -300, {1, 2, 3, 0}},     {add, {1, 2, 3, 10}, 300, {1, 2, 3, 255}},
        {add, {1, 2, 3, 77}, 0, {1, 2, 3, 77}},        {add, {1, 2, 3, 0}, -1, {1, 2, 3, 0}},
        {add, {1, 2, 3, 255}, 1, {1, 2, 3, 255}},      {add, {1, 2, 3, 100}, 27, {1, 2, 3, 127}},
        {add, {1, 2, 3, 255}, INT32_MIN, {1, 2, 3, 0}}, {add, {1, 2, 3, 0}, INT32_MAX, {1, 2, 3, 255}},
        {add, {1, 2, 3, 5}, 65536, {1, 2, 3, 255}},    {add, {1, 2, 3, 250}, -65536, {1, 2, 3, 0}},
    };
    for (const auto& c : cases) {
        TestSurface s(1, 1, 8 * static_cast<int>(c.before.size()));
        for (size_t k = 0; k < s.bytes().size(); ++k) s.bytes()[k] = static_cast<uint8_t>(c.before[k]);
        c.op(s.get(), c.delta);
        EXPECT_EQ(s.pixel(0, 0), std::vector<uint8_t>(c.after.begin(), c.after.end())) << "delta " << c.delta;
    }
}

TEST(HorizontalFlip32, MirrorsTheClippedRectangleAboutItsOwnMiddle)
{
    const struct {
        int32_t x, w;
        std::vector<int> columns;  // the original column found in each column of a 10-wide row
    } cases[] = {
        {3, 1, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},  {3, 2, {0, 1, 2, 4, 3, 5, 6, 7, 8, 9}},
        {0, 5, {4, 3, 2, 1, 0, 5, 6, 7, 8, 9}},  {6, 8, {0, 1, 2, 3, 4, 5, 9, 8, 7, 6}},  // sticks out right
        {-2, 5, {2, 1, 0, 3, 4, 5, 6, 7, 8, 9}}, {-5, 100, {9, 8, 7, 6, 5, 4, 3, 2, 1, 0}},
        {10, 4, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
    };
    for (const auto& c : cases) {
        TestSurface s(10, 1, 32, 2);
        for (int x = 0; x < 10; ++x) s.set(x, 0, {x, x + 10, x + 20, x + 30});
        EXPECT_EQ(Render_HorizontalFlip32(s.get(), c.x, 0, c.w, 1), 0);
        for (int x = 0; x < 10; ++x) {
            const int from = c.columns[x];
            EXPECT_EQ(s.pixel(x, 0), (std::vector<uint8_t>{uint8_t(from), uint8_t(from + 10), uint8_t(from + 20),
                                                           uint8_t(from + 30)}))
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
