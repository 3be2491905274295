// The hue, lightness and saturation adjustment.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <random>
#include <vector>

#include "frame/kernels.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

TEST(AjustHLS32, WorkedColours)
{
    const struct {
        int r, g, b;
        int32_t hue, lum, sat;
        int er, eg, eb;
    } cases[] = {
        // All deltas 0: primaries survive; others move a step.
        {255, 0, 0, 0, 0, 0, 255, 0, 0},
        {128, 128, 128, 0, 0, 0, 127, 127, 127},
        {200, 100, 50, 0, 0, 0, 201, 99, 50},
        // Rounding the channel value to single precision would give green 111.
        {10, 105, 232, 0, 0, 0, 10, 110, 233},
        // Red turned by 80 is green.
        {255, 0, 0, 80, 0, 0, 0, 255, 0},
        // A grey saturated takes hue 160.
        {128, 128, 128, 0, 0, 120, 63, 63, 192},
        // Deltas at the int32 limits act as the exact sums would.
        {200, 100, 50, INT32_MIN, INT32_MAX, INT32_MIN, 255, 255, 255},
    };
    for (const auto& c : cases) {
        TestSurface s(1, 1, 32);
        s.set(0, 0, {c.b, c.g, c.r, 77});
        EXPECT_EQ(Render_AjustHLS32(s.get(), 0, 0, 1, 1, c.hue, c.lum, c.sat), 0);
        EXPECT_EQ(s.pixel(0, 0), (std::vector<uint8_t>{uint8_t(c.eb), uint8_t(c.eg), uint8_t(c.er), 77}))
            << "(" << c.r << "," << c.g << "," << c.b << ") deltas " << c.hue << "," << c.lum << "," << c.sat;
    }
}

// The conversion both ways written out step by step, the deltas added (as
// exact sums) and clamped in between: lightness and saturation by integer
// division, the hue from quotients formed in floating point (red and green
// rounded to single precision, blue not); back, m2 and m1 in single precision
// and each channel from its hue by four ranges. The colours: random ones, and
// every colour whose channels are multiples of 5 or lie within 3 of each
// other (ties for the maximum, quotients that come out whole).
TEST(AjustHLS32, EveryColourMatchesTheStepByStepConversion)
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
    auto to_hls = [](int r, int g, int b) {
        const int cmax = std::max({r, g, b}), cmin = std::min({r, g, b}), sum = cmax + cmin, d = cmax - cmin;
        const int l = (sum * 240 + 255) / 510;
        if (d == 0) return std::array<int, 3>{160, l, 0};
        auto q = [&](int c) { return static_cast<double>(40 * (cmax - c) + d / 2) / d; };
        const double rq = static_cast<float>(q(r)), gq = static_cast<float>(q(g)), bq = q(b);
        const int h = static_cast<int>(r == cmax ? bq - gq : g == cmax ? (rq + 80.0) - bq : (gq + 160.0) - rq);
        const int s = l <= 120 ? (d * 240 + sum / 2) / sum : (d * 240 + (510 - sum) / 2) / (510 - sum);
        return std::array<int, 3>{h < 0 ? h + 240 : h > 240 ? h - 240 : h, l, s};
    };
    auto channel = [](double p, double q, double hue) {
        const double c = 0.025f;
        hue = hue < 0 ? hue + 240 : hue > 240 ? hue - 240 : hue;
        const double v = hue < 40    ? p + ((q - p) * hue + 20) * c
                         : hue < 120 ? q
                         : hue < 160 ? p + ((q - p) * (160 - hue) + 20) * c
                                     : p;
        return static_cast<uint8_t>(std::clamp(static_cast<int>((v * 255 + 120) * (1.0 / 240)), 0, 255));
    };
    auto to_bgr = [&](int h, int l, int s) {
        if (s <= 0) return std::vector<uint8_t>(3, static_cast<uint8_t>(l * 255 / 240));
        const double k1 = 1.0f / 240.0f;
        const float m2 = l <= 120 ? float(((s + 240) * l + 120) * k1) : float((s + l) - (l * s + 120) * k1);
        const float m1 = float(2 * l - double(m2));
        return std::vector<uint8_t>{channel(m1, m2, h - 80), channel(m1, m2, h), channel(m1, m2, h + 80)};
    };
    const int width = 256, rows = static_cast<int>(colours.size() + width - 1) / width;
    TestSurface s(width, rows, 32);
    const int32_t deltas[][3] = {{0, 0, 0},         {37, -20, 15},        {-100, 60, -200},
                                 {240, -240, 240},  {-7, 9, 250},         {INT32_MAX, INT32_MIN, INT32_MAX},
                                 {INT32_MIN, 3, 1}, {5, INT32_MAX, INT32_MIN}};
    for (const auto& d : deltas) {
        std::vector<std::vector<uint8_t>> expect;
        for (const auto& [r, g, b] : colours) {
            const auto [h, l, sat] = to_hls(r, g, b);
            expect.push_back(to_bgr(int(std::clamp<int64_t>(int64_t{h} + d[0], 0, 240)),
                                    int(std::clamp<int64_t>(int64_t{l} + d[1], 0, 240)),
                                    int(std::clamp<int64_t>(int64_t{sat} + d[2], -1, 240))));
            expect.back().push_back(9);
        }
        // The export, then the kernel of every level this CPU has: the rare
        // colours here are out of the level driver's reach.
        for (int level = -1; level < int(std::size(pixmill::kAllIsas)); ++level) {
            const pixmill::Isa isa = level < 0 ? pixmill::active_isa() : pixmill::kAllIsas[level];
            if (isa > pixmill::cpu_isa()) break;
            for (size_t k = 0; k < colours.size(); ++k)
                s.set(k % width, k / width, {colours[k][2], colours[k][1], colours[k][0], 9});
            if (level < 0)
                Render_AjustHLS32(s.get(), 0, 0, width, rows, d[0], d[1], d[2]);
            else
                for (int y = 0; y < rows; ++y)
                    pixmill::kernels_at(isa).adjust_hls_32(s.px(0, y), width, {d[0], d[1], d[2]});
            for (size_t k = 0; k < colours.size(); ++k)
                ASSERT_EQ(s.pixel(k % width, k / width), expect[k])
                    << pixmill::isa_name(isa) << (level < 0 ? " export: " : " kernel: ") << colours[k][0] << ","
                    << colours[k][1] << "," << colours[k][2] << " deltas " << d[0] << "," << d[1] << "," << d[2];
        }
    }
}
