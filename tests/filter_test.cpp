// The one-rectangle filters' rules: every byte value through the offsets,
// the alpha sum and contrast; keys; colour sums; the inversions, Set32Alpha
// and the hue, lightness and saturation adjustment against its conversion
// written out step by step. That each changes exactly its clipped rectangle
// is checked in effect_reference_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "filter/colour_sum_rows.h"
#include "filter/hls_rows.h"
#include "filter/offset_rows.h"
#include "frame/kernels.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

// Every byte value through each per-byte rule, on calls short of the
// per-call tables and past them. The inversions: 255 - b, for the colour
// bytes or the alpha byte only. Offsets and the alpha sum: the byte plus its
// channel's amount, the whole sum cut to 0..255 (large amounts saturate
// rather than being judged by some part of their bits; the channels take
// different amounts, so a swap shows). Contrast: 128 + trunc((b - 128) x
// factor), the product in double, cut to 0..255; 0 x infinity and every
// product with NaN count as 0.
TEST(ByteRules, EveryByteValue)
{
    const int32_t offsets[] = {0,     -255,   255,   -3,     4,    40000,     65536,     -65536,
                               32512, -32768, 1,     -1,     300,  INT32_MAX, INT32_MIN, 27};
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    const float factors[] = {1.0f,   0.3f,   1.7f,   -0.7f, 3.14159f, -254.0f, 257.0f,  1e-7f,    2.0f, 0.5f,
                             -1.0f,  0.0f,   -0.5f,  1.5f,  300.0f,   -300.0f, 1e30f,   FLT_MAX, -FLT_MAX,
                             inf,    -inf,   nan,    -nan};
    const int n = static_cast<int>(std::size(offsets));
    enum Kind { kGamma24, kKeyed24, kContrast24, kInvert24, kGamma32, kAlphaAdd, kInvert32, kInvertAlpha };
    for (int kind = kGamma24; kind <= kInvertAlpha; ++kind)
        for (int pixels : {86, 1300})
            for (int i = 0; i < static_cast<int>(std::size(factors)); ++i) {
                const int bpp = kind < kGamma32 ? 3 : 4;
                const int32_t b = offsets[i % n], g = offsets[(i + 1) % n], r = offsets[(i + 2) % n];
                const int32_t a = offsets[(i + 3) % n];
                const float factor = factors[i];
                const int64_t by_byte[4] = {kind == kAlphaAdd ? 0 : b, kind == kAlphaAdd ? 0 : g,
                                            kind == kAlphaAdd ? 0 : r, a};
                TestSurface s(pixels, 1, 8 * bpp);
                for (int k = 0; k < bpp * pixels; ++k) s.bytes()[k] = static_cast<uint8_t>(k);
                const auto before = s.bytes();
                if (kind == kGamma24) Render_GammaCorrect24(s.get(), 0, 0, pixels, 1, r, g, b);
                if (kind == kKeyed24) Render_GammaCorrect24TColor(s.get(), 0, 0, pixels, 1, r, g, b, 1, 2, 3);
                if (kind == kContrast24) Render_Contrast24(s.get(), 0, 0, pixels, 1, factor);
                if (kind == kGamma32) Render_GammaCorrect32(s.get(), 0, 0, pixels, 1, r, g, b, a);
                if (kind == kAlphaAdd) Render_AlphaAdd32(s.get(), 0, 0, pixels, 1, a);
                if (kind == kInvert24) Render_Invert24(s.get(), 0, 0, pixels, 1);
                if (kind == kInvert32) Render_Invert32(s.get(), 0, 0, pixels, 1);
                if (kind == kInvertAlpha) Render_InvertAlpha32(s.get(), 0, 0, pixels, 1);
                for (size_t k = 0; k < before.size(); ++k) {
                    const double q = (before[k] - 128) * static_cast<double>(factor);
                    const bool inverts = kind == kInvert24 || kind == kInvert32 || kind == kInvertAlpha;
                    const bool flips = kind == kInvertAlpha ? k % 4 == 3 : k % bpp < 3;
                    const double expect = inverts ? (flips ? 255 - before[k] : before[k])
                                          : kind != kContrast24 ? std::clamp<int64_t>(before[k] + by_byte[k % bpp], 0, 255)
                                          : std::isnan(q)       ? 128.0
                                                                : std::clamp(std::trunc(q) + 128.0, 0.0, 255.0);
                    ASSERT_EQ(s.bytes()[k], expect) << "kind " << kind << " on " << pixels << " pixels, byte "
                                                    << int(before[k]) << " at " << k << ", factor " << factor;
                }
            }
}

