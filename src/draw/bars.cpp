// Filled bars: one colour over a clipped rectangle, opaque, blended with one
// alpha, or blended through a 24-bit mask.
#include "draw/draw_rows.h"
#include "frame/kernels.h"
#include "frame/rect_walk.h"
#include "frame/walk.h"

using namespace pixmill;

extern "C" {

int32_t PIXMILL_CALL Render_DrawBar24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t red,
                                      int32_t green, int32_t blue)
{
    const Colour24 c = colour24(colour_bytes(red, green, blue));
    return for_each_rect_pixel_run(dest, kBgr24, {x, y, w, h},
                                   [&c](const Kernels& k, uint8_t* row, int32_t n) { k.fill_24(row, n, c); });
}

int32_t PIXMILL_CALL Render_DrawBar24Alpha(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t red,
                                           int32_t green, int32_t blue, int32_t alpha)
{
    const ConstBlend b = const_blend(colour_bytes(red, green, blue), alpha);
    return for_each_rect_pixel_run(dest, kBgr24, {x, y, w, h},
                                   [&b](const Kernels& k, uint8_t* row, int32_t n) { k.blend_24(row, n, b); });
}

int32_t PIXMILL_CALL Render_DrawBar32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t red,
                                      int32_t green, int32_t blue)
{
    const Bgr c = colour_bytes(red, green, blue);
    return for_each_rect_pixel_run(dest, kBgra32, {x, y, w, h},
                                   [c](const Kernels& k, uint8_t* row, int32_t n) { k.fill_32(row, n, c); });
}

int32_t PIXMILL_CALL Render_DrawBar32Alpha(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t red,
                                           int32_t green, int32_t blue, int32_t alpha)
{
    const ConstBlend b = const_blend(colour_bytes(red, green, blue), alpha);
    return for_each_rect_pixel_run(dest, kBgra32, {x, y, w, h},
                                   [&b](const Kernels& k, uint8_t* row, int32_t n) { k.blend_32(row, n, b); });
}

int32_t PIXMILL_CALL Render_DrawBar32AlphaT(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t red,
                                            int32_t green, int32_t blue, int32_t alphaValue)
{
    const Bgr c = colour_bytes(red, green, blue);
    const uint8_t a = static_cast<uint8_t>(alphaValue);
    return for_each_rect_pixel_run(
        dest, kBgra32, {x, y, w, h},
        [c, a](const Kernels& k, uint8_t* row, int32_t n) { k.fill_32_alpha_byte(row, n, c, a); });
}

// The mask is clipped as a block transfer's source, so a bar that runs past
// the mask's right edge also loses the mask's last column.
int32_t PIXMILL_CALL Render_DrawBar24Mask24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, Surface* mask,
                                            int32_t maskX, int32_t maskY, int32_t red, int32_t green, int32_t blue)
{
    const Colour24 c = colour24(colour_bytes(red, green, blue));
    return blit(dest, kBgr24, mask, kBgr24, {x, y, w, h, maskX, maskY},
                [&c](const Kernels& k, uint8_t* row, const uint8_t* m, int32_t n) { k.mask_blend_24(row, m, n, c); });
}

}  // extern "C"
