// Row kernel of the contrast filter: each colour byte moved away from (or
// towards) 128 by a factor.
#pragma once

#include <cstdint>

namespace pixmill {

// One byte: 128 + trunc((byte - 128) * factor), cut to 0..255. The product is
// formed in double precision, where it is exact for a byte difference and a
// single-precision factor. It is cut to a small range while still floating,
// so a huge or infinite factor saturates instead of reaching an integer
// conversion it cannot survive; a NaN product counts as 0.
uint8_t contrast_byte(uint8_t b, float factor);

// 24-bit: bytes 0, 1, 2 each through contrast_byte.
void contrast_row_24(uint8_t* row, int32_t w, float factor);

// The same from a table: entry b holds contrast_byte(b, factor). Filling it
// costs 256 byte results, so a call uses it only when its rectangle has more
// pixels than kContrastTablePixels. The factor is kept beside the table for
// the vector kernels that compute rather than look up.
struct ContrastTable {
    uint8_t byte[256];
    float factor;
};
constexpr int64_t kContrastTablePixels = 128;

void fill_contrast_table(float factor, ContrastTable& t);
void contrast_row_24(uint8_t* row, int32_t w, const ContrastTable& t);

}  // namespace pixmill
