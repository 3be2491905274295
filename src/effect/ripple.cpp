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
#include <cstring>

#include "effect/ripple_rows.h"
#include "frame/clip.h"
#include "frame/kernels.h"
#include "frame/surface.h"
#include "frame/truncate.h"

using namespace pixmill;

namespace {

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
// they share their offset: a row works out the offsets of its left half (up
// to the centre column) and reads them back for its right half. Rows wider
// than twice this many columns work out theirs in blocks of this many.
constexpr int32_t kBlockColumns = 2048;

// Columns i0 .. i0 + n - 1 of row j in sweep order, the offsets of column
// i0 + c at du[dir c], dv[dir c]. A sample passes its test when it lies on
// the surface; x + i and y + j lie on it, and each offset is a 32-bit
// integer, so both tests are exact in unsigned 32-bit arithmetic (a sum
// beyond the surface on either side wraps to at least 2^31, above any Width
// or Rows). Where the test passes, the sample lies b rows up and a columns
// right, b stride_bytes + a B bytes from the pixel; every address formed
// lies in the array.
template <int32_t B, int32_t dir, class InDisc>
void sweep_run(const SurfaceView& s, const Rect& r, int32_t j, int32_t i0, int32_t n, const int32_t* du,
               const int32_t* dv, InDisc in_disc)
{
    uint8_t* to = pixel_at(s, r.x + i0, r.y + j);
    const auto width = static_cast<uint32_t>(s.width), rows = static_cast<uint32_t>(s.rows);
    const uint32_t x = static_cast<uint32_t>(r.x) + static_cast<uint32_t>(i0), y = static_cast<uint32_t>(r.y + j);
    const ptrdiff_t stride = s.stride_bytes;
    for (int32_t c = 0; c < n; ++c, to += B) {
        if (!in_disc(i0 + c)) continue;
        const int32_t a = du[dir * c], b = dv[dir * c];
        const uint32_t sx = x + static_cast<uint32_t>(c) + static_cast<uint32_t>(a);
        const uint32_t sy = y - static_cast<uint32_t>(b);
        if (sx >= width || sy >= rows) continue;
        const uint8_t* from = to + static_cast<ptrdiff_t>(b) * stride + static_cast<ptrdiff_t>(a) * B;
        if constexpr (B == 4) {
            // 32-bit rows are whole pixels apart, so sample and pixel are one
            // or share no byte.
            uint32_t px;
            std::memcpy(&px, from, 4);
            std::memcpy(to, &px, 4);
        } else {
            // A 24-bit stride may overlap them by a byte or two: byte by byte,
            // in order.
            to[0] = from[0];
            to[1] = from[1];
            to[2] = from[2];
        }
    }
}

template <int32_t B>
void ripple_rows(const SurfaceView& s, const Rect& r, const Ripple& rp)
{
    const Kernels& kern = kernels();
    const bool exact_disc = r.w < kExactDiscWidth;
    const bool mirrored = exact_disc && r.w / 2 < kBlockColumns;
    int32_t du[kBlockColumns], dv[kBlockColumns];
    const auto all = [](int32_t) { return true; };

    for (int32_t j = 0; j < r.h; ++j) {
        Span span{0, r.w - 1};
        if (exact_disc) {
            span = disc_span(rp, r.w, j);
            if (span.lo > span.hi) continue;
        }
        const double dj = j - static_cast<double>(rp.cyf);
        const RippleRow row{rp.cxf, dj * dj, rp.k, rp.amp_x, rp.amp_y};
        if (mirrored) {
            // The columns up to the centre work out their offsets; those right
            // of it, i > w / 2, read them at w - i, which lies in the span.
            const int32_t mid = span.hi < r.w / 2 ? span.hi : r.w / 2;
            kern.ripple_offsets(row, span.lo, mid - span.lo + 1, du + span.lo, dv + span.lo);
            sweep_run<B, 1>(s, r, j, span.lo, mid - span.lo + 1, du + span.lo, dv + span.lo, all);
            const int32_t back = r.w - mid - 1;  // the mirror of column mid + 1
            if (mid < span.hi) sweep_run<B, -1>(s, r, j, mid + 1, span.hi - mid, du + back, dv + back, all);
            continue;
        }
        for (int32_t lo = span.lo; lo <= span.hi; lo += kBlockColumns) {
            const int32_t n = span.hi - lo < kBlockColumns ? span.hi - lo + 1 : kBlockColumns;
            kern.ripple_offsets(row, lo, n, du, dv);
            if (exact_disc) {
                sweep_run<B, 1>(s, r, j, lo, n, du, dv, all);
            } else {
                sweep_run<B, 1>(s, r, j, lo, n, du, dv, [&rp, j](int32_t i) { return rp.in_disc(i, j); });
            }
            if (span.hi - lo < kBlockColumns) break;  // lo + kBlockColumns might overflow
        }
    }
}

int32_t ripple(Surface* dest, PixelFormat format, Rect r, int32_t amplitude, int32_t spread)
{
    const SurfaceView s = read_surface(dest, format);
    if (!clip_rect(r, s.width, s.rows)) return 0;
    const Ripple rp(r, amplitude, spread);
    if (s.bpp == 4) {
        ripple_rows<4>(s, r, rp);
    } else {
        ripple_rows<3>(s, r, rp);
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
