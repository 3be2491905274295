// Inversion, the mirror and Set32Alpha. That each
// changes exactly its clipped rectangle is checked with the other
// one-rectangle exports in effect_reference_test.cpp.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "test_surface.h"

using pixmill_test::TestSurface;

// The inversions leave what they do not invert (the alpha sum is checked
// with the channel offsets).
TEST(ChannelOps, Inversions)
{
    TestSurface s24(1, 1, 24), s32(1, 1, 32);
    s24.set(0, 0, {0, 0x5A, 255});
    Render_Invert24(s24.get(), 0, 0, 1, 1);
    EXPECT_EQ(s24.pixel(0, 0), (std::vector<uint8_t>{255, 0xA5, 0}));
    s32.set(0, 0, {0, 0x5A, 255, 77});
    Render_Invert32(s32.get(), 0, 0, 1, 1);
    EXPECT_EQ(s32.pixel(0, 0), (std::vector<uint8_t>{255, 0xA5, 0, 77}));
    Render_InvertAlpha32(s32.get(), 0, 0, 1, 1);
    EXPECT_EQ(s32.pixel(0, 0), (std::vector<uint8_t>{255, 0xA5, 0, 178}));
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
