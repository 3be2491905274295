// The vector versions of the block-transfer row kernels, one namespace per
// instruction set, each compiled in its own file with that set's flags. They
// give the scalar kernels' bytes; a row whose destination overlaps an input
// (a same-surface call) is handed to the scalar kernel whole, and the pixels
// after the last whole vector are finished by it.
#pragma once

#include <cstdint>

#include "blit/key_rows.h"

namespace pixmill {

// The same signature in each instruction set that has a version.
#define PIXMILL_BLIT_BYTEWISE_KERNELS                                                             \
    void blend_row_32to32(uint8_t* dst, const uint8_t* src, int32_t w);                           \
    void key_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key);              \
    void alpha_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, int32_t alpha);           \
    void key_alpha_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, int32_t alpha); \
    void mask_blend_row_24to24(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w);

namespace sse2 {
PIXMILL_BLIT_BYTEWISE_KERNELS
}  // namespace sse2

namespace avx2 {
PIXMILL_BLIT_BYTEWISE_KERNELS
void blend_row_32to24(uint8_t* dst, const uint8_t* src, int32_t w);
}  // namespace avx2

namespace avx512 {
PIXMILL_BLIT_BYTEWISE_KERNELS
void copy_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w);
void blend_row_32to24(uint8_t* dst, const uint8_t* src, int32_t w);
}  // namespace avx512

// The kernels that move bytes between 24-bit and 32-bit pixels.
namespace ssse3 {
void copy_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w);
void blend_row_32to24(uint8_t* dst, const uint8_t* src, int32_t w);
void stamp_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w, uint8_t alpha);
void key_stamp_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, uint8_t alpha);
void alpha_to_grey_row_32to24(uint8_t* dst, const uint8_t* src, int32_t w);
void red_to_alpha_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w);
void mask_alpha_row_24to32(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w);
}  // namespace ssse3

#undef PIXMILL_BLIT_BYTEWISE_KERNELS

}  // namespace pixmill
