#include "blit/key_rows.h"

#include "frame/arith.h"

namespace pixmill {

// Pixels are done left to right and their bytes in the order 0, 1, 2, each
// source byte read just before its destination byte is written, so a
// same-surface call sees its own earlier writes in exactly that order.

namespace {

inline void copy_pixel(uint8_t* d, const uint8_t* s)
{
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
}

inline void blend_pixel(uint8_t* d, const uint8_t* s, int32_t alpha)
{
    d[0] = blend255(s[0], d[0], alpha);
    d[1] = blend255(s[1], d[1], alpha);
    d[2] = blend255(s[2], d[2], alpha);
}

}  // namespace

void key_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key)
{
    for (int32_t i = 0; i < w; ++i, dst += 3, src += 3)
        if (!key_matches(src, key)) copy_pixel(dst, src);
}

void alpha_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, int32_t alpha)
{
    for (int32_t i = 0; i < w; ++i, dst += 3, src += 3) blend_pixel(dst, src, alpha);
}

void key_alpha_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, int32_t alpha)
{
    for (int32_t i = 0; i < w; ++i, dst += 3, src += 3)
        if (!key_matches(src, key)) blend_pixel(dst, src, alpha);
}

void stamp_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w, uint8_t alpha)
{
    for (int32_t i = 0; i < w; ++i, dst += 4, src += 3) {
        copy_pixel(dst, src);
        dst[3] = alpha;
    }
}

void key_stamp_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, uint8_t alpha)
{
    for (int32_t i = 0; i < w; ++i, dst += 4, src += 3) {
        if (key_matches(src, key)) continue;
        copy_pixel(dst, src);
        dst[3] = alpha;
    }
}

}  // namespace pixmill
