// Channel offsets, contrast and colour sums. The offsets and the contrast are
// worked on one pixel and on calls large enough for their per-call tables.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

#include "filter/colour_sum_rows.h"
#include "filter/offset_rows.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

namespace {

// Each pixel of a 1 x 1 and of a 33 x 33 surface set to px, fn called on the
// whole surface: every pixel must become expect.
template <class Fn>
void check_pixels(const std::vector<int>& px, Fn fn, const std::vector<int>& expect)
{
    for (int side : {1, 33}) {
        TestSurface s(side, side, 8 * static_cast<int>(px.size()));
        for (int i = 0; i < side * side; ++i) s.set(i % side, i / side, px);
        fn(s.get(), side);
        for (int i = 0; i < side * side; ++i)
            ASSERT_EQ(s.pixel(i % side, i / side), std::vector<uint8_t>(expect.begin(), expect.end())) << side;
    }
}

}  // namespace

// The whole sum is cut to 0..255, so large offsets saturate rather than being
// judged by some part of their bits (40000 and 65536 brighten to 255).
TEST(GammaCorrect, OffsetsClampTheWholeSum)
{
    const struct {
        int byte;
        int32_t offset;
        int expect;
    } cases[] = {
        {10, 0, 10},         {200, -255, 0},   {0, 255, 255},         {3, -3, 0},        {3, -4, 0},
        {252, 3, 255},       {252, 4, 255},    {100, 40000, 255},     {100, 65536, 255}, {100, -65536, 0},
        {5, 32512, 255},     {250, -32768, 0}, {255, INT32_MAX, 255}, {0, INT32_MIN, 0}, {255, INT32_MIN, 0},
        {0, INT32_MAX, 255}, {128, -1, 127},   {128, 1, 129},
    };
    for (int bits : {24, 32})
        for (int channel = 0; channel < bits / 8; ++channel)  // byte order blue, green, red, alpha
            for (const auto& c : cases) {
                std::vector<int> px = {40, 50, 60, 70}, o = {0, 0, 0, 0};
                px.resize(bits / 8);
                px[channel] = c.byte;
                o[channel] = c.offset;
                auto expect = px;
                expect[channel] = c.expect;
                SCOPED_TRACE(testing::Message() << bits << "-bit byte " << channel << ": " << c.byte << " + "
                                                << c.offset);
                check_pixels(px, [&](Surface* s, int n) {
                    if (bits == 32) return void(Render_GammaCorrect32(s, 0, 0, n, n, o[2], o[1], o[0], o[3]));
                    Render_GammaCorrect24(s, 0, 0, n, n, o[2], o[1], o[0]);
                }, expect);
            }
}

// The key, then pixels differing from it in blue, green, red only; only the
// low byte of each key argument is compared.
TEST(GammaCorrect, KeyedPixelsAreSkippedWhole)
{
    const std::vector<int> in[4] = {{30, 20, 10}, {31, 20, 10}, {30, 21, 10}, {30, 20, 11}};
    const std::vector<int> out[4] = {{30, 20, 10}, {255, 13, 255}, {255, 14, 255}, {255, 13, 255}};
    for (int k = 0; k < 4; ++k)
        check_pixels(in[k], [](Surface* s, int n) {
            Render_GammaCorrect24TColor(s, 0, 0, n, n, 100000, -7, 1000, 0x10a, -256 + 20, 0x7fffff1e);
        }, out[k]);
    // The scalar kernel reading its per-call tables, whatever level the export runs at.
    pixmill::OffsetCall call({100000, -7, 1000, 0}, pixmill::kOffsetTablePixels + 1);
    std::vector<uint8_t> row = {30, 20, 10, 31, 20, 10, 30, 21, 10, 30, 20, 11};
    pixmill::offset_call_24_keyed(row.data(), 4, call, pixmill::make_key(0x10a, -256 + 20, 0x7fffff1e));
    EXPECT_EQ(row, (std::vector<uint8_t>{30, 20, 10, 255, 13, 255, 255, 14, 255, 255, 13, 255}));
}

