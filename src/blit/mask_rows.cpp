#include "blit/mask_rows.h"

#include "frame/arith.h"

namespace pixmill {

void alpha_to_grey_row_32to24(uint8_t* dst, const uint8_t* src, int32_t w)
{
    for (int32_t i = 0; i < w; ++i, dst += 3, src += 4) {
        const uint8_t a = src[3];
        dst[0] = a;
        dst[1] = a;
        dst[2] = a;
    }
}

void red_to_alpha_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w)
{
    for (int32_t i = 0; i < w; ++i, dst += 4, src += 3) dst[3] = src[2];
}

void mask_blend_row_24to24(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w)
{
    for (int32_t i = 0; i < w; ++i, dst += 3, src += 3, mask += 3) {
        const uint32_t m = mask[2];
        if (m == 0) continue;
        if (m == 255) {
            dst[0] = src[0];
            dst[1] = src[1];
            dst[2] = src[2];
        } else {
            dst[0] = blend255_byte(src[0], dst[0], m);
            dst[1] = blend255_byte(src[1], dst[1], m);
            dst[2] = blend255_byte(src[2], dst[2], m);
        }
    }
}

void mask_alpha_row_24to32(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w)
{
    for (int32_t i = 0; i < w; ++i, dst += 4, src += 3, mask += 3) {
        dst[0] = src[0];
        dst[1] = src[1];
        dst[2] = src[2];
        dst[3] = mask[2];
    }
}

}  // namespace pixmill
