// The vector versions of the channel operations' row kernels and of the colour
// sums, one namespace per instruction set, each compiled in its own file with
// that set's flags. They give the scalar kernels' bytes (and sums); the pixels
// after the last whole vector are finished by the scalar kernel.
#pragma once

#include <cstdint>

#include "filter/colour_sum_rows.h"

namespace pixmill {

#define PIXMILL_CHANNEL_VECTOR_KERNELS                              \
    void invert_row_24(uint8_t* row, int32_t w);                    \
    void invert_row_32(uint8_t* row, int32_t w);                    \
    void invert_alpha_row_32(uint8_t* row, int32_t w);              \
    void add_alpha_row_32(uint8_t* row, int32_t w, int32_t delta);  \
    void set_alpha_row_32(uint8_t* row, int32_t n, uint8_t alpha);  \
    void flip_row_32(uint8_t* row, int32_t w);                      \
    void sum_row_24(const uint8_t* row, int32_t w, ColourSums& sums);

namespace sse2 {
PIXMILL_CHANNEL_VECTOR_KERNELS
}  // namespace sse2

namespace avx2 {
PIXMILL_CHANNEL_VECTOR_KERNELS
}  // namespace avx2

namespace avx512 {
PIXMILL_CHANNEL_VECTOR_KERNELS
}  // namespace avx512

#undef PIXMILL_CHANNEL_VECTOR_KERNELS

}  // namespace pixmill
