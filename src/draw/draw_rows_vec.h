// The vector forms of the bar and outline row kernels, written once over the
// vocabulary of frame/vec_x86.h and compiled once per level by frame/level.cpp.
// Each gives its scalar kernel's bytes; the pixels after the last whole block
// are finished by the scalar kernel. A mask reaches them only when it shares
// no byte with the row drawn on (the walk sees to that).
//
// 24-bit kernels work on blocks of three vectors (S::kBytes whole pixels),
// 32-bit ones on single vectors. The constants cost more than a short row
// (an outline's side is rows of one pixel), so they are made only for a row
// that holds a whole block. A 24-bit colour comes as a run of its pixels
// made once per call (Colour24): the vector begun p bytes into a pixel is
// the one loaded from byte p of the run.
#pragma once

#include <cstddef>
#include <cstdint>

#include "draw/draw_rows.h"
#include "frame/vec_x86.h"

namespace pixmill::PIXMILL_LVL {

// The three vectors of a block of 24-bit pixels of the colour: vector k
// begins k S::kBytes bytes into the block, so (k S::kBytes) mod 3 bytes into
// a pixel.
template <class S>
inline void colour_block24(const Colour24& c, typename S::V (&v)[3])
{
    for (int k = 0; k < 3; ++k) v[k] = S::load(c.run + k * S::kBytes % 3);
}

template <class S>
inline typename S::V bar_colour32(Bgr c, uint8_t byte3)
{
    return S::set1_32(static_cast<uint32_t>(c.b) | static_cast<uint32_t>(c.g) << 8 |
                      static_cast<uint32_t>(c.r) << 16 | static_cast<uint32_t>(byte3) << 24);
}

// Weights outside 0..255 wrap in 32 bits: only the scalar kernel has that.
inline bool byte_weight(int32_t alpha)
{
    return alpha >= 0 && alpha <= 255;
}

// Full-width stores at addresses aligned to their width, so that none
// crosses a cache line: the first vector is stored unaligned at the row's
// start, the aligned ones follow from the first aligned address after it,
// three vectors to the pattern, and the last one is stored unaligned to end
// at the row's end (it may rewrite bytes already filled, with their value).
// The three vectors of the pattern begin at bytes 0, n and 2 n of the run,
// which are 0, 1 and 2 bytes into a pixel in some order (3 divides no vector
// width), so every vector of the row is one of them. Rows shorter than a few
// vectors take the narrower stores.
template <class S>
void fill_24(uint8_t* dst, int32_t w, const Colour24& c)
{
    using V = typename S::V;
    constexpr ptrdiff_t n = S::kBytes;
    const ptrdiff_t bytes = 3 * static_cast<ptrdiff_t>(w);
    if constexpr (S::kBytes > 16) {
        if (bytes < 4 * n) {
            fill_24<typename S::Narrow>(dst, w, c);
            return;
        }
    } else if (bytes < 4 * n) {
        pixmill::fill_row_24(dst, w, c);
        return;
    }
    // The vector that begins p bytes into a pixel. The row's first vector
    // begins 0 bytes in, its last one (bytes - n) = -n (mod 3), the first
    // aligned one o = n - a, and each next one n further.
    constexpr uint32_t step = n % 3;
    const auto at = [&c](uint32_t p) { return S::load(c.run + p); };
    const auto next = [](uint32_t p) { return p + step < 3 ? p + step : p + step - 3; };
    S::store(dst, at(0));
    const uint32_t a = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(dst) & (n - 1));
    ptrdiff_t o = n - a;
    const uint32_t p0 = (static_cast<uint32_t>(n) - a) % 3, p1 = next(p0);
    const V v0 = at(p0), v1 = at(p1), v2 = at(next(p1));
    for (; o + 3 * n <= bytes; o += 3 * n) {
        S::store(dst + o, v0);
        S::store(dst + o + n, v1);
        S::store(dst + o + 2 * n, v2);
    }
    // At most two whole vectors are left, then a part of one.
    if (o + n <= bytes) {
        S::store(dst + o, v0);
        o += n;
        if (o + n <= bytes) {
            S::store(dst + o, v1);
            o += n;
        }
    }
    if (o < bytes) S::store(dst + bytes - n, at((3 - step) % 3));
}

