// The blur and the ripple against straightforward pixel-by-pixel versions of
// their sweeps, on random surfaces: every byte of the array must agree.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <random>
#include <vector>

#include "frame/clip.h"
#include "frame/trig.h"
#include "guarded_surface.h"

using pixmill_test::GuardedSurface;

namespace {

struct View {
    uint8_t* data;
    int width, rows, pitch, bpp;
    uint8_t* at(int x, int y) const { return data + static_cast<ptrdiff_t>(rows - 1 - y) * pitch + x * bpp; }
};

// The rectangle clipped as every one-rectangle export clips it.
bool clip(const View& v, int& x, int& y, int& w, int& h)
{
    pixmill::Rect r{x, y, w, h};
    if (!pixmill::clip_rect(r, v.width, v.rows)) return false;
    x = r.x, y = r.y, w = r.w, h = r.h;
    return true;
}

void blur_reference(const View& v, int x, int y, int w, int h)
{
    if (!clip(v, x, y, w, h)) return;
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            for (int c = 0; c < 3; ++c) {
                uint8_t* p = v.at(x + i, y + j);
                const int self = p[c];
                const int left = i > 0 ? v.at(x + i - 1, y + j)[c] : self;
                const int right = i + 1 < w ? v.at(x + i + 1, y + j)[c] : self;
                const int up = j > 0 ? v.at(x + i, y + j - 1)[c] : self;
                const int down = y + j + 1 < v.rows ? v.at(x + i, y + j + 1)[c] : self;
                p[c] = static_cast<uint8_t>((self + left + right + up + down) / 5);
            }
}

void ripple_reference(const View& v, int x, int y, int w, int h, int amplitude, int spread)
{
    if (!clip(v, x, y, w, h)) return;
    const float cxf = static_cast<float>(w * 0.5), cyf = static_cast<float>(h * 0.5);
    const int cxi = static_cast<int>(cxf), cyi = static_cast<int>(cyf);
    const float amp_x = static_cast<float>(amplitude * 0.2), amp_y = static_cast<float>(amplitude * 0.125);
    const float k = static_cast<float>(1.0 - spread * 0.01);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            const double e = std::sqrt(static_cast<double>((cxi - i) * (cxi - i) + (cyi - j) * (cyi - j)));
            if (e > cxf) continue;
            const double di = i - static_cast<double>(cxf), dj = j - static_cast<double>(cyf);
            const double s = pixmill::sine(std::sqrt(di * di + dj * dj) * k);
            const int du = static_cast<int>(s * amp_x), dv = static_cast<int>(s * amp_y);
            const int sx = x + i + du, sy = y + j - dv;
            if (sx < 0 || sx >= v.width || sy < 0 || sy >= v.rows) continue;
            const uint8_t* from = v.at(sx, sy);
            uint8_t* to = v.at(x + i, y + j);
            for (int b = 0; b < v.bpp; ++b) to[b] = from[b];
        }
}

}  // namespace

// Widths on both sides of the blur's chunk of 512 pixels and of the
// ripple's 2048 mirrored columns, odd and even, rectangles inside, clipped
// and beyond the surface, the bottom row included or not; then small
// surfaces rippled with amplitudes and spreads up to the int32 limits. The
// arrays sit between guard bytes, which also fill the row padding: a sample
// read off the surface brings a guard byte into a pixel, which the reference
// never does, and every byte outside the clipped rectangle (outside its disc,
// for the ripple) must stay.
TEST(EffectReference, BlurAndRippleMatchTheDirectSweep)
{
    std::mt19937 rng(31);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int widths[] = {1, 2, 7, 30, 31, 511, 512, 513, 1025, 4097, 4100};
    const int32_t amplitudes[] = {0, 13, -13, 100, 5000, INT32_MAX, INT32_MIN, -1};
    const int32_t spreads[] = {0, 50, 99, 100, -250, 1000000, INT32_MAX, INT32_MIN};
    int changed = 0;
    for (int iter = 0; iter < 890; ++iter) {
        const bool wide = iter < 90;
        const int bits = iter % 2 ? 32 : 24, bpp = bits / 8;
        const int width = wide ? widths[iter % 11] : pick(1, 24);
        const int rows = width > 1000 ? pick(1, 4) : pick(1, wide ? 40 : 24);
        GuardedSurface s(width, rows, bits, pick(0, 3));
        // Smooth areas now and then, where the ripple's moves show less and ties are common.
        const int mask = iter % 3 == 0 ? 0xC0 : 0xFF;
        for (int y = 0; y < rows; ++y)
            for (int k = 0; k < width * bpp; ++k) s.px(0, y)[k] = static_cast<uint8_t>(pick(0, 200) & mask);
        int x = pick(-3, width / 2), y = pick(-3, rows / 2), w = pick(0, width + 3), h = pick(0, rows + 3);
        if (iter % 4 == 0) x = 0, y = 0, w = width, h = rows;
        if (iter % 10 == 9) x = iter % 20 == 9 ? 0 : INT32_MIN, y = pick(INT32_MIN, 0), w = INT32_MAX, h = INT32_MAX;
        const bool extreme = !wide && iter % 3 != 0;
        const int32_t amplitude = extreme ? amplitudes[pick(0, 7)] : pick(-60, 60);
        const int32_t spread = extreme ? spreads[pick(0, 7)] : pick(-50, 150);

        std::vector<uint8_t> expect = s.all();
        const View v{expect.data() + s.offset_of(0, rows - 1), width, rows, s.pitch(), bpp};
        blur_reference(v, x, y, w, h);
        (bits == 24 ? Render_Blur24 : Render_Blur32)(s.get(), x, y, w, h);
        ASSERT_EQ(s.all(), expect) << "blur " << bits << " " << width << "x" << rows << ": " << x << " " << y << " "
                                   << w << " " << h;

        ripple_reference(v, x, y, w, h, amplitude, spread);
        const std::vector<uint8_t> before = s.all();
        (bits == 24 ? Render_RoundsFromWater24 : Render_RoundsFromWater32)(s.get(), x, y, w, h, amplitude, spread);
        changed += before != s.all();
        ASSERT_EQ(s.all(), expect) << "ripple " << bits << " " << width << "x" << rows << ": " << x << " " << y
                                   << " " << w << " " << h << " amplitude " << amplitude << " spread " << spread;
    }
    EXPECT_GT(changed, 100);  // the ripples must move pixels often enough to mean something
}
