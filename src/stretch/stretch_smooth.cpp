// The smoothed scaled copies: every destination pixel takes the five-point average
// around its nearest source pixel.
#include "frame/kernels.h"
#include "stretch/stretch_walk.h"

using namespace pixmill;

extern "C" {

int32_t PIXMILL_CALL Render_StretchBltBillinear24to24(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                      int32_t dh, Surface* src, int32_t sx, int32_t sy, int32_t sw,
                                                      int32_t sh)
{
    return stretch(dest, kBgr24, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   row_kernel(&Kernels::smooth_24to24), RowWrite::kReplaces);
}

int32_t PIXMILL_CALL Render_StretchBltBillinear24to24Alpha(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                           int32_t dh, Surface* src, int32_t sx, int32_t sy,
                                                           int32_t sw, int32_t sh, int32_t alpha)
{
    return stretch(dest, kBgr24, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   [&](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
                       smooth_row_24to24_alpha(d, s, c, n, alpha);
                   });
}

int32_t PIXMILL_CALL Render_StretchBltBillinear24to24TColor(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                            int32_t dh, Surface* src, int32_t sx, int32_t sy,
                                                            int32_t sw, int32_t sh, int32_t red, int32_t green,
                                                            int32_t blue)
{
    const ColorKey key = make_key(red, green, blue);
    return stretch(dest, kBgr24, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   [&](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
                       smooth_row_24to24_key(d, s, c, n, key);
                   });
}

int32_t PIXMILL_CALL Render_StretchBltBillinear24to24TColorAlpha(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                                 int32_t dh, Surface* src, int32_t sx, int32_t sy,
                                                                 int32_t sw, int32_t sh, int32_t red,
                                                                 int32_t green, int32_t blue, int32_t alpha)
{
    const ColorKey key = make_key(red, green, blue);
    return stretch(dest, kBgr24, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   [&](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
                       smooth_row_24to24_key_alpha(d, s, c, n, key, alpha);
                   });
}

int32_t PIXMILL_CALL Render_StretchBltBillinear24to32(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                      int32_t dh, Surface* src, int32_t sx, int32_t sy, int32_t sw,
                                                      int32_t sh)
{
    return stretch(dest, kBgra32, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   row_kernel(&Kernels::smooth_24to32));
}

int32_t PIXMILL_CALL Render_StretchBltBillinear24to32Alpha(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                           int32_t dh, Surface* src, int32_t sx, int32_t sy,
                                                           int32_t sw, int32_t sh, int32_t alpha)
{
    return stretch(dest, kBgra32, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   [&](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
                       smooth_row_24to32_alpha(d, s, c, n, alpha);
                   });
}

int32_t PIXMILL_CALL Render_StretchBltBillinear24to32TColor(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                            int32_t dh, Surface* src, int32_t sx, int32_t sy,
                                                            int32_t sw, int32_t sh, int32_t red, int32_t green,
                                                            int32_t blue)
{
    const ColorKey key = make_key(red, green, blue);
    return stretch(dest, kBgra32, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   [&](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
                       smooth_row_24to32_key(d, s, c, n, key);
                   });
}

int32_t PIXMILL_CALL Render_StretchBltBillinear24to32TColorAlpha(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                                 int32_t dh, Surface* src, int32_t sx, int32_t sy,
                                                                 int32_t sw, int32_t sh, int32_t red,
                                                                 int32_t green, int32_t blue, int32_t alpha)
{
    const ColorKey key = make_key(red, green, blue);
    return stretch(dest, kBgra32, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   [&](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
                       smooth_row_24to32_key_alpha(d, s, c, n, key, alpha);
                   });
}

int32_t PIXMILL_CALL Render_StretchBltBillinear32to24(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                      int32_t dh, Surface* src, int32_t sx, int32_t sy, int32_t sw,
                                                      int32_t sh)
{
    return stretch(
        dest, kBgr24, src, kBgra32, {dx, dy, dw, dh, sx, sy, sw, sh},
        [](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) { smooth_row_32to24(d, s, c, n); });
}

int32_t PIXMILL_CALL Render_StretchBltBillinear32to32(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                      int32_t dh, Surface* src, int32_t sx, int32_t sy, int32_t sw,
                                                      int32_t sh)
{
    return stretch(
        dest, kBgra32, src, kBgra32, {dx, dy, dw, dh, sx, sy, sw, sh},
        [](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) { smooth_row_32to32(d, s, c, n); });
}

int32_t PIXMILL_CALL Render_StretchBltBillinear32to32F(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                       int32_t dh, Surface* src, int32_t sx, int32_t sy,
                                                       int32_t sw, int32_t sh)
{
    return stretch(dest, kBgra32, src, kBgra32, {dx, dy, dw, dh, sx, sy, sw, sh},
                   row_kernel(&Kernels::smooth_32to32_whole), RowWrite::kReplaces);
}

}  // extern "C"