template <class S>
void fill_32(uint8_t* dst, int32_t w, Bgr c)
{
    constexpr ptrdiff_t n = S::kBytes / 4;
    const typename S::V colour = bar_colour32<S>(c, 0), alpha = S::set1_32(0xFF000000u);
    ptrdiff_t i = 0;
    for (; i + n <= w; i += n) S::store(dst + 4 * i, S::or_(S::and_(S::load(dst + 4 * i), alpha), colour));
    if (i < w) pixmill::fill_row_32(dst + 4 * i, static_cast<int32_t>(w - i), c);
}

template <class S>
void fill_32_alpha_byte(uint8_t* dst, int32_t w, Bgr c, uint8_t a)
{
    constexpr ptrdiff_t n = S::kBytes / 4;
    const typename S::V pixel = bar_colour32<S>(c, a);
    ptrdiff_t i = 0;
    for (; i + n <= w; i += n) S::store(dst + 4 * i, pixel);
    if (i < w) pixmill::fill_row_32_alpha_byte(dst + 4 * i, static_cast<int32_t>(w - i), c, a);
}

template <class S>
void blend_24(uint8_t* dst, int32_t w, const ConstBlend& k)
{
    constexpr ptrdiff_t n = S::kBytes;
    ptrdiff_t i = 0;
    if (w >= n && byte_weight(k.alpha)) {
        typename S::V colour[3];
        colour_block24<S>(k.colour, colour);
        const typename S::V a = S::set1_8(static_cast<uint8_t>(k.alpha));
        for (; i + n <= w; i += n)
            for (int j = 0; j < 3; ++j) {
                uint8_t* d = dst + 3 * i + j * S::kBytes;
                S::store(d, blend255_bytes<S>(colour[j], S::load(d), a));
            }
    }
    if (i < w) pixmill::blend_row_24(dst + 3 * i, static_cast<int32_t>(w - i), k);
}

template <class S>
void blend_32(uint8_t* dst, int32_t w, const ConstBlend& k)
{
    constexpr ptrdiff_t n = S::kBytes / 4;
    ptrdiff_t i = 0;
    if (byte_weight(k.alpha)) {
        const typename S::V colour = bar_colour32<S>(k.colour.colour, 0);
        // Weight 0 on the alpha byte keeps it exactly.
        const typename S::V a = S::set1_32(static_cast<uint32_t>(k.alpha) * 0x010101u);
        for (; i + n <= w; i += n) S::store(dst + 4 * i, blend255_bytes<S>(colour, S::load(dst + 4 * i), a));
    }
    if (i < w) pixmill::blend_row_32(dst + 4 * i, static_cast<int32_t>(w - i), k);
}

template <class S>
void mask_blend_24(uint8_t* dst, const uint8_t* mask, int32_t w, const Colour24& c)
{
    using V = typename S::V;
    constexpr ptrdiff_t n = S::kBytes, B = S::kBytes;
    ptrdiff_t i = 0;
    if (w >= n) {
        V colour[3];
        colour_block24<S>(c, colour);
        const V red[3] = {lane24<S>(2, 0), lane24<S>(2, 1), lane24<S>(2, 2)};
        for (; i + n <= w; i += n) {
            const uint8_t* m = mask + 3 * i;
            const V mv[3] = {S::load(m), S::load(m + B), S::load(m + 2 * B)};
            V weights[3];
            // Weight 0 and 255 give the old bytes and the colour exactly.
            spread_red24<S>(mv, red, weights);
            if (S::all_zero(S::or_(weights[0], S::or_(weights[1], weights[2])))) continue;
            uint8_t* d = dst + 3 * i;
            for (int k = 0; k < 3; ++k)
                S::store(d + k * B, blend255_bytes<S>(colour[k], S::load(d + k * B), weights[k]));
        }
    }
    if (i < w) pixmill::mask_blend_row_24(dst + 3 * i, mask + 3 * i, static_cast<int32_t>(w - i), c);
}

}  // namespace pixmill::PIXMILL_LVL
