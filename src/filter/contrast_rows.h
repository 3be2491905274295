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

// The per-call constants of the contrast kernels: the factor, the pixels the
// whole call covers, and a table whose entry b is contrast_byte(b, factor).
// Filling the table costs 256 byte results, so a kernel that reads it fills
// it at its first row, and only when the call has more pixels than
// kContrastTablePixels; below that each byte is computed.
struct ContrastCall {
    ContrastCall(float f, int64_t call_pixels) : factor(f), pixels(call_pixels) {}
    float factor;
    int64_t pixels;
    bool filled = false;  // whether table holds the results yet
    uint8_t table[256];
};
constexpr int64_t kContrastTablePixels = 128;

// The call's table, filled at the first use.
const uint8_t* contrast_table(ContrastCall& c);

// contrast_row_24 for one row of a call, computed or read from its table.
void contrast_call_24(uint8_t* row, int32_t w, ContrastCall& c);

}  // namespace pixmill
