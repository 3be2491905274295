// The in-place five-point blur. One sweep, top row first: each row reads the
// row above as already blurred and the row below as it still is. The
// rectangle's top row uses itself for the row above, but its bottom row reads
// the row below the rectangle (never writing it) unless that row would lie
// below the surface.
#include "effect/blur_rows.h"
#include "frame/clip.h"
#include "frame/kernels.h"
#include "frame/surface.h"

using namespace pixmill;

namespace {

int32_t blur(Surface* dest, PixelFormat format, Rect r)
{
    const SurfaceView s = read_surface(dest, format);
    if (!clip_rect(r, s.width, s.rows)) return 0;
    const bool surface_bottom = r.y + r.h == s.rows;
    kernels().blur_rect(pixel_at(s, r.x, r.y), -s.stride_bytes, r.w, r.h, s.bpp,
                        kBlurTopEdge | (surface_bottom ? kBlurBottomEdge : 0u));
    return 0;
}

}  // namespace

extern "C" {

int32_t PIXMILL_CALL Render_Blur24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h)
{
    return blur(dest, kBgr24, {x, y, w, h});
}

int32_t PIXMILL_CALL Render_Blur32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h)
{
    return blur(dest, kBgra32, {x, y, w, h});
}

}  // extern "C"
