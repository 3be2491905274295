// Transfers that move coverage: alpha to grey, grey to alpha, and copies
// through a separate 24-bit mask.
#include "frame/walk.h"

using namespace pixmill;

namespace {

// The two transfers through a mask: the mask is read after the destination and
// the source, and is not clipped (walk_rows_masked leaves alone any pixel
// whose mask pixel lies outside the mask's array).
template <class RowFn>
int32_t blit_through_mask(Surface* dest, PixelFormat dest_format, Surface* src, Surface* mask, Block b, RowFn&& row)
{
    const SurfaceView d = read_surface(dest, dest_format);
    const SurfaceView s = read_surface(src, kBgr24);
    const SurfaceView m = read_surface(mask, kBgr24);
    BlockRows r;
    if (prepare_block(d, s, b, r)) walk_rows_masked(r, s.rows, m, row);
    return 0;
}

}  // namespace

extern "C" {

int32_t PIXMILL_CALL Render_BitBlt32Maskto24(Surface* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                                             Surface* src, int32_t sx, int32_t sy)
{
    return blit(dest, kBgr24, src, kBgra32, {dx, dy, w, h, sx, sy}, row_kernel(&Kernels::alpha_to_grey_32to24));
}

int32_t PIXMILL_CALL Render_BitBlt24to32Mask(Surface* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                                             Surface* src, int32_t sx, int32_t sy)
{
    return blit(dest, kBgra32, src, kBgr24, {dx, dy, w, h, sx, sy}, row_kernel(&Kernels::red_to_alpha_24to32));
}

int32_t PIXMILL_CALL Render_BitBlt24to24Mask24(Surface* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                                               Surface* src, int32_t sx, int32_t sy, Surface* mask)
{
    return blit_through_mask(dest, kBgr24, src, mask, {dx, dy, w, h, sx, sy},
                             row_kernel(&Kernels::mask_blend_24to24));
}

int32_t PIXMILL_CALL Render_BitBlt24to32Mask24(Surface* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                                               Surface* src, int32_t sx, int32_t sy, Surface* mask)
{
    return blit_through_mask(dest, kBgra32, src, mask, {dx, dy, w, h, sx, sy},
                             row_kernel(&Kernels::mask_alpha_24to32));
}

}  // extern "C"
