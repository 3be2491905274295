// Row kernels of the colour sums: each channel of 24-bit rows added into a
// running total that wraps modulo 2^32.
#pragma once

#include <cstddef>
#include <cstdint>

// The colour sums' kernel with vector forms (filter/colour_sum_rows_vec.h):
// the table member and the scalar kernel that defines it.
#define PIXMILL_COLOUR_SUM_KERNELS(K) K(sum_24, sum_rows_24)

namespace pixmill {

struct ColourSums {
    uint32_t red = 0, green = 0, blue = 0;
};

// One row of w pixels.
void sum_row_24(const uint8_t* row, int32_t w, ColourSums& sums);
// h >= 1 rows of w pixels, row j at first + j * step. The sums wrap, so the
// order in which pixels are added cannot show.
void sum_rows_24(const uint8_t* first, ptrdiff_t step, int32_t w, int32_t h, ColourSums& sums);

}  // namespace pixmill
