// Row kernels of the block transfers: one function per inner loop, over the w
// pixels of one row. These scalar kernels define the arithmetic.
#pragma once

#include <cstdint>

#include "blit/key_rows.h"
#include "blit/mask_rows.h"

// The block-transfer kernels that have vector forms (blit/blit_rows_vec.h):
// each entry names the table member and the scalar kernel that defines it.
#define PIXMILL_BLIT_KERNELS(K)                     \
    K(copy_24to32, copy_row_24to32)                 \
    K(blend_32to24, blend_row_32to24)               \
    K(blend_32to32, blend_row_32to32)               \
    K(key_24to24, key_row_24to24)                   \
    K(alpha_24to24, alpha_row_24to24)               \
    K(key_alpha_24to24, key_alpha_row_24to24)       \
    K(stamp_24to32, stamp_row_24to32)               \
    K(key_stamp_24to32, key_stamp_row_24to32)       \
    K(alpha_to_grey_32to24, alpha_to_grey_row_32to24) \
    K(red_to_alpha_24to32, red_to_alpha_row_24to32) \
    K(mask_blend_24to24, mask_blend_row_24to24)     \
    K(mask_alpha_24to32, mask_alpha_row_24to32)

namespace pixmill {

// 24 -> 24: the row's 3w bytes with the forward block copy.
void copy_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w);
// 24 -> 32: colour bytes copied, the destination's alpha byte left alone.
void copy_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w);
// 32 -> 24: blended by each source pixel's alpha; alpha 0 leaves the pixel.
void blend_row_32to24(uint8_t* dst, const uint8_t* src, int32_t w);
// 32 -> 32: as 32 -> 24, and the destination alpha becomes the larger alpha.
void blend_row_32to32(uint8_t* dst, const uint8_t* src, int32_t w);

}  // namespace pixmill
