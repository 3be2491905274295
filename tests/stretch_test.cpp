// The scaled copies: the sample index on huge sizes and the per-pixel rules
// of all 22 exports on single pixels. Random calls (the clip's extremes
// among them) against the reference are in effect_reference_test.cpp.
#include <gtest/gtest.h>

#include <cmath>

#include "stretch/sample_map.h"
#include "stretch_reference.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

// Very large sizes: the float ratio's rounding can carry the last index past
// the rectangle and the surface; the limit keeps it on the surface.
TEST(Stretch, SampleIndexHeldOnTheSurface)
{
    const struct {
        int32_t src_len, dst_len, limit;
    } cases[] = {{2, 1447900659, 1}, {40, 1299087989, 39}, {1281932432, 1424384441, 1281932432}};
    for (const auto& c : cases) {
        const float ratio = pixmill::stretch_ratio(c.src_len, c.dst_len);
        const int32_t last = c.dst_len - 1;
        ASSERT_GT(std::trunc(last * double(ratio)), double(c.limit)) << c.src_len << " onto " << c.dst_len;
        EXPECT_EQ(pixmill::sample_index(last, ratio, c.limit), c.limit);
        EXPECT_EQ(pixmill::sample_index(last / 2, ratio, c.limit), int32_t(std::trunc(last / 2 * double(ratio))));
    }
}

// One source pixel onto one destination pixel. A 1 x 1 source has no
// neighbours, so the five-point average is the pixel itself and every case
// holds for both families.
TEST(Stretch, PixelRulesOfEveryExport)
{
    struct Case {
        const char* what;
        const char* suffix;
        std::vector<int> src, dst, result;
        int32_t alpha = 255, red = 0, green = 0, blue = 0;
    };
    const Case cases[] = {
        {"copy keeps the fourth byte", "24to32", {1, 2, 3}, {9, 9, 9, 77}, {1, 2, 3, 77}},
        {"alpha 128", "24to24Alpha", {255, 100, 0}, {0, 0, 0}, {128, 50, 0}, 128},
        {"alpha 256 used whole", "24to24Alpha", {200, 200, 200}, {100, 100, 100}, {200, 200, 200}, 256},
        {"alpha -1 used whole", "24to32Alpha", {200, 200, 200}, {100, 100, 100, 5}, {99, 99, 99, 5}, -1},
        {"key skips, low bytes only", "24to24TColor", {1, 2, 3}, {9, 9, 9}, {9, 9, 9}, 255, 0x1203, 0x7702, -255},
        {"key then alpha", "24to24TColorAlpha", {255, 100, 0}, {0, 0, 0}, {128, 50, 0}, 128, 1, 2, 3},
        {"source alpha keeps the fourth byte", "32to32", {255, 0, 100, 128}, {0, 255, 200, 50}, {128, 127, 149, 50}},
        {"whole pixels", "32to32F", {1, 2, 3, 0}, {9, 8, 7, 6}, {1, 2, 3, 0}},
    };
    for (const Case& c : cases)
        for (const char* family : {"Render_StretchBlt", "Render_StretchBltBillinear"}) {
            const std::string name = family + std::string(c.suffix);
            const stretch_test::Variant* v = nullptr;
            for (const auto& each : stretch_test::variants())
                if (name == each.name()) v = &each;
            ASSERT_NE(v, nullptr) << name;
            TestSurface src(1, 1, v->src_bits), dst(1, 1, v->dst_bits);
            src.set(0, 0, c.src);
            dst.set(0, 0, c.dst);
            v->call(dst.get(), src.get(), {0, 0, 1, 1, 0, 0, 1, 1, c.red, c.green, c.blue, c.alpha});
            EXPECT_EQ(dst.pixel(0, 0), std::vector<uint8_t>(c.result.begin(), c.result.end()))
                << c.what << " in " << name;
        }
}
