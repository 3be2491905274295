// Row kernel of the colour sums: each channel of a 24-bit row added into a
// running total that wraps modulo 2^32.
#pragma once

#include <cstdint>

namespace pixmill {

struct ColourSums {
    uint32_t red = 0, green = 0, blue = 0;
};

void sum_row_24(const uint8_t* row, int32_t w, ColourSums& sums);

}  // namespace pixmill
