// The in-place five-point blur. One sweep, top row first: each row reads the
// row above as already blurred and the row below as it still is. The
// rectangle's top row uses itself for the row above, but its bottom row reads
// the row below the rectangle (never writing it) unless that row would lie
// below the surface.
#include "effect/blur_rows.h"
#include "frame/clip.h"
#include "frame/surface.h"

using namespace pixmill;

namespace {

int32_t blur(Surface* dest, PixelFormat format, Rect r)
{
    const SurfaceView s = read_surface(dest, format);
    if (!clip_rect(r, s.width, s.rows)) return 0;
    // Rows go in pairs (the same bytes as one after the other), the last one
    // alone when the count is odd.
    for (int32_t j = 0; j < r.h; j += 2) {
        uint8_t* row = pixel_at(s, r.x, r.y + j);
        const uint8_t* above = j == 0 ? nullptr : row + s.stride_bytes;
        const uint32_t top = j == 0 ? kBlurTopEdge : 0u;
        if (j + 1 < r.h) {
            uint8_t* next = row - s.stride_bytes;
            const bool surface_bottom = r.y + j + 1 == s.rows - 1;
            const uint8_t* below = surface_bottom ? nullptr : next - s.stride_bytes;
            blur_row_pair(row, above, next, below, r.w, s.bpp, top | (surface_bottom ? kBlurBottomEdge : 0u));
        } else {
            const bool surface_bottom = r.y + j == s.rows - 1;
            const uint8_t* below = surface_bottom ? nullptr : row - s.stride_bytes;
            blur_row(row, above, below, r.w, s.bpp, top | (surface_bottom ? kBlurBottomEdge : 0u));
        }
    }
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
