// Row kernels of the transfers that move coverage between images: an alpha
// channel shown as grey, a grey picture loaded into an alpha channel, and a
// copy through a separate 24-bit mask. A 24-bit mask pixel is read through its
// byte 2 (red) alone.
#pragma once

#include <cstdint>

namespace pixmill {

// 32 -> 24: the source alpha written into all three colour bytes.
void alpha_to_grey_row_32to24(uint8_t* dst, const uint8_t* src, int32_t w);
// 24 -> 32: the source's byte 2 written into the alpha byte; nothing else written.
void red_to_alpha_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w);
// 24 -> 24 through a 24-bit mask row (one mask pixel per source pixel):
// mask 0 skips, 255 copies, anything else blends with the mask as weight.
void mask_blend_row_24to24(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w);
// 24 -> 32 with a 24-bit mask row: colour bytes copied, the mask becomes the alpha.
void mask_alpha_row_24to32(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w);

}  // namespace pixmill
