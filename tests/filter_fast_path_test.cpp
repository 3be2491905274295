// The exports on either side of the size where the offsets and the contrast
// turn to per-call tables, against the per-byte kernels that define them, and
// the integer hue against the hue worked out from floating-point quotients.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "filter/contrast_rows.h"
#include "filter/hls.h"
#include "filter/offset_rows.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

// Rectangles on either side of the sizes where the exports change from the
// direct kernels to the tables, clipped by the surface: the same bytes as
// the direct kernels row by row.
TEST(OffsetTables, ExportsOnEitherSideOfTheTableSize)
{
    std::mt19937 rng(8);
    const struct {
        int w, h;
    } rects[] = {{32, 32}, {33, 32}, {11, 11}, {12, 11}, {70, 20}, {1, 1}};
    for (const auto& r : rects) {
        TestSurface s24(40, 35, 24, 3), s32(40, 35, 32, 1);
        s24.fill_random(rng);
        s32.fill_random(rng);
        const std::vector<uint8_t> before24 = s24.bytes(), before32 = s32.bytes();
        const pixmill::ChannelOffsets o{37, -300, 90, -12};
        const uint8_t* k = s24.px(3, 2);
        const pixmill::ColorKey key = pixmill::make_key(k[2], k[1], k[0]);
        const int rows = std::min(r.h, 35 - 2), cols = std::min(r.w, 40 - 3);
        auto expect = [&](TestSurface& s, const std::vector<uint8_t>& before, auto kernel) {
            std::vector<uint8_t> e = before;
            for (int y = 0; y < rows; ++y) kernel(e.data() + (s.px(3, 2 + y) - s.bytes().data()), cols);
            return e;
        };
        Render_GammaCorrect24(s24.get(), 3, 2, r.w, r.h, o.red, o.green, o.blue);
        EXPECT_EQ(s24.bytes(), expect(s24, before24, [&](uint8_t* p, int n) { pixmill::offset_row_24(p, n, o); }));
        s24.bytes() = before24;
        Render_GammaCorrect24TColor(s24.get(), 3, 2, r.w, r.h, o.red, o.green, o.blue, key.red, key.green, key.blue);
        EXPECT_EQ(s24.bytes(),
                  expect(s24, before24, [&](uint8_t* p, int n) { pixmill::offset_row_24_keyed(p, n, o, key); }));
        Render_GammaCorrect32(s32.get(), 3, 2, r.w, r.h, o.red, o.green, o.blue, o.alpha);
        EXPECT_EQ(s32.bytes(), expect(s32, before32, [&](uint8_t* p, int n) { pixmill::offset_row_32(p, n, o); }));
        s24.bytes() = before24;
        Render_Contrast24(s24.get(), 3, 2, r.w, r.h, 1.7f);
        EXPECT_EQ(s24.bytes(),
                  expect(s24, before24, [&](uint8_t* p, int n) { pixmill::contrast_row_24(p, n, 1.7f); }));
    }
}

namespace {

// The hue as first written: every quotient formed in floating point.
int32_t hue_by_quotients(int32_t r, int32_t g, int32_t b)
{
    const int32_t cmax = std::max({r, g, b}), d = cmax - std::min({r, g, b});
    const int32_t half = d / 2;
    const float rq = static_cast<float>(static_cast<double>(40 * (cmax - r) + half) / d);
    const float gq = static_cast<float>(static_cast<double>(40 * (cmax - g) + half) / d);
    const double bq = static_cast<double>(40 * (cmax - b) + half) / d;
    const double h = r == cmax ? bq - static_cast<double>(gq)
                     : g == cmax ? (static_cast<double>(rq) + 80.0) - bq
                                 : (static_cast<double>(gq) + 160.0) - static_cast<double>(rq);
    int32_t out = static_cast<int32_t>(h);
    if (out < 0) out += 240;
    if (out > 240) out -= 240;
    return out;
}

}  // namespace

// Lightness and saturation against plain integer division, the hue against
// the floating-point quotients: random colours, and every colour whose
// channels are multiples of 5 or lie within 3 of each other (ties for the
// maximum, quotients that come out whole). Every colour was checked once
// outside the suite.
TEST(HlsFastPath, ConversionMatchesTheDirectArithmetic)
{
    std::mt19937 rng(9);
    std::vector<std::array<int, 3>> colours;
    for (int k = 0; k < 60000; ++k) colours.push_back({int(rng() % 256), int(rng() % 256), int(rng() % 256)});
    for (int r = 0; r < 256; r += 5)
        for (int g = 0; g < 256; g += 5)
            for (int b = 0; b < 256; b += 5) colours.push_back({r, g, b});
    for (int k = 0; k < 256; ++k)
        for (int dg = -3; dg <= 3; ++dg)
            for (int db = -3; db <= 3; ++db)
                if (k + dg >= 0 && k + dg < 256 && k + db >= 0 && k + db < 256) colours.push_back({k, k + dg, k + db});
    for (const auto& c : colours) {
        const int r = c[0], g = c[1], b = c[2];
        const int cmax = std::max({r, g, b}), cmin = std::min({r, g, b}), sum = cmax + cmin, d = cmax - cmin;
        const int l = (sum * 240 + 255) / 510;
        const int s = d == 0 ? 0 : l <= 120 ? (d * 240 + sum / 2) / sum : (d * 240 + (510 - sum) / 2) / (510 - sum);
        const pixmill::Hls got = pixmill::rgb_to_hls(r, g, b);
        ASSERT_TRUE(got.l == l && got.s == s && got.h == (d == 0 ? 160 : hue_by_quotients(r, g, b)))
            << r << "," << g << "," << b << " gave " << got.h << "," << got.l << "," << got.s;
    }
}