TEST(Contrast24, WorkedBytes)
{
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float factor;
        int byte, expect;
    } cases[] = {
        {2.0f, 200, 255},   {2.0f, 100, 72},  {0.5f, 255, 191},  {0.5f, 0, 64},     {-1.0f, 0, 255},
        {-1.0f, 255, 1},    {0.5f, 127, 128}, {0.5f, 129, 128},  {0.0f, 0, 128},    {0.0f, 255, 128},
        {-0.5f, 0, 192},    {1.5f, 1, 0},     {257.0f, 0, 0},    {257.0f, 255, 255}, {-254.0f, 0, 255},
        // Products too large for a 16-bit judgement: they saturate.
        {300.0f, 255, 255}, {300.0f, 0, 0},   {-300.0f, 0, 255}, {1e30f, 200, 255}, {1e30f, 100, 0},
        {FLT_MAX, 129, 255}, {-FLT_MAX, 129, 0}, {inf, 255, 255}, {inf, 0, 0},     {-inf, 0, 255},
        // 0 x infinity and every product with NaN count as 0.
        {inf, 128, 128},    {nan, 0, 128},    {nan, 255, 128},   {-nan, 77, 128},   {1e30f, 128, 128},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "factor " << c.factor << " byte " << c.byte);
        check_pixels({c.byte, c.byte, c.byte}, [&](Surface* s, int n) { Render_Contrast24(s, 0, 0, n, n, c.factor); },
                     {c.expect, c.expect, c.expect});
    }
}

// Every byte value, on a call short of the table size and on one past it,
// under factors within the range where the product never needs cutting,
// against the plain formula.
TEST(Contrast24, EveryByteMatchesTheFormula)
{
    for (int per_row : {16, 256})
        for (float factor : {1.0f, 0.3f, 1.7f, -0.7f, 3.14159f, -254.0f, 257.0f, 1e-7f}) {
            TestSurface s(per_row, 256 / per_row, 24);
            for (int v = 0; v < 256; ++v) s.set(v % per_row, v / per_row, {v, 255 - v, v ^ 0x55});
            Render_Contrast24(s.get(), 0, 0, per_row, 256 / per_row, factor);
            for (int v = 0; v < 256; ++v)
                for (int k = 0; k < 3; ++k) {
                    const int in = k == 0 ? v : k == 1 ? 255 - v : v ^ 0x55;
                    const auto q = static_cast<long long>(std::trunc((in - 128) * static_cast<double>(factor)));
                    ASSERT_EQ(s.px(v % per_row, v / per_row)[k], std::clamp(q + 128, 0LL, 255LL))
                        << "factor " << factor << " byte " << in;
                }
        }
}

// The example, a rectangle sticking out on the right, and one variable given
// for all three channels collecting every channel, as adding pixel by pixel
// into it would; the surface is not changed, and the totals wrap modulo 2^32.
// The variables are reset even when nothing is summed.
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
    pixmill::ColourSums sums{0xFFFFFFFFu, 0x7FFFFFFFu, 0xFFFFFF00u};  // red, green, blue
    pixmill::sum_row_24(s.px(0, 0), 2, sums);
    EXPECT_TRUE(sums.blue == 0xFFFFFF00u + 11u && sums.green == 0x80000015u && sums.red == 32u);

    Surface no_array{4, 0, nullptr};
    const struct {
        Surface* surface;
        int32_t x, y, w, h;
    } empty[] = {{s.get(), 3, 0, 1, 1}, {s.get(), 0, 0, 0, 2}, {s.get(), -3, 0, 3, 2}, {&no_array, 0, 0, 4, 4},
                 {nullptr, 0, 0, 4, 4}, {s.get(), INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}};
    for (const auto& c : empty) {
        red = 5, green = 6, blue = 7;
        Render_CalcColor24(c.surface, c.x, c.y, c.w, c.h, &red, &green, &blue);
        EXPECT_TRUE(red == 0 && green == 0 && blue == 0) << c.x << " " << c.y << " " << c.w << " " << c.h;
    }
}