// The key, then pixels differing from it in blue, green, red only; only the
// low byte of each key argument is compared. Through the export, then through
// every level's kernel: the level driver seldom meets a key on a call large
// enough for the tables.
TEST(Offsets, KeyedPixelsAreSkippedWhole)
{
    const std::vector<int> in[4] = {{30, 20, 10}, {31, 20, 10}, {30, 21, 10}, {30, 20, 11}};
    const std::vector<int> out[4] = {{30, 20, 10}, {255, 13, 255}, {255, 14, 255}, {255, 13, 255}};
    for (int pixels : {4, 1300})
        for (int level = -1; level < int(std::size(pixmill::kAllIsas)); ++level) {
            const pixmill::Isa isa = level < 0 ? pixmill::active_isa() : pixmill::kAllIsas[level];
            if (isa > pixmill::cpu_isa()) break;
            TestSurface s(pixels, 1, 24);
            for (int p = 0; p < pixels; ++p) s.set(p, 0, in[p % 4]);
            pixmill::OffsetCall call({100000, -7, 1000, 0}, pixels);
            if (level < 0)
                Render_GammaCorrect24TColor(s.get(), 0, 0, pixels, 1, 100000, -7, 1000, 0x10a, -256 + 20, 0x7fffff1e);
            else
                pixmill::kernels_at(isa).offset_24_keyed(s.px(0, 0), pixels, call,
                                                         pixmill::make_key(0x10a, -256 + 20, 0x7fffff1e));
            for (int p = 0; p < pixels; ++p)
                ASSERT_EQ(s.pixel(p, 0), std::vector<uint8_t>(out[p % 4].begin(), out[p % 4].end()))
                    << pixmill::isa_name(isa) << (level < 0 ? " export, " : " kernel, ") << p << " of " << pixels;
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

// Every level's kernel over rows narrower than its block, exactly a block and
// with a tail, one row and several (a gap of padding between them, a column
// left out on each side), onto totals that wrap: each channel's total is its
// start plus its bytes modulo 2^32; the export, which starts from 0, agrees.
TEST(CalcColor24, EveryLevelSumsEveryRowAndWraps)
{
    std::mt19937 rng(19);
    for (int32_t w : {1, 15, 16, 17, 33, 64, 65, 130, 300})
        for (int32_t h : {1, 4}) {
            TestSurface s(w + 2, h, 24, 5);
            s.fill_random(rng);
            uint32_t bytes[3] = {0, 0, 0};  // blue, green, red
            for (int32_t y = 0; y < h; ++y)
                for (int32_t x = 1; x <= w; ++x)
                    for (int c = 0; c < 3; ++c) bytes[c] += s.px(x, y)[c];
            int32_t red, green, blue;
            Render_CalcColor24(s.get(), 1, 0, w, h, &red, &green, &blue);
            EXPECT_TRUE(uint32_t(blue) == bytes[0] && uint32_t(green) == bytes[1] && uint32_t(red) == bytes[2])
                << "export, " << w << " x " << h;
            for (pixmill::Isa isa : pixmill::kAllIsas) {
                if (isa > pixmill::cpu_isa()) break;
                pixmill::ColourSums sums{0xFFFFFFFFu, 0x7FFFFFFFu, 0xFFFFFF00u};  // red, green, blue
                pixmill::kernels_at(isa).sum_24(s.px(1, h - 1), s.pitch(), w, h, sums);
                EXPECT_TRUE(sums.blue == 0xFFFFFF00u + bytes[0] && sums.green == 0x7FFFFFFFu + bytes[1] &&
                            sums.red == 0xFFFFFFFFu + bytes[2])
                    << pixmill::isa_name(isa) << ", " << w << " x " << h;
            }
        }
}

// Set32Alpha covers every pixel of the array, the padding beyond Width
// included, whatever Width says.
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
    const int32_t deltas[][3] = {{0, 0, 0},         {37, -20, 15},        {-100, 60, -200},
                                 {240, -240, 240},  {-7, 9, 250},         {INT32_MAX, INT32_MIN, INT32_MAX},
                                 {INT32_MIN, 3, 1}, {5, INT32_MAX, INT32_MIN}, {80, 0, 0},
                                 {0, 0, 120}};
    auto model = [&](int r, int g, int b, const int32_t* d) {
        const auto [h, l, sat] = to_hls(r, g, b);
        return to_bgr(int(std::clamp<int64_t>(int64_t{h} + d[0], 0, 240)),
                      int(std::clamp<int64_t>(int64_t{l} + d[1], 0, 240)),
                      int(std::clamp<int64_t>(int64_t{sat} + d[2], -1, 240)));
    };
    // Worked colours, red, green, blue: with all deltas 0 primaries survive
    // and others move a step (single-precision channel values would give
    // green 111 for the fourth); red turned by 80 is green; a grey saturated
    // takes hue 160; deltas at the int32 limits act as the exact sums would.
    const struct {
        int r, g, b;
        int32_t d[3];
        int er, eg, eb;
    } worked[] = {{255, 0, 0, {0, 0, 0}, 255, 0, 0},        {128, 128, 128, {0, 0, 0}, 127, 127, 127},
                  {200, 100, 50, {0, 0, 0}, 201, 99, 50},   {10, 105, 232, {0, 0, 0}, 10, 110, 233},
                  {255, 0, 0, {80, 0, 0}, 0, 255, 0},       {128, 128, 128, {0, 0, 120}, 63, 63, 192},
                  {200, 100, 50, {INT32_MIN, INT32_MAX, INT32_MIN}, 255, 255, 255}};
    for (const auto& w : worked)
        EXPECT_EQ(model(w.r, w.g, w.b, w.d), (std::vector<uint8_t>{uint8_t(w.eb), uint8_t(w.eg), uint8_t(w.er)}))
            << w.r << "," << w.g << "," << w.b << " deltas " << w.d[0] << "," << w.d[1] << "," << w.d[2];
    for (const auto& w : worked) colours.push_back({w.r, w.g, w.b});
    const int width = 256, rows = static_cast<int>(colours.size() + width - 1) / width;
    TestSurface s(width, rows, 32);
    for (const auto& d : deltas) {
        std::vector<std::vector<uint8_t>> expect;
        for (const auto& [r, g, b] : colours) {
            expect.push_back(model(r, g, b, d));
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

// Every colour (with all deltas 0, and with the saturation raised to the top,
// where the hue and lightness show most) and every hue, lightness, saturation
// triple the conversion back can see (greys of every lightness, moved by
// every hue and saturation delta) through each level's kernel against the
// scalar kernel. The lanes reach the scalar kernel's whole numbers by other
// roundings; only every input shows that they always do.
TEST(AjustHLS32, EveryLevelGivesTheScalarBytesForEveryColourAndTriple)
{
    constexpr int kRow = 4096;
    std::vector<uint8_t> colours(size_t{4} << 24), expect, got;
    for (uint32_t c = 0; c < (1u << 24); ++c) {
        std::memcpy(&colours[4 * size_t{c}], &c, 3);
        colours[4 * size_t{c} + 3] = static_cast<uint8_t>(c * 7);
    }
    std::vector<uint8_t> greys(4 * 256);
    for (int g = 0; g < 256; ++g) std::memset(&greys[4 * g], g, 4);
    struct Run {
        const std::vector<uint8_t>* pixels;
        pixmill::HlsDeltas d;
    };
    std::vector<Run> runs{{&colours, {0, 0, 0}}, {&colours, {0, 0, 240}}};
    for (int h = 0; h <= 240; ++h)
        for (int s = -1; s <= 240; ++s) runs.push_back({&greys, {h - 160, 0, s}});
    const auto apply = [](pixmill::Isa isa, std::vector<uint8_t>& px, const pixmill::HlsDeltas& d) {
        for (size_t at = 0; at < px.size(); at += 4 * kRow)
            pixmill::kernels_at(isa).adjust_hls_32(&px[at], static_cast<int32_t>(std::min<size_t>(kRow, (px.size() - at) / 4)), d);
    };
    for (const Run& run : runs) {
        expect = *run.pixels;
        apply(pixmill::Isa::kScalar, expect, run.d);
        for (pixmill::Isa isa : pixmill::kAllIsas) {
            if (isa == pixmill::Isa::kScalar || isa > pixmill::cpu_isa()) continue;
            got = *run.pixels;
            apply(isa, got, run.d);
            const auto diff = std::mismatch(got.begin(), got.end(), expect.begin());
            ASSERT_TRUE(diff.first == got.end())
                << pixmill::isa_name(isa) << ": pixel " << (diff.first - got.begin()) / 4 << " of "
                << run.pixels->size() / 4 << ", deltas " << run.d.hue << "," << run.d.lum << "," << run.d.sat;
        }
    }
}
