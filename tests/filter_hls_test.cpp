// The hue, lightness and saturation adjustment.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "filter/hls.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

TEST(AjustHLS32, WorkedColours)
{
    struct Case {
        int r, g, b;
        int32_t hue, lum, sat;
        int er, eg, eb;
    };
    const Case cases[] = {
        // All deltas 0: primaries, black and white survive; others move a step.
        {255, 0, 0, 0, 0, 0, 255, 0, 0},
        {0, 255, 0, 0, 0, 0, 0, 255, 0},
        {0, 0, 255, 0, 0, 0, 0, 0, 255},
        {0, 0, 0, 0, 0, 0, 0, 0, 0},
        {255, 255, 255, 0, 0, 0, 255, 255, 255},
        {128, 128, 128, 0, 0, 0, 127, 127, 127},
        {200, 100, 50, 0, 0, 0, 201, 99, 50},
        {100, 150, 200, 0, 0, 0, 100, 150, 199},
        // Rounding the channel value to single precision would give green 111.
        {10, 105, 232, 0, 0, 0, 10, 110, 233},
        // Hue is clamped, not wrapped: red shifted down stays red.
        {255, 0, 0, 80, 0, 0, 0, 255, 0},
        {255, 0, 0, -10, 0, 0, 255, 0, 0},
        // Saturation to 0 or below makes a grey; a grey saturated takes hue 160.
        {255, 0, 0, 0, 0, -240, 127, 127, 127},
        {128, 128, 128, 0, 0, 120, 63, 63, 192},
        {200, 100, 50, 0, 20, 0, 211, 125, 82},
    };
    for (const Case& c : cases) {
        TestSurface s(1, 1, 32);
        s.set(0, 0, {c.b, c.g, c.r, 77});
        EXPECT_EQ(Render_AjustHLS32(s.get(), 0, 0, 1, 1, c.hue, c.lum, c.sat), 0);
        EXPECT_EQ(s.pixel(0, 0), (std::vector<uint8_t>{uint8_t(c.eb), uint8_t(c.eg), uint8_t(c.er), 77}))
            << "(" << c.r << "," << c.g << "," << c.b << ") deltas " << c.hue << "," << c.lum << "," << c.sat;
    }
    const pixmill::Hls orange = pixmill::rgb_to_hls(200, 100, 50);
    EXPECT_TRUE(orange.h == 13 && orange.l == 118 && orange.s == 144);
    // The + 20 is added in floating point: hue 0 gives p + 20 x c, c nearest 0.025 in single precision.
    EXPECT_EQ(pixmill::HueToChannel(10.0f, 50.0f, 0.0f), 10.0 + 20.0 * 0.02500000037252903);
    EXPECT_EQ(pixmill::HueToChannel(10.0f, 50.0f, 240.0f), 10.0);   // 240 stays 240
    EXPECT_EQ(pixmill::HueToChannel(10.0f, 50.0f, -160.0f), 50.0);  // -160 becomes 80
}

// Deltas at the int32 limits behave as the exact sums would: clamped, never
// wrapped into the opposite direction.
TEST(AjustHLS32, ExtremeDeltasClampAsIfExact)
{
    struct Case {
        int32_t hue, lum, sat;     // the extreme deltas
        int32_t ehue, elum, esat;  // modest deltas with the same clamped sums
    };
    const Case cases[] = {
        {INT32_MAX, 0, 0, 240, 0, 0},  {INT32_MIN, 0, 0, -240, 0, 0}, {0, INT32_MAX, 0, 0, 240, 0},
        {0, INT32_MIN, 0, 0, -240, 0}, {0, 0, INT32_MAX, 0, 0, 240},  {0, 0, INT32_MIN, 0, 0, -240},
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
