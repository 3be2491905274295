// Rectangle outlines: four one-pixel lines on the border of the clipped
// rectangle, opaque or blended.
#include "draw/draw_rows.h"
#include "frame/kernels.h"
#include "frame/rect_walk.h"

using namespace pixmill;

namespace {

// Top line, bottom line, left line, right line, each at its full length. The
// lines are not shortened where they meet, so a blended corner is blended
// twice, and a single row or column is blended on two lines. Every line reads
// and writes only itself, so each goes to the active level's kernel.
template <class RowFn>
int32_t outline(const Surface* dest, PixelFormat format, Rect r, RowFn&& row)
{
    RectRows rr;
    if (!prepare_rect(read_surface(dest, format), r, rr)) return 0;
    const Kernels& k = kernels();
    const int32_t w = rr.clipped.w;
    row(k, rr.first, w);
    row(k, rr.first - static_cast<ptrdiff_t>(rr.clipped.h - 1) * rr.stride, w);
    walk_rect_rows(rr, [&](const Kernels& kk, uint8_t* p, int32_t) { row(kk, p, 1); });
    const ptrdiff_t right = static_cast<ptrdiff_t>(w - 1) * rr.bpp;
    walk_rect_rows(rr, [&](const Kernels& kk, uint8_t* p, int32_t) { row(kk, p + right, 1); });
    return 0;
}

}  // namespace

extern "C" {

int32_t PIXMILL_CALL Render_DrawRect24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t red,
                                       int32_t green, int32_t blue)
{
    const Colour24 c = colour24(colour_bytes(red, green, blue));
    return outline(dest, kBgr24, {x, y, w, h},
                   [&](const Kernels& k, uint8_t* row, int32_t n) { k.fill_24(row, n, c); });
}

int32_t PIXMILL_CALL Render_DrawRect24Alpha(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t red,
                                            int32_t green, int32_t blue, int32_t alpha)
{
    const ConstBlend b = const_blend(colour_bytes(red, green, blue), alpha);
    return outline(dest, kBgr24, {x, y, w, h},
                   [&](const Kernels& k, uint8_t* row, int32_t n) { k.blend_24(row, n, b); });
}

int32_t PIXMILL_CALL Render_DrawRect32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t red,
                                       int32_t green, int32_t blue)
{
    const Bgr c = colour_bytes(red, green, blue);
    return outline(dest, kBgra32, {x, y, w, h},
                   [&](const Kernels& k, uint8_t* row, int32_t n) { k.fill_32(row, n, c); });
}

int32_t PIXMILL_CALL Render_DrawRect32Alpha(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t red,
                                            int32_t green, int32_t blue, int32_t alpha)
{
    const ConstBlend b = const_blend(colour_bytes(red, green, blue), alpha);
    return outline(dest, kBgra32, {x, y, w, h},
                   [&](const Kernels& k, uint8_t* row, int32_t n) { k.blend_32(row, n, b); });
}

int32_t PIXMILL_CALL Render_DrawRect32AlphaT(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t red,
                                             int32_t green, int32_t blue, int32_t alphaValue)
{
    const Bgr c = colour_bytes(red, green, blue);
    const uint8_t a = static_cast<uint8_t>(alphaValue);
    return outline(dest, kBgra32, {x, y, w, h},
                   [&](const Kernels& k, uint8_t* row, int32_t n) { k.fill_32_alpha_byte(row, n, c, a); });
}

}  // extern "C"
