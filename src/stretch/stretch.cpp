// The nearest-sample scaled copies: every destination pixel takes one source pixel.
#include "frame/kernels.h"
#include "stretch/stretch_walk.h"

using namespace pixmill;

extern "C" {

int32_t PIXMILL_CALL Render_StretchBlt24to24(Surface* dest, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                                             Surface* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh)
{
    return stretch(
        dest, kBgr24, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
        [](const Kernels& k, uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
            if (s.unit_step) copy_run_24to24(d, s.row + static_cast<ptrdiff_t>(c[0]) * 3, n);
            else k.sample_24to24(d, s.row, c, n);
        },
        RowWrite::kReplaces);
}

int32_t PIXMILL_CALL Render_StretchBlt24to24Alpha(Surface* dest, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                                                  Surface* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                                                  int32_t alpha)
{
    return stretch(dest, kBgr24, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   [&](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
                       sample_row_24to24_alpha(d, s.row, c, n, alpha);
                   });
}

int32_t PIXMILL_CALL Render_StretchBlt24to24TColor(Surface* dest, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                                                   Surface* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                                                   int32_t red, int32_t green, int32_t blue)
{
    const ColorKey key = make_key(red, green, blue);
    return stretch(dest, kBgr24, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   [&](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
                       sample_row_24to24_key(d, s.row, c, n, key);
                   });
}

int32_t PIXMILL_CALL Render_StretchBlt24to24TColorAlpha(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                        int32_t dh, Surface* src, int32_t sx, int32_t sy,
                                                        int32_t sw, int32_t sh, int32_t red, int32_t green,
                                                        int32_t blue, int32_t alpha)
{
    const ColorKey key = make_key(red, green, blue);
    return stretch(dest, kBgr24, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   [&](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
                       sample_row_24to24_key_alpha(d, s.row, c, n, key, alpha);
                   });
}

int32_t PIXMILL_CALL Render_StretchBlt24to32(Surface* dest, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                                             Surface* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh)
{
    return stretch(dest, kBgra32, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   [](const Kernels& k, uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
                       k.sample_24to32(d, s.row, c, n);
                   });
}

int32_t PIXMILL_CALL Render_StretchBlt24to32Alpha(Surface* dest, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                                                  Surface* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                                                  int32_t alpha)
{
    return stretch(dest, kBgra32, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   [&](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
                       sample_row_24to32_alpha(d, s.row, c, n, alpha);
                   });
}

int32_t PIXMILL_CALL Render_StretchBlt24to32TColor(Surface* dest, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                                                   Surface* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh,
                                                   int32_t red, int32_t green, int32_t blue)
{
    const ColorKey key = make_key(red, green, blue);
    return stretch(dest, kBgra32, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   [&](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
                       sample_row_24to32_key(d, s.row, c, n, key);
                   });
}

int32_t PIXMILL_CALL Render_StretchBlt24to32TColorAlpha(Surface* dest, int32_t dx, int32_t dy, int32_t dw,
                                                        int32_t dh, Surface* src, int32_t sx, int32_t sy,
                                                        int32_t sw, int32_t sh, int32_t red, int32_t green,
                                                        int32_t blue, int32_t alpha)
{
    const ColorKey key = make_key(red, green, blue);
    return stretch(dest, kBgra32, src, kBgr24, {dx, dy, dw, dh, sx, sy, sw, sh},
                   [&](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
                       sample_row_24to32_key_alpha(d, s.row, c, n, key, alpha);
                   });
}

int32_t PIXMILL_CALL Render_StretchBlt32to24(Surface* dest, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                                             Surface* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh)
{
    return stretch(
        dest, kBgr24, src, kBgra32, {dx, dy, dw, dh, sx, sy, sw, sh},
        [](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) { sample_row_32to24(d, s.row, c, n); });
}

int32_t PIXMILL_CALL Render_StretchBlt32to32(Surface* dest, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                                             Surface* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh)
{
    return stretch(
        dest, kBgra32, src, kBgra32, {dx, dy, dw, dh, sx, sy, sw, sh},
        [](uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) { sample_row_32to32(d, s.row, c, n); });
}

int32_t PIXMILL_CALL Render_StretchBlt32to32F(Surface* dest, int32_t dx, int32_t dy, int32_t dw, int32_t dh,
                                              Surface* src, int32_t sx, int32_t sy, int32_t sw, int32_t sh)
{
    return stretch(
        dest, kBgra32, src, kBgra32, {dx, dy, dw, dh, sx, sy, sw, sh},
        [](const Kernels& k, uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) {
            if (s.unit_step) copy_run_32to32(d, s.row + static_cast<ptrdiff_t>(c[0]) * 4, n);
            else k.sample_32to32_whole(d, s.row, c, n);
        },
        RowWrite::kReplaces);
}

}  // extern "C"
