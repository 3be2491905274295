#include "blit/blit_rows.h"

#include "frame/arith.h"
#include "frame/copy.h"

namespace pixmill {

void copy_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w)
{
    copy_forward(dst, src, 3 * w);
}

void copy_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w)
{
    for (int32_t i = 0; i < w; ++i, dst += 4, src += 3) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
    }
}

namespace {

// Source-alpha blend of one pixel's colour bytes; true when something was written.
inline bool blend_source_alpha(uint8_t* d, const uint8_t* s)
{
    const uint32_t a = s[3];
    if (a == 0) return false;
    if (a == 255) {
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
    } else {
        d[0] = blend255_byte(s[0], d[0], a);
        d[1] = blend255_byte(s[1], d[1], a);
        d[2] = blend255_byte(s[2], d[2], a);
    }
    return true;
}

}  // namespace

void blend_row_32to24(uint8_t* dst, const uint8_t* src, int32_t w)
{
    for (int32_t i = 0; i < w; ++i, dst += 3, src += 4) blend_source_alpha(dst, src);
}

void blend_row_32to32(uint8_t* dst, const uint8_t* src, int32_t w)
{
    for (int32_t i = 0; i < w; ++i, dst += 4, src += 4) {
        const uint8_t a = src[3];
        if (blend_source_alpha(dst, src) && dst[3] < a) dst[3] = a;
    }
}

}  // namespace pixmill
