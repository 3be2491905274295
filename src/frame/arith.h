// Small pieces of arithmetic shared by the families. The scalar kernels call
// these; the SIMD kernels are tested against them.
#pragma once

#include <cstdint>

namespace pixmill {

// Mixes s into d with weight a: (s * a + d * (255 - a)) / 255 in 32-bit
// two's-complement arithmetic, the division truncating toward zero, the low
// byte kept. For bytes and a in 0..255 the numerator is never negative, so
// this is a floor without any rounding term: a = 0 gives d, a = 255 gives s.
// Weights outside 0..255 wrap as 32-bit products do rather than overflow.
inline uint8_t blend255(uint32_t s, uint32_t d, int32_t a)
{
    const uint32_t ua = static_cast<uint32_t>(a);
    const int32_t num = static_cast<int32_t>(s * ua + d * (255u - ua));
    return static_cast<uint8_t>(num / 255);
}

// The same for weights known to lie in 0..255: the quotient of a value in
// 0..65025 by 255, without a divide.
inline uint8_t blend255_byte(uint32_t s, uint32_t d, uint32_t a)
{
    const uint32_t num = s * a + d * (255u - a);
    return static_cast<uint8_t>((num * 0x8081u) >> 23);
}

}  // namespace pixmill
