// Row kernels of the block transfers: one function per inner loop, over the w
// pixels of one row. These scalar kernels define the arithmetic.
#pragma once

#include <cstdint>

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
