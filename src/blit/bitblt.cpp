// The four plain block transfers, one per pairing of the 24- and 32-bit formats.
#include "blit/blit_rows.h"
#include "frame/walk.h"

using namespace pixmill;

extern "C" {

int32_t PIXMILL_CALL Render_BitBlt24to24(Surface* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                                         Surface* src, int32_t sx, int32_t sy)
{
    return blit(dest, kBgr24, src, kBgr24, {dx, dy, w, h, sx, sy}, copy_row_24to24);
}

int32_t PIXMILL_CALL Render_BitBlt24to32(Surface* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                                         Surface* src, int32_t sx, int32_t sy)
{
    return blit(dest, kBgra32, src, kBgr24, {dx, dy, w, h, sx, sy}, row_kernel(&Kernels::copy_24to32));
}

int32_t PIXMILL_CALL Render_BitBlt32to24(Surface* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                                         Surface* src, int32_t sx, int32_t sy)
{
    return blit(dest, kBgr24, src, kBgra32, {dx, dy, w, h, sx, sy}, row_kernel(&Kernels::blend_32to24));
}

int32_t PIXMILL_CALL Render_BitBlt32to32(Surface* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                                         Surface* src, int32_t sx, int32_t sy)
{
    return blit(dest, kBgra32, src, kBgra32, {dx, dy, w, h, sx, sy}, row_kernel(&Kernels::blend_32to32));
}

}  // extern "C"
