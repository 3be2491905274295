// The in-place water ripple. Inside a disc whose radius is half the
// rectangle's width, each pixel takes the value of the pixel at an offset
// proportional to the sine of its distance from the rectangle's centre. The
// rectangle is swept once, top row first, left to right, with no copy: a
// sample that has already been replaced in this sweep supplies its new value.
//
// A sample is taken only when it lies on the surface, wherever the rectangle
// is; otherwise the pixel keeps its value. So nothing outside the surface is
// ever read, for any amplitude.
#include <cmath>

#include "frame/clip.h"
#include "frame/surface.h"
#include "frame/trig.h"
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

    // Offset of the sample for rectangle position (i, j): du columns right,
    // dv rows up.
    void offset(int32_t i, int32_t j, int32_t& du, int32_t& dv) const
    {
        const double di = i - static_cast<double>(cxf), dj = j - static_cast<double>(cyf);
        const double s = sine(std::sqrt(di * di + dj * dj) * k);
        du = truncate_to_int32(s * amp_x);
        dv = truncate_to_int32(s * amp_y);
    }
};

int32_t ripple(Surface* dest, PixelFormat format, Rect r, int32_t amplitude, int32_t spread)
{
    const SurfaceView s = read_surface(dest, format);
    if (!clip_rect(r, s.width, s.rows)) return 0;
    const Ripple rp(r, amplitude, spread);
    for (int32_t j = 0; j < r.h; ++j) {
        for (int32_t i = 0; i < r.w; ++i) {
            if (!rp.in_disc(i, j)) continue;
            int32_t du, dv;
            rp.offset(i, j, du, dv);
            const int64_t sx = static_cast<int64_t>(r.x) + i + du;
            const int64_t sy = static_cast<int64_t>(r.y) + j - dv;
            if (sx < 0 || sx >= s.width || sy < 0 || sy >= s.rows) continue;
            const uint8_t* from = pixel_at(s, static_cast<int32_t>(sx), static_cast<int32_t>(sy));
            uint8_t* to = pixel_at(s, r.x + i, r.y + j);
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
