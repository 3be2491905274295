// Inversion and Set32Alpha. That each one-rectangle export (the mirror
// among them) changes exactly its clipped rectangle, as its rule says, is
// checked in effect_reference_test.cpp.
#include <gtest/gtest.h>

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
