// The vector forms of the channel operations' row kernels, written once over
// the vocabulary of frame/vec_x86.h and compiled once per level by
// frame/level.cpp. Each gives its scalar kernel's bytes; the pixels after the
// last whole vector or block are finished by the scalar kernel. Every pixel
// here depends on its own bytes alone, so a row is done in any order of whole
// vectors.
#pragma once

#include <cstddef>
#include <cstdint>

#include "filter/channel_rows.h"
#include "frame/vec_x86.h"

namespace pixmill::PIXMILL_LVL {

// v ^ bits over the row's 32-bit pixels, the tail by the scalar kernel.
template <class S>
inline void xor_row_32(uint8_t* row, int32_t w, uint32_t bits, void (*tail)(uint8_t*, int32_t))
{
    constexpr ptrdiff_t n = S::kBytes / 4;
    const typename S::V x = S::set1_32(bits);
    ptrdiff_t i = 0;
    for (; i + n <= w; i += n) S::store(row + 4 * i, S::xor_(S::load(row + 4 * i), x));
    if (i < w) tail(row + 4 * i, static_cast<int32_t>(w - i));
}

template <class S>
void invert_24(uint8_t* row, int32_t w)
{
    constexpr ptrdiff_t n = S::kBytes;
    const typename S::V ones = S::set1_8(0xFF);
    ptrdiff_t i = 0;
    for (; i + n <= w; i += n)
        for (int k = 0; k < 3; ++k) {
            uint8_t* p = row + 3 * i + k * S::kBytes;
            S::store(p, S::xor_(S::load(p), ones));
        }
    if (i < w) pixmill::invert_row_24(row + 3 * i, static_cast<int32_t>(w - i));
}

template <class S>
void invert_32(uint8_t* row, int32_t w)
{
    xor_row_32<S>(row, w, 0x00FFFFFFu, pixmill::invert_row_32);
}

template <class S>
void invert_alpha_32(uint8_t* row, int32_t w)
{
    xor_row_32<S>(row, w, 0xFF000000u, pixmill::invert_alpha_row_32);
}

template <class S>
void add_alpha_32(uint8_t* row, int32_t w, int32_t delta)
{
    constexpr ptrdiff_t n = S::kBytes / 4;
    // Beyond +-255 every alpha ends at the same bound, so the amount is cut
    // to a byte and added or taken away with saturation.
    const int32_t d = delta > 255 ? 255 : delta < -255 ? -255 : delta;
    const uint32_t amount = static_cast<uint32_t>(d < 0 ? -d : d) << 24;
    const typename S::V x = S::set1_32(amount);
    ptrdiff_t i = 0;
    for (; i + n <= w; i += n) {
        const typename S::V v = S::load(row + 4 * i);
        S::store(row + 4 * i, d < 0 ? S::subs_u8(v, x) : S::adds_u8(v, x));
    }
    if (i < w) pixmill::add_alpha_row_32(row + 4 * i, static_cast<int32_t>(w - i), delta);
}

template <class S>
void set_alpha_32(uint8_t* row, int32_t w, uint8_t alpha)
{
    constexpr ptrdiff_t n = S::kBytes / 4;
    const typename S::V a = S::set1_32(static_cast<uint32_t>(alpha) << 24), mask = S::set1_32(0xFF000000u);
    ptrdiff_t i = 0;
    for (; i + n <= w; i += n) S::store(row + 4 * i, S::or_(S::andnot(mask, S::load(row + 4 * i)), a));
    if (i < w) pixmill::set_alpha_row_32(row + 4 * i, static_cast<int32_t>(w - i), alpha);
}

template <class S>
void flip_32(uint8_t* row, int32_t w)
{
    constexpr ptrdiff_t n = S::kBytes / 4;
    // A vector from each end, exchanged reversed, while the two do not meet;
    // the middle that is left is its own mirror, done by the scalar kernel.
    ptrdiff_t left = 0, right = static_cast<ptrdiff_t>(w) - n;
    for (; left + n <= right; left += n, right -= n) {
        const typename S::V l = S::load(row + 4 * left), r = S::load(row + 4 * right);
        S::store(row + 4 * left, S::reverse32(r));
        S::store(row + 4 * right, S::reverse32(l));
    }
    pixmill::flip_row_32(row + 4 * left, static_cast<int32_t>(right + n - left));
}

}  // namespace pixmill::PIXMILL_LVL
