// Sprite transfers: a colour key, a constant alpha, both, and a 24- to 32-bit
// copy that stamps a constant alpha.
#include "blit/key_rows.h"
#include "frame/walk.h"

using namespace pixmill;

extern "C" {

int32_t PIXMILL_CALL Render_BitBlt24to24TColor(Surface* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                                               Surface* src, int32_t sx, int32_t sy, int32_t red, int32_t green,
                                               int32_t blue)
{
    const ColorKey key = make_key(red, green, blue);
    return blit(dest, kBgr24, src, kBgr24, {dx, dy, w, h, sx, sy},
                [key](const Kernels& k, uint8_t* d, const uint8_t* s, int32_t n) { k.key_24to24(d, s, n, key); });
}

int32_t PIXMILL_CALL Render_BitBlt24to24Alpha(Surface* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                                              Surface* src, int32_t sx, int32_t sy, int32_t alpha)
{
    return blit(dest, kBgr24, src, kBgr24, {dx, dy, w, h, sx, sy},
                [alpha](const Kernels& k, uint8_t* d, const uint8_t* s, int32_t n) { k.alpha_24to24(d, s, n, alpha); });
}

int32_t PIXMILL_CALL Render_BitBlt24to24TColorAlpha(Surface* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                                                    Surface* src, int32_t sx, int32_t sy, int32_t red,
                                                    int32_t green, int32_t blue, int32_t alpha)
{
    const ColorKey key = make_key(red, green, blue);
    return blit(dest, kBgr24, src, kBgr24, {dx, dy, w, h, sx, sy},
                [key, alpha](const Kernels& k, uint8_t* d, const uint8_t* s, int32_t n) {
                    k.key_alpha_24to24(d, s, n, key, alpha);
                });
}

int32_t PIXMILL_CALL Render_BitBlt24to32Alpha(Surface* dest, int32_t dx, int32_t dy, int32_t w, int32_t h,
                                              Surface* src, int32_t sx, int32_t sy, int32_t alpha)
{
    const uint8_t a = static_cast<uint8_t>(alpha);
    return blit(dest, kBgra32, src, kBgr24, {dx, dy, w, h, sx, sy},
                [a](const Kernels& k, uint8_t* d, const uint8_t* s, int32_t n) { k.stamp_24to32(d, s, n, a); });
}

}  // extern "C"
