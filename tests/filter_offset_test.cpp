// Channel offsets, contrast and colour sums.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>
#include <random>

#include "filter/colour_sum_rows.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

namespace {

// Each offset export with one channel's offset set and the others 0. channel
// is the pixel byte (0 blue, 1 green, 2 red, 3 alpha).
struct OffsetExport {
    const char* name;
    int bits;
    int channels;
    void (*run)(Surface*, int channel, int32_t offset);
};

int32_t on(int channel, int want, int32_t offset)
{
    return channel == want ? offset : 0;
}

const OffsetExport kOffsetExports[] = {
    {"GammaCorrect24", 24, 3,
     [](Surface* s, int c, int32_t o) { Render_GammaCorrect24(s, 0, 0, 1, 1, on(c, 2, o), on(c, 1, o), on(c, 0, o)); }},
    {"GammaCorrect24TColor", 24, 3,
     [](Surface* s, int c, int32_t o) {
         Render_GammaCorrect24TColor(s, 0, 0, 1, 1, on(c, 2, o), on(c, 1, o), on(c, 0, o), 1, 2, 3);
     }},
    {"GammaCorrect32", 32, 4,
     [](Surface* s, int c, int32_t o) {
         Render_GammaCorrect32(s, 0, 0, 1, 1, on(c, 2, o), on(c, 1, o), on(c, 0, o), on(c, 3, o));
     }},
};

}  // namespace

// The whole sum is cut to 0..255, so large offsets saturate rather than being
// judged by some part of their bits (40000 and 65536 brighten to 255).
TEST(GammaCorrect, OffsetsClampTheWholeSum)
{
    struct Case {
        int byte;
        int32_t offset;
        int expect;
    };
    const Case cases[] = {
        {10, 0, 10},         {200, -255, 0},   {0, 255, 255},         {3, -3, 0},        {3, -4, 0},
        {252, 3, 255},       {252, 4, 255},    {100, 40000, 255},     {100, 65536, 255}, {100, -65536, 0},
        {5, 32512, 255},     {250, -32768, 0}, {255, INT32_MAX, 255}, {0, INT32_MIN, 0}, {255, INT32_MIN, 0},
        {0, INT32_MAX, 255}, {128, -1, 127},   {128, 1, 129},
    };
    for (const OffsetExport& e : kOffsetExports)
        for (int channel = 0; channel < e.channels; ++channel)
            for (const Case& c : cases) {
                TestSurface s(1, 1, e.bits);
                std::vector<int> px = {40, 50, 60, 70};
                px.resize(e.bits / 8);
                px[channel] = c.byte;
                s.set(0, 0, px);
                e.run(s.get(), channel, c.offset);
                px[channel] = c.expect;
                EXPECT_EQ(s.pixel(0, 0), std::vector<uint8_t>(px.begin(), px.end()))
                    << e.name << " byte " << channel << ": " << c.byte << " + " << c.offset;
            }
}

TEST(GammaCorrect, KeyedPixelsAreSkippedWhole)
{
    // Row: the key, then pixels differing from it in blue, green, red only.
    TestSurface s(4, 1, 24);
    s.set(0, 0, {30, 20, 10});
    s.set(1, 0, {31, 20, 10});
    s.set(2, 0, {30, 21, 10});
    s.set(3, 0, {30, 20, 11});
    // Only the low byte of each key argument is compared.
    Render_GammaCorrect24TColor(s.get(), 0, 0, 4, 1, 100000, -7, 1000, 0x10a, -256 + 20, 0x7fffff1e);
    EXPECT_EQ(s.pixel(0, 0), (std::vector<uint8_t>{30, 20, 10}));
    EXPECT_EQ(s.pixel(1, 0), (std::vector<uint8_t>{255, 13, 255}));
    EXPECT_EQ(s.pixel(2, 0), (std::vector<uint8_t>{255, 14, 255}));
    EXPECT_EQ(s.pixel(3, 0), (std::vector<uint8_t>{255, 13, 255}));
}

