// The hue, lightness and saturation adjustment.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>

#include "filter/hls.h"
#include "frame/clip.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

namespace {

struct Rgb3 {
    int r, g, b;
};

// One pixel through Render_AjustHLS32; alpha 77 must survive.
Rgb3 adjust(Rgb3 c, int32_t hue, int32_t lum, int32_t sat)
{
    TestSurface s(1, 1, 32);
    s.set(0, 0, {c.b, c.g, c.r, 77});
    EXPECT_EQ(Render_AjustHLS32(s.get(), 0, 0, 1, 1, hue, lum, sat), 0);
    EXPECT_EQ(s.px(0, 0)[3], 77);
    return {s.px(0, 0)[2], s.px(0, 0)[1], s.px(0, 0)[0]};
}

}  // namespace

TEST(AjustHLS32, WorkedColours)
{
    struct Case {
        Rgb3 in;
        int32_t hue, lum, sat;
        Rgb3 out;
    };
    const Case cases[] = {
        // All deltas 0: primaries, black and white survive; others move a step.
        {{255, 0, 0}, 0, 0, 0, {255, 0, 0}},
        {{0, 255, 0}, 0, 0, 0, {0, 255, 0}},
        {{0, 0, 255}, 0, 0, 0, {0, 0, 255}},
        {{0, 0, 0}, 0, 0, 0, {0, 0, 0}},
        {{255, 255, 255}, 0, 0, 0, {255, 255, 255}},
        {{128, 128, 128}, 0, 0, 0, {127, 127, 127}},
        {{200, 100, 50}, 0, 0, 0, {201, 99, 50}},
        {{100, 150, 200}, 0, 0, 0, {100, 150, 199}},
        // Rounding HueToChannel's result to single precision would give 232.
        {{10, 105, 232}, 0, 0, 0, {10, 110, 233}},
        // Hue shifts are clamped, not wrapped.
        {{255, 0, 0}, 80, 0, 0, {0, 255, 0}},
        {{255, 0, 0}, -10, 0, 0, {255, 0, 0}},
        // Saturation to 0 or below makes a grey; a grey takes hue 160 when saturated.
        {{255, 0, 0}, 0, 0, -240, {127, 127, 127}},
        {{128, 128, 128}, 0, 0, 120, {63, 63, 192}},
        {{200, 100, 50}, 0, 20, 0, {211, 125, 82}},
    };
    for (const Case& c : cases) {
        const Rgb3 got = adjust(c.in, c.hue, c.lum, c.sat);
        EXPECT_TRUE(got.r == c.out.r && got.g == c.out.g && got.b == c.out.b)
            << "(" << c.in.r << "," << c.in.g << "," << c.in.b << ") deltas " << c.hue << "," << c.lum << "," << c.sat
            << " gave (" << got.r << "," << got.g << "," << got.b << ")";
    }
}

TEST(AjustHLS32, ForwardConversionAndHueToChannel)
{
    const pixmill::Hls orange = pixmill::rgb_to_hls(200, 100, 50);
    EXPECT_EQ(orange.h, 13);
    EXPECT_EQ(orange.l, 118);
    EXPECT_EQ(orange.s, 144);
    const pixmill::Hls grey = pixmill::rgb_to_hls(128, 128, 128);
    EXPECT_EQ(grey.h, 160);
    EXPECT_EQ(grey.s, 0);
    const pixmill::Hls blue = pixmill::rgb_to_hls(0, 0, 255);
    EXPECT_EQ(blue.h, 160);
    EXPECT_EQ(blue.l, 120);
    EXPECT_EQ(blue.s, 240);

    // The + 20 is added in floating point: hue 0 gives p + 20 x c, about p + 0.5,
    // with c the single-precision value nearest 0.025.
    const double c = 0.02500000037252903;
    EXPECT_EQ(pixmill::HueToChannel(10.0f, 50.0f, 0.0f), 10.0 + 20.0 * c);
    EXPECT_EQ(pixmill::HueToChannel(10.0f, 50.0f, 240.0f), 10.0);   // 240 stays 240: p
    EXPECT_EQ(pixmill::HueToChannel(10.0f, 50.0f, -160.0f), 50.0);  // wraps to 80: q
    EXPECT_EQ(pixmill::HueToChannel(10.0f, 50.0f, 260.0f), 10.0 + (40.0 * 20.0 + 20.0) * c);
    EXPECT_EQ(pixmill::HueToChannel(10.0f, 50.0f, 150.0f), 10.0 + (40.0 * 10.0 + 20.0) * c);
    EXPECT_EQ(pixmill::HueToChannel(10.0f, 50.0f, 40.0f), 50.0);
    EXPECT_EQ(pixmill::HueToChannel(10.0f, 50.0f, 160.0f), 10.0);
}

// Deltas at the int32 limits behave as the exact sums would: clamped, never
// wrapped into the opposite direction.
TEST(AjustHLS32, ExtremeDeltasClampAsIfExact)
{
    struct Case {
        int32_t hue, lum, sat;     // the extreme deltas
        int32_t ehue, elum, esat;  // modest deltas with the same exact clamped result
    };
    const Case cases[] = {
        {INT32_MAX, 0, 0, 240, 0, 0},
        {INT32_MIN, 0, 0, -240, 0, 0},
        {0, INT32_MAX, 0, 0, 240, 0},
        {0, INT32_MIN, 0, 0, -240, 0},
        {0, 0, INT32_MAX, 0, 0, 240},
        {0, 0, INT32_MIN, 0, 0, -240},
        {INT32_MIN, INT32_MAX, INT32_MIN, -240, 240, -240},
    };
    std::mt19937 rng(6);
    TestSurface a(16, 16, 32), b(16, 16, 32);
    for (const Case& c : cases) {
        a.fill_random(rng);
        b.bytes() = a.bytes();
        Render_AjustHLS32(a.get(), 0, 0, 16, 16, c.hue, c.lum, c.sat);
        Render_AjustHLS32(b.get(), 0, 0, 16, 16, c.ehue, c.elum, c.esat);
        EXPECT_EQ(a.bytes(), b.bytes()) << c.hue << " " << c.lum << " " << c.sat;
    }
}

// With all deltas 0 the round trip is lossy but close: no channel of any
// colour moves by more than 8 steps (the worst cases are dark, strongly
// saturated colours), and alpha stays.
TEST(AjustHLS32, RoundTripStaysClose)
{
    TestSurface s(52, 52 * 52, 32);
    for (int r = 0; r < 52; ++r)
        for (int g = 0; g < 52; ++g)
            for (int b = 0; b < 52; ++b) s.set(b, r * 52 + g, {b * 5, g * 5, r * 5, r ^ g ^ b});
    Render_AjustHLS32(s.get(), 0, 0, 52, 52 * 52, 0, 0, 0);
    for (int r = 0; r < 52; ++r)
        for (int g = 0; g < 52; ++g)
            for (int b = 0; b < 52; ++b) {
                const uint8_t* p = s.px(b, r * 52 + g);
                ASSERT_LE(std::abs(p[0] - b * 5), 8) << r * 5 << " " << g * 5 << " " << b * 5;
                ASSERT_LE(std::abs(p[1] - g * 5), 8) << r * 5 << " " << g * 5 << " " << b * 5;
                ASSERT_LE(std::abs(p[2] - r * 5), 8) << r * 5 << " " << g * 5 << " " << b * 5;
                ASSERT_EQ(p[3], r ^ g ^ b);
            }
}
