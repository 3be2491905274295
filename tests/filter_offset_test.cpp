// Channel offsets, the alpha sum, contrast and colour sums.
#include <gtest/gtest.h>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

#include "filter/colour_sum_rows.h"
#include "filter/offset_rows.h"
#include "frame/kernels.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

// Every byte value through each per-byte rule, on calls short of the
// per-call tables and past them. Offsets and the alpha sum: the byte plus its
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
    enum { kGamma24, kKeyed24, kContrast24, kGamma32, kAlphaAdd } const kinds[] = {kGamma24, kKeyed24, kContrast24,
                                                                                   kGamma32, kAlphaAdd};
    for (auto kind : kinds)
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
                for (size_t k = 0; k < before.size(); ++k) {
                    const double q = (before[k] - 128) * static_cast<double>(factor);
                    const double expect = kind != kContrast24 ? std::clamp<int64_t>(before[k] + by_byte[k % bpp], 0, 255)
                                          : std::isnan(q)     ? 128.0
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
