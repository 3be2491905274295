// Inversion, the alpha byte's operations and the left-right mirror.
#include "filter/channel_rows.h"
#include "frame/kernels.h"
#include "frame/rect_walk.h"

using namespace pixmill;

extern "C" {

int32_t PIXMILL_CALL Render_Invert24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h)
{
    return for_each_rect_pixel_run(dest, kBgr24, {x, y, w, h}, row_kernel(&Kernels::invert_24));
}

int32_t PIXMILL_CALL Render_Invert32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h)
{
    return for_each_rect_pixel_run(dest, kBgra32, {x, y, w, h}, row_kernel(&Kernels::invert_32));
}

int32_t PIXMILL_CALL Render_InvertAlpha32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h)
{
    return for_each_rect_pixel_run(dest, kBgra32, {x, y, w, h}, row_kernel(&Kernels::invert_alpha_32));
}

int32_t PIXMILL_CALL Render_AlphaAdd32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t delta)
{
    return for_each_rect_pixel_run(
        dest, kBgra32, {x, y, w, h},
        [delta](const Kernels& k, uint8_t* row, int32_t n) { k.add_alpha_32(row, n, delta); });
}

int32_t PIXMILL_CALL Render_HorizontalFlip32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h)
{
    return for_each_rect_row(dest, kBgra32, {x, y, w, h}, row_kernel(&Kernels::flip_32));
}

// The whole array, Width and any rectangle ignored: Rows rows of Stride
// pixels each, the padding beyond Width included. Each row reads and writes
// only itself.
int32_t PIXMILL_CALL Render_Set32Alpha(Surface* dest, int32_t alphaValue)
{
    const SurfaceView s = read_surface(dest, kBgra32);
    if (s.rows < 1 || s.stride < 1) return 0;
    const auto set = kernels().set_alpha_32;
    uint8_t* row = s.data;
    for (int32_t j = 0; j < s.rows; ++j, row += s.stride_bytes) set(row, s.stride, static_cast<uint8_t>(alphaValue));
    return 0;
}

}  // extern "C"
