// The vector versions of the bar and outline row kernels, one namespace per
// instruction set, each compiled in its own file with that set's flags. They
// give the scalar kernels' bytes; the pixels after the last whole vector are
// finished by the scalar kernel.
#pragma once

#include <cstdint>

#include "draw/draw_rows.h"

namespace pixmill {

#define PIXMILL_DRAW_VECTOR_KERNELS                                                 \
    void fill_row_24(uint8_t* dst, int32_t w, Bgr c);                               \
    void fill_row_32(uint8_t* dst, int32_t w, Bgr c);                               \
    void fill_row_32_alpha_byte(uint8_t* dst, int32_t w, Bgr c, uint8_t alpha);     \
    void blend_row_24(uint8_t* dst, int32_t w, const ConstBlend& k);                \
    void blend_row_32(uint8_t* dst, int32_t w, const ConstBlend& k);                \
    void mask_blend_row_24(uint8_t* dst, const uint8_t* mask, int32_t w, Bgr c);

namespace sse2 {
PIXMILL_DRAW_VECTOR_KERNELS
}  // namespace sse2

namespace avx2 {
PIXMILL_DRAW_VECTOR_KERNELS
}  // namespace avx2

namespace avx512 {
PIXMILL_DRAW_VECTOR_KERNELS
}  // namespace avx512

#undef PIXMILL_DRAW_VECTOR_KERNELS

}  // namespace pixmill
