// Vector templates of the block-transfer row kernels that work on bytes alone
// (no 3-to-4-byte shuffles), for any of the structs of frame/vec_x86.h.
// Included only by the per-instruction-set files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "blit/blit_rows.h"
#include "blit/key_rows.h"
#include "blit/mask_rows.h"
#include "frame/vec_x86.h"

namespace pixmill {
namespace {

// 24-bit kernels work on blocks of three vectors: S::kBytes whole pixels.

// The three vectors of a 24-bit block that mark each pixel's first byte.
template <class S>
struct FirstBytes24 {
    typename S::V v[3] = {lane24<S>(0, 0), lane24<S>(0, 1), lane24<S>(0, 2)};
};

// 0xFF over the pixels of a 24-bit block equal to the key.
template <class S>
struct KeyMatch24 {
    typename S::V key[3];
    FirstBytes24<S> first;
    explicit KeyMatch24(ColorKey k)
    {
        const uint8_t c[3] = {k.blue, k.green, k.red};
        for (int j = 0; j < 3; ++j) key[j] = pattern24<S>(c, j);
    }
    void operator()(const typename S::V s[3], typename S::V out[3]) const
    {
        typename S::V eq[3];
        for (int j = 0; j < 3; ++j) eq[j] = S::cmpeq8(s[j], key[j]);
        whole_pixels24<S>(eq, first.v, out);
    }
};

template <class S>
void blend_row_32to32_v(uint8_t* dst, const uint8_t* src, int32_t w)
{
    using V = typename S::V;
    constexpr ptrdiff_t n = S::kBytes / 4;
    const size_t bytes = 4 * static_cast<size_t>(w);
    ptrdiff_t i = 0;
    if (!ranges_overlap(dst, bytes, src, bytes)) {
        const V amask = S::set1_32(0xFF000000u);
        for (; i + n <= w; i += n) {
            uint8_t* d = dst + 4 * i;
            const V s = S::load(src + 4 * i);
            const V sa = S::and_(s, amask);
            if (S::all_zero(sa)) continue;  // all transparent: nothing written
            // All opaque: the source pixels, whose alpha 255 is also the larger.
            if (S::all_ones(S::cmpeq8(sa, amask))) {
                S::store(d, s);
                continue;
            }
            const V dv = S::load(d);
            const V mixed = blend255_bytes<S>(s, dv, S::andnot(amask, spread_alpha32<S>(s)));
            S::store(d, S::select(amask, S::max_u8(dv, s), mixed));
        }
    }
    if (i < w) pixmill::blend_row_32to32(dst + 4 * i, src + 4 * i, static_cast<int32_t>(w - i));
}

template <class S>
void key_row_24to24_v(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key)
{
    using V = typename S::V;
    constexpr ptrdiff_t n = S::kBytes, B = S::kBytes;
    const size_t bytes = 3 * static_cast<size_t>(w);
    ptrdiff_t i = 0;
    if (!ranges_overlap(dst, bytes, src, bytes)) {
        const KeyMatch24<S> match(key);
        for (; i + n <= w; i += n) {
            uint8_t* d = dst + 3 * i;
            const uint8_t* s = src + 3 * i;
            const V sv[3] = {S::load(s), S::load(s + B), S::load(s + 2 * B)};
            V keyed[3];
            match(sv, keyed);
            for (int k = 0; k < 3; ++k)
                S::store(d + k * B, S::all_zero(keyed[k]) ? sv[k] : S::select(keyed[k], S::load(d + k * B), sv[k]));
        }
    }
    if (i < w) pixmill::key_row_24to24(dst + 3 * i, src + 3 * i, static_cast<int32_t>(w - i), key);
}

// Blends a 24-bit block with per-byte weights.
template <class S>
inline void blend_block24(uint8_t* d, const uint8_t* s, const typename S::V a[3])
{
    constexpr ptrdiff_t B = S::kBytes;
    for (int k = 0; k < 3; ++k) S::store(d + k * B, blend255_bytes<S>(S::load(s + k * B), S::load(d + k * B), a[k]));
}

template <class S>
void alpha_row_24to24_v(uint8_t* dst, const uint8_t* src, int32_t w, int32_t alpha)
{
    constexpr ptrdiff_t n = S::kBytes;
    const size_t bytes = 3 * static_cast<size_t>(w);
    ptrdiff_t i = 0;
    // Weights outside 0..255 wrap in 32 bits: only the scalar kernel has that.
    if (alpha >= 0 && alpha <= 255 && !ranges_overlap(dst, bytes, src, bytes)) {
        const typename S::V a = S::set1_8(static_cast<uint8_t>(alpha));
        const typename S::V weights[3] = {a, a, a};
        for (; i + n <= w; i += n) blend_block24<S>(dst + 3 * i, src + 3 * i, weights);
    }
    if (i < w) pixmill::alpha_row_24to24(dst + 3 * i, src + 3 * i, static_cast<int32_t>(w - i), alpha);
}

template <class S>
void key_alpha_row_24to24_v(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, int32_t alpha)
{
    using V = typename S::V;
    constexpr ptrdiff_t n = S::kBytes, B = S::kBytes;
    const size_t bytes = 3 * static_cast<size_t>(w);
    ptrdiff_t i = 0;
    if (alpha >= 0 && alpha <= 255 && !ranges_overlap(dst, bytes, src, bytes)) {
        const KeyMatch24<S> match(key);
        const V a = S::set1_8(static_cast<uint8_t>(alpha));
        for (; i + n <= w; i += n) {
            const uint8_t* s = src + 3 * i;
            const V sv[3] = {S::load(s), S::load(s + B), S::load(s + 2 * B)};
            V keyed[3], weights[3];
            match(sv, keyed);
            // A key pixel gets weight 0, which leaves the destination exactly.
            for (int k = 0; k < 3; ++k) weights[k] = S::andnot(keyed[k], a);
            blend_block24<S>(dst + 3 * i, s, weights);
        }
    }
    if (i < w) pixmill::key_alpha_row_24to24(dst + 3 * i, src + 3 * i, static_cast<int32_t>(w - i), key, alpha);
}

template <class S>
void mask_blend_row_24to24_v(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w)
{
    using V = typename S::V;
    constexpr ptrdiff_t n = S::kBytes, B = S::kBytes;
    const size_t bytes = 3 * static_cast<size_t>(w);
    ptrdiff_t i = 0;
    if (!ranges_overlap(dst, bytes, src, bytes) && !ranges_overlap(dst, bytes, mask, bytes)) {
        const V red[3] = {lane24<S>(2, 0), lane24<S>(2, 1), lane24<S>(2, 2)};
        for (; i + n <= w; i += n) {
            const uint8_t* m = mask + 3 * i;
            const V mv[3] = {S::load(m), S::load(m + B), S::load(m + 2 * B)};
            V weights[3];
            // Weight 0 and 255 give the destination and the source exactly.
            spread_red24<S>(mv, red, weights);
            if (S::all_zero(S::or_(weights[0], S::or_(weights[1], weights[2])))) continue;
            blend_block24<S>(dst + 3 * i, src + 3 * i, weights);
        }
    }
    if (i < w) pixmill::mask_blend_row_24to24(dst + 3 * i, src + 3 * i, mask + 3 * i, static_cast<int32_t>(w - i));
}

}  // namespace
}  // namespace pixmill
