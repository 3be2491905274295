// The in-place water ripple. Inside a disc whose radius is half the
// rectangle's width, each pixel takes the value of the pixel at an offset
// proportional to the sine of its distance from the rectangle's centre. The
// rectangle is swept once, top row first, left to right, with no copy: a
// sample that has already been replaced in this sweep supplies its new value.
//
// A sample is taken only when it lies on the surface, wherever the rectangle
// is; otherwise the pixel keeps its value. So nothing outside the surface is
// ever read, for any amplitude.
//
// The offsets depend on the position alone, never on pixel values, so the
// sweep may work them out in any order and reuse them; only the copies keep
// the sweep's order.
#include <cmath>
#include <cstdlib>

#include "frame/clip.h"
#include "frame/surface.h"
#include "frame/trig.h"
#include "frame/truncate.h"

using namespace pixmill;

namespace {

struct Offset {
    int32_t du, dv;  // du columns right, dv rows up
};

struct Ripple {
    float cxf, cyf;     // ring centre, pixels from the rectangle's top-left pixel
    int32_t cxi, cyi;   // disc centre: the ring centre truncated
    float amp_x, amp_y; // largest offsets
    float k;            // ring phase per pixel of distance

    Ripple(const Rect& r, int32_t amplitude, int32_t spread)
        : cxf(static_cast<float>(r.w * 0.5)), cyf(static_cast<float>(r.h * 0.5)),
          cxi(truncate_to_int32(cxf)), cyi(truncate_to_int32(cyf)),
          amp_x(static_cast<float>(amplitude * 0.2)), amp_y(static_cast<float>(amplitude * 0.125)),
          k(static_cast<float>(1.0 - spread * 0.01))
    {
    }

    bool in_disc(int32_t i, int32_t j) const
    {
        const int64_t di = static_cast<int64_t>(cxi) - i, dj = static_cast<int64_t>(cyi) - j;
        return std::sqrt(static_cast<double>(di * di + dj * dj)) <= cxf;
    }

    // The offset for column i of a row whose (j - cyf)^2 is dj2.
    Offset offset(int32_t i, double dj2) const
    {
        const double di = i - static_cast<double>(cxf);
        const double s = sine(std::sqrt(di * di + dj2) * k);
        return {truncate_to_int32(s * amp_x), truncate_to_int32(s * amp_y)};
    }
};

// Columns lo..hi of row j lie in the disc; lo > hi when none does.
struct Span {
    int32_t lo, hi;
};

// Widths below this take the disc test in integers (below); they also bound
// the values so that every square involved is exact.
constexpr int32_t kExactDiscWidth = 1 << 24;

// The disc test sqrt(di^2 + dj^2) <= cxf, for w < kExactDiscWidth, where cxf
// = w / 2 exactly. With n = di^2 + dj^2 whole and the square root correctly
// rounded, sqrt(n) <= cxf exactly when 4 n <= w^2: a larger n exceeds cxf^2
// by at least 1/4, which puts its root more than 1 / (8 cxf + 4) above cxf,
// far more than half a unit in the last place of cxf. So the disc's columns
// on row j are those with 4 (cxi - i)^2 <= w^2 - 4 (cyi - j)^2.
Span disc_span(const Ripple& rp, int32_t w, int32_t j)
{
    const int64_t dj = std::llabs(static_cast<int64_t>(rp.cyi) - j);
    const int64_t w2 = static_cast<int64_t>(w) * w;
    if (dj > w || 4 * dj * dj > w2) return {0, -1};
    const int64_t room = w2 - 4 * dj * dj;  // 4 di^2 may reach this
    auto t = static_cast<int64_t>(std::sqrt(static_cast<double>(room)) * 0.5);
    while (t > 0 && 4 * t * t > room) --t;
    while (4 * (t + 1) * (t + 1) <= room) ++t;
    const int64_t lo = rp.cxi - t, hi = static_cast<int64_t>(rp.cxi) + t;
    return {lo < 0 ? 0 : static_cast<int32_t>(lo), hi > w - 1 ? w - 1 : static_cast<int32_t>(hi)};
}

// Columns i and w - i lie equally far from the ring centre cxf = w / 2, so
// they share their offset. A row keeps the offsets of its left half, up to
// this many, for the columns of its right half.
constexpr int32_t kMirroredColumns = 2048;

int32_t ripple(Surface* dest, PixelFormat format, Rect r, int32_t amplitude, int32_t spread)
{
    const SurfaceView s = read_surface(dest, format);
    if (!clip_rect(r, s.width, s.rows)) return 0;
    const Ripple rp(r, amplitude, spread);
    const bool exact_disc = r.w < kExactDiscWidth;
    const bool mirrored = exact_disc && r.w / 2 < kMirroredColumns;
    Offset left_half[kMirroredColumns];

    for (int32_t j = 0; j < r.h; ++j) {
        Span span{0, r.w - 1};
        if (exact_disc) {
            span = disc_span(rp, r.w, j);
            if (span.lo > span.hi) continue;
        }
        const double dj = j - static_cast<double>(rp.cyf);
        const double dj2 = dj * dj;
        uint8_t* row = pixel_at(s, r.x, r.y + j);
        for (int32_t i = span.lo; i <= span.hi; ++i) {
            if (!exact_disc && !rp.in_disc(i, j)) continue;
            Offset o;
            if (mirrored && 2 * i > r.w) {
                o = left_half[r.w - i];  // r.w - i lies in the span, left of i
            } else {
                o = rp.offset(i, dj2);
                if (mirrored) left_half[i] = o;
            }
            const int64_t sx = static_cast<int64_t>(r.x) + i + o.du;
            const int64_t sy = static_cast<int64_t>(r.y) + j - o.dv;
            if (sx < 0 || sx >= s.width || sy < 0 || sy >= s.rows) continue;
            const uint8_t* from = pixel_at(s, static_cast<int32_t>(sx), static_cast<int32_t>(sy));
            uint8_t* to = row + static_cast<ptrdiff_t>(i) * s.bpp;
            for (int32_t b = 0; b < s.bpp; ++b) to[b] = from[b];
        }
    }
    return 0;
}

}  // namespace

extern "C" {

int32_t PIXMILL_CALL Render_RoundsFromWater24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                              int32_t amplitude, int32_t spread)
{
    return ripple(dest, kBgr24, {x, y, w, h}, amplitude, spread);
}

int32_t PIXMILL_CALL Render_RoundsFromWater32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                              int32_t amplitude, int32_t spread)
{
    return ripple(dest, kBgra32, {x, y, w, h}, amplitude, spread);
}

}  // extern "C"