TEST(Contrast24, WorkedBytes)
{
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float factor;
        int byte, expect;
    };
    const Case cases[] = {
        {2.0f, 200, 255},   {2.0f, 100, 72},  {0.5f, 255, 191},  {0.5f, 0, 64},     {-1.0f, 0, 255},
        {-1.0f, 255, 1},    {0.5f, 127, 128}, {0.5f, 129, 128},  {0.0f, 0, 128},    {0.0f, 255, 128},
        {-0.5f, 0, 192},    {1.5f, 1, 0},     {257.0f, 0, 0},    {257.0f, 255, 255}, {-254.0f, 0, 255},
        // Products too large for a 16-bit judgement: they saturate.
        {300.0f, 255, 255}, {300.0f, 0, 0},   {-300.0f, 0, 255}, {1e30f, 200, 255}, {1e30f, 100, 0},
        {FLT_MAX, 129, 255}, {-FLT_MAX, 129, 0}, {inf, 255, 255}, {inf, 0, 0},     {-inf, 0, 255},
        // 0 x infinity and every product with NaN count as 0.
        {inf, 128, 128},    {nan, 0, 128},    {nan, 255, 128},   {-nan, 77, 128},   {1e30f, 128, 128},
    };
    for (const Case& c : cases) {
        TestSurface s(1, 1, 24);
        s.set(0, 0, {c.byte, c.byte, c.byte});
        EXPECT_EQ(Render_Contrast24(s.get(), 0, 0, 1, 1, c.factor), 0);
        EXPECT_EQ(s.pixel(0, 0), std::vector<uint8_t>(3, static_cast<uint8_t>(c.expect)))
            << "factor " << c.factor << " byte " << c.byte;
    }
}

// Every byte value under factors that stay within the range where the
// product never needs cutting, against the plain formula.
TEST(Contrast24, EveryByteMatchesTheFormula)
{
    TestSurface s(256, 1, 24);
    for (float factor : {1.0f, 0.3f, 1.7f, -0.7f, 3.14159f, -254.0f, 257.0f, 1e-7f}) {
        for (int v = 0; v < 256; ++v) s.set(v, 0, {v, 255 - v, v ^ 0x55});
        Render_Contrast24(s.get(), 0, 0, 256, 1, factor);
        for (int v = 0; v < 256; ++v) {
            const int in[3] = {v, 255 - v, v ^ 0x55};
            for (int k = 0; k < 3; ++k) {
                const auto q = static_cast<long long>(std::trunc((in[k] - 128) * static_cast<double>(factor)));
                const long long expect = std::min(255LL, std::max(0LL, q + 128));
                ASSERT_EQ(s.px(v, 0)[k], expect) << "factor " << factor << " byte " << in[k];
            }
        }
    }
}

// The example, a rectangle sticking out on the right, and one variable given
// for all three channels collecting every channel, as adding pixel by pixel
// into it would. The surface is not changed.
TEST(CalcColor24, SumsTheClippedRectangle)
{
    TestSurface s(3, 2, 24, 1);
    s.set(0, 0, {1, 2, 3});
    s.set(1, 0, {10, 20, 30});
    s.set(2, 0, {100, 100, 100});
    s.set(0, 1, {50, 50, 50});
    const auto before = s.bytes();
    int32_t red = -1, green = -1, blue = -1;
    EXPECT_EQ(Render_CalcColor24(s.get(), 0, 0, 2, 1, &red, &green, &blue), 0);
    EXPECT_TRUE(red == 33 && green == 22 && blue == 11) << red << " " << green << " " << blue;
    Render_CalcColor24(s.get(), 2, 0, 5, 1, &red, &green, &blue);
    EXPECT_TRUE(red == 100 && green == 100 && blue == 100);
    Render_CalcColor24(s.get(), 0, 0, 2, 1, &red, &red, &red);
    EXPECT_EQ(red, 66);
    EXPECT_EQ(s.bytes(), before);

    // The running totals wrap modulo 2^32.
    pixmill::ColourSums sums;
    sums.blue = 0xFFFFFF00u;
    sums.green = 0x7FFFFFFFu;
    pixmill::sum_row_24(s.px(0, 0), 2, sums);
    EXPECT_EQ(sums.blue, 0xFFFFFF00u + 11u);
    EXPECT_EQ(sums.green, 0x80000015u);
    sums.red = 0xFFFFFFFFu;
    pixmill::sum_row_24(s.px(0, 0), 1, sums);
    EXPECT_EQ(sums.red, 2u);
}

TEST(CalcColor24, SumsAreResetEvenWhenNothingIsSummed)
{
    TestSurface s(4, 4, 24);
    s.fill(9);
    Surface no_array{4, 0, nullptr};
    struct Case {
        Surface* surface;
        int32_t x, y, w, h;
    };
    const Case cases[] = {{s.get(), 4, 0, 1, 1},  {s.get(), 0, 5, 1, 1},   {s.get(), 0, 0, 0, 4},
                          {s.get(), -3, 0, 3, 4}, {&no_array, 0, 0, 4, 4}, {nullptr, 0, 0, 4, 4},
                          {s.get(), INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}};
    for (const Case& c : cases) {
        int32_t red = 5, green = 6, blue = 7;
        Render_CalcColor24(c.surface, c.x, c.y, c.w, c.h, &red, &green, &blue);
        EXPECT_TRUE(red == 0 && green == 0 && blue == 0) << c.x << " " << c.y << " " << c.w << " " << c.h;
    }
}
