// Row kernels of the sprite transfers: a colour key that is skipped, a
// constant alpha mixed in or stamped into the alpha byte, and both together.
// Like the plain kernels they work on one row of w pixels and know nothing of
// clipping or addressing.
#pragma once

#include <cstdint>

#include "frame/colour_key.h"

namespace pixmill {

// 24 -> 24: non-key pixels copied, key pixels left alone.
void key_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key);
// 24 -> 24: every pixel 255-blended with the constant alpha, used whole.
void alpha_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, int32_t alpha);
// 24 -> 24: non-key pixels 255-blended with the constant alpha, used whole.
void key_alpha_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, int32_t alpha);
// 24 -> 32: colour bytes copied and the alpha byte set to alpha, every pixel.
void stamp_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w, uint8_t alpha);
// 24 -> 32: as stamp_row_24to32 for non-key pixels; key pixels keep all four bytes.
void key_stamp_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, uint8_t alpha);

}  // namespace pixmill
