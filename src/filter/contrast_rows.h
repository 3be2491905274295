// Row kernel of the contrast filter: each colour byte moved away from (or
// towards) 128 by a factor.
#pragma once

#include <cstdint>
#include <cstring>

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

// The factor as m / 2^k with whole numbers m and k, exactly, after two
// changes that leave every byte as it was: NaN becomes 0 (a NaN product
// counts as 0, and so does 0 times anything), and a factor beyond +-256
// becomes +-256 (every product but 0 then lies beyond +-256 and saturates,
// and 0 times an infinity, NaN, counts as 0). What is left is a single-
// precision number of at most 256 in size: its 24-bit significand m and its
// binary exponent. |m| < 2^24 and |d| <= 128, so d * m fits in 32 bits.
// Once k reaches 31 every quotient |d * m| / 2^k is below 1, as it is for
// any larger k, so k is cut there.
struct ExactFactor {
    int32_t m;
    int32_t k;
};

inline ExactFactor exact_factor(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    const uint32_t sign = bits & 0x80000000u;
    uint32_t magnitude = bits & 0x7FFFFFFFu;
    if (magnitude > 0x7F800000u) magnitude = 0;                 // NaN
    else if (magnitude > 0x43800000u) magnitude = 0x43800000u;  // beyond 256.0f, infinity included
    const uint32_t exponent = magnitude >> 23;
    uint32_t m = magnitude & 0x7FFFFFu;
    int32_t k = 149;  // zero and the subnormals: m / 2^149
    if (exponent != 0) {
        m |= 0x800000u;
        k = 150 - static_cast<int32_t>(exponent);
    }
    const int32_t signed_m = sign ? -static_cast<int32_t>(m) : static_cast<int32_t>(m);
    return {signed_m, k < 31 ? k : 31};
}

// The call's table, filled at the first use.
const uint8_t* contrast_table(ContrastCall& c);

// contrast_row_24 for one row of a call, computed or read from its table.
void contrast_call_24(uint8_t* row, int32_t w, ContrastCall& c);

}  // namespace pixmill
