// The vector forms of the block-transfer row kernels, written once over the
// vocabulary of frame/vec_x86.h and compiled once per level by frame/level.cpp.
// Each gives its scalar kernel's bytes; the pixels after the last whole block
// are finished by the scalar kernel. Rows reach them only when what they write
// shares no byte with what they read (the walk sees to that).
//
// Moving bytes between 24-bit and 32-bit pixels needs byte shuffles: SSE2
// leaves those kernels to the scalar code, SSSE3 and AVX2 shuffle within
// 16-byte vectors, AVX-512 permutes across the whole vector.
#pragma once

#include <cstddef>
#include <cstdint>

#include "blit/blit_rows.h"
#include "blit/key_rows.h"
#include "blit/mask_rows.h"
#include "frame/vec_x86.h"

namespace pixmill::PIXMILL_LVL {

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
void blend_32to32(uint8_t* dst, const uint8_t* src, int32_t w)
{
    using V = typename S::V;
    constexpr ptrdiff_t n = S::kBytes / 4;
    ptrdiff_t i = 0;
    {
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
            // The alpha byte's blend is replaced by the larger alpha.
            const V mixed = blend255_bytes_by_multiply<S>(s, dv, spread_alpha32<S>(s));
            S::store(d, S::select(amask, S::max_u8(dv, s), mixed));
        }
    }
    if (i < w) pixmill::blend_row_32to32(dst + 4 * i, src + 4 * i, static_cast<int32_t>(w - i));
}

template <class S>
void key_24to24(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key)
{
    using V = typename S::V;
    constexpr ptrdiff_t n = S::kBytes, B = S::kBytes;
    ptrdiff_t i = 0;
    {
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
void alpha_24to24(uint8_t* dst, const uint8_t* src, int32_t w, int32_t alpha)
{
    constexpr ptrdiff_t n = S::kBytes;
    ptrdiff_t i = 0;
    // Weights outside 0..255 wrap in 32 bits: only the scalar kernel has that.
    if (alpha >= 0 && alpha <= 255) {
        const typename S::V a = S::set1_8(static_cast<uint8_t>(alpha));
        const typename S::V weights[3] = {a, a, a};
        for (; i + n <= w; i += n) blend_block24<S>(dst + 3 * i, src + 3 * i, weights);
    }
    if (i < w) pixmill::alpha_row_24to24(dst + 3 * i, src + 3 * i, static_cast<int32_t>(w - i), alpha);
}

template <class S>
void key_alpha_24to24(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, int32_t alpha)
{
    using V = typename S::V;
    constexpr ptrdiff_t n = S::kBytes, B = S::kBytes;
    ptrdiff_t i = 0;
    if (alpha >= 0 && alpha <= 255) {
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
void mask_blend_24to24(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w)
{
    using V = typename S::V;
    constexpr ptrdiff_t n = S::kBytes, B = S::kBytes;
    ptrdiff_t i = 0;
    {
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


// ---- 24 <-> 32-bit moves, sixteen pixels (three 24-bit or four 32-bit
// 16-byte vectors, or one 64-byte vector) at a time ----

// The row in blocks of sixteen pixels, each handed to block(i); returns the
// first pixel left for the scalar kernel.
template <class BlockFn>
inline ptrdiff_t blocks16(int32_t w, BlockFn&& block)
{
    ptrdiff_t i = 0;
    for (; i + 16 <= w; i += 16) block(i);
    return i;
}

template <class N>
inline void load3(const uint8_t* p, typename N::V v[3])
{
    for (int k = 0; k < 3; ++k) v[k] = N::load(p + 16 * k);
}
template <class N>
inline void load4(const uint8_t* p, typename N::V v[4])
{
    for (int k = 0; k < 4; ++k) v[k] = N::load(p + 16 * k);
}
template <class N>
inline void store3(uint8_t* p, const typename N::V v[3])
{
    for (int k = 0; k < 3; ++k) N::store(p + 16 * k, v[k]);
}

// Permute indices: byte 4p + c of a 32-bit run takes byte 3p + c of a 24-bit
// run (spread), and byte 3p + c of a 24-bit run byte 4p + c (pack).
template <class S>
inline typename S::V spread24_index()
{
    uint8_t idx[S::kBytes];
    for (int j = 0; j < S::kBytes; ++j) idx[j] = static_cast<uint8_t>(3 * (j / 4) + (j % 4 < 3 ? j % 4 : 0));
    return S::load(idx);
}
template <class S>
inline typename S::V pack24_index()
{
    uint8_t idx[S::kBytes];
    for (int j = 0; j < S::kBytes; ++j) idx[j] = static_cast<uint8_t>(j < 48 ? 4 * (j / 3) + j % 3 : 0);
    return S::load(idx);
}

constexpr uint64_t kColourBytes = 0x7777777777777777ull;  // bytes 0..2 of each 32-bit pixel

// 24 -> 32 copy: the colour bytes land in place, the destination's fourth
// bytes are stored back as they were.
template <class S>
void copy_24to32(uint8_t* dst, const uint8_t* src, int32_t w)
{
    ptrdiff_t i = 0;
    if constexpr (S::kPermutes) {
        const typename S::V spread = spread24_index<S>();
        i = blocks16(w, [&](ptrdiff_t at) {
            uint8_t* d = dst + 4 * at;
            S::store(d, S::select_bits(kColourBytes, S::permute8(spread, S::load48(src + 3 * at)), S::load(d)));
        });
    } else if constexpr (S::kShuffles) {
        using N = typename S::Narrow;
        i = blocks16(w, [&](ptrdiff_t at) {
            typename N::V s[3], e[4];
            load3<N>(src + 3 * at, s);
            N::expand24(s, e);
            uint8_t* d = dst + 4 * at;
            const typename N::V alpha = N::set1_32(0xFF000000u);
            for (int k = 0; k < 4; ++k) N::store(d + 16 * k, N::or_(N::and_(N::load(d + 16 * k), alpha), e[k]));
        });
    }
    if (i < w) pixmill::copy_row_24to32(dst + 4 * i, src + 3 * i, static_cast<int32_t>(w - i));
}

// 32 -> 24 blend: the 24-bit destination spread to 32-bit pixels, blended
// with the source's own alpha, and packed back.
template <class S>
void blend_32to24(uint8_t* dst, const uint8_t* src, int32_t w)
{
    ptrdiff_t i = 0;
    if constexpr (S::kPermutes) {
        using V = typename S::V;
        const V spread = spread24_index<S>(), pack = pack24_index<S>();
        const V alpha = S::set1_32(0xFF000000u);
        i = blocks16(w, [&](ptrdiff_t at) {
            uint8_t* d = dst + 3 * at;
            const V s = S::load(src + 4 * at);
            if (S::all_zero(S::and_(s, alpha))) return;  // all transparent: nothing written
            const V dv = S::permute8(spread, S::load48(d));
            S::store48(d, S::permute8(pack, blend255_bytes<S>(s, dv, spread_alpha32<S>(s))));
        });
    } else if constexpr (S::kBytes == 32) {
        // Thirty-two pixels at a time: the destination spread a 16-byte vector
        // at a time (shuffles do not cross the halves), blended in 32 bytes.
        using V = typename S::V;
        using N = typename S::Narrow;
        using X = typename N::V;
        const V alpha = S::set1_32(0xFF000000u);
        for (; i + 32 <= w; i += 32) {
            uint8_t* d = dst + 3 * i;
            V s[4];
            for (int k = 0; k < 4; ++k) s[k] = S::load(src + 4 * i + 32 * k);
            if (S::all_zero(S::and_(S::or_(S::or_(s[0], s[1]), S::or_(s[2], s[3])), alpha))) continue;
            X d24[6], spread[8], mixed[8], out[6];
            for (int k = 0; k < 6; ++k) d24[k] = N::load(d + 16 * k);
            N::expand24(d24, spread);
            N::expand24(d24 + 3, spread + 4);
            for (int k = 0; k < 4; ++k) {
                const V m = blend255_bytes<S>(s[k], S::combine(spread[2 * k], spread[2 * k + 1]),
                                              spread_alpha32<S>(s[k]));
                mixed[2 * k] = S::low_half(m);
                mixed[2 * k + 1] = S::high_half(m);
            }
            N::compress24(mixed, out, N::colour_bytes_pick());
            N::compress24(mixed + 4, out + 3, N::colour_bytes_pick());
            for (int k = 0; k < 6; ++k) N::store(d + 16 * k, out[k]);
        }
    } else if constexpr (S::kShuffles) {
        using N = typename S::Narrow;
        using X = typename N::V;
        const X alpha = N::set1_32(0xFF000000u);
        i = blocks16(w, [&](ptrdiff_t at) {
            X s[4];
            load4<N>(src + 4 * at, s);
            if (N::all_zero(N::and_(N::or_(N::or_(s[0], s[1]), N::or_(s[2], s[3])), alpha))) return;
            X d24[3], d[4], mixed[4], out[3];
            const X opaque = N::and_(N::and_(s[0], s[1]), N::and_(s[2], s[3]));
            if (N::all_ones(N::cmpeq8(N::or_(opaque, N::set1_32(0x00FFFFFFu)), N::set1_8(0xFF)))) {
                N::compress24(s, out, N::colour_bytes_pick());  // all opaque: the source's colours
                store3<N>(dst + 3 * at, out);
                return;
            }
            load3<N>(dst + 3 * at, d24);
            N::expand24(d24, d);
            for (int k = 0; k < 4; ++k) mixed[k] = blend255_bytes<N>(s[k], d[k], spread_alpha32<N>(s[k]));
            N::compress24(mixed, out, N::colour_bytes_pick());
            store3<N>(dst + 3 * at, out);
        });
    }
    if (i < w) pixmill::blend_row_32to24(dst + 3 * i, src + 4 * i, static_cast<int32_t>(w - i));
}

// The remaining 24 <-> 32 moves shuffle within 16-byte vectors at every level
// that has shuffles.
template <class S>
void stamp_24to32(uint8_t* dst, const uint8_t* src, int32_t w, uint8_t alpha)
{
    ptrdiff_t i = 0;
    if constexpr (S::kShuffles) {
        using N = typename S::Narrow;
        const typename N::V a = N::set1_32(static_cast<uint32_t>(alpha) << 24);
        i = blocks16(w, [&](ptrdiff_t at) {
            typename N::V s[3], e[4];
            load3<N>(src + 3 * at, s);
            N::expand24(s, e);
            for (int k = 0; k < 4; ++k) N::store(dst + 4 * at + 16 * k, N::or_(e[k], a));
        });
    }
    if (i < w) pixmill::stamp_row_24to32(dst + 4 * i, src + 3 * i, static_cast<int32_t>(w - i), alpha);
}

template <class S>
void key_stamp_24to32(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, uint8_t alpha)
{
    ptrdiff_t i = 0;
    if constexpr (S::kShuffles) {
        using N = typename S::Narrow;
        using X = typename N::V;
        const X a = N::set1_32(static_cast<uint32_t>(alpha) << 24);
        const KeyMatch24<N> match(key);
        i = blocks16(w, [&](ptrdiff_t at) {
            X s[3], keyed[3], e[4], keyed32[4];
            load3<N>(src + 3 * at, s);
            match(s, keyed);
            N::expand24(s, e);
            N::expand24(keyed, keyed32);
            uint8_t* d = dst + 4 * at;
            for (int k = 0; k < 4; ++k) {
                const X copy = N::cmpeq32(keyed32[k], N::zero());  // whole non-key pixels
                N::store(d + 16 * k, N::select(copy, N::or_(e[k], a), N::load(d + 16 * k)));
            }
        });
    }
    if (i < w) pixmill::key_stamp_row_24to32(dst + 4 * i, src + 3 * i, static_cast<int32_t>(w - i), key, alpha);
}

template <class S>
void alpha_to_grey_32to24(uint8_t* dst, const uint8_t* src, int32_t w)
{
    ptrdiff_t i = 0;
    if constexpr (S::kShuffles) {
        using N = typename S::Narrow;
        i = blocks16(w, [&](ptrdiff_t at) {
            typename N::V s[4], out[3];
            load4<N>(src + 4 * at, s);
            N::compress24(s, out, N::alpha_bytes_pick());
            store3<N>(dst + 3 * at, out);
        });
    }
    if (i < w) pixmill::alpha_to_grey_row_32to24(dst + 3 * i, src + 4 * i, static_cast<int32_t>(w - i));
}

template <class S>
void red_to_alpha_24to32(uint8_t* dst, const uint8_t* src, int32_t w)
{
    ptrdiff_t i = 0;
    if constexpr (S::kShuffles) {
        using N = typename S::Narrow;
        const typename N::V alpha = N::set1_32(0xFF000000u);
        i = blocks16(w, [&](ptrdiff_t at) {
            typename N::V s[3], e[4];
            load3<N>(src + 3 * at, s);
            N::expand24(s, e);
            uint8_t* d = dst + 4 * at;
            for (int k = 0; k < 4; ++k)
                N::store(d + 16 * k, N::select(alpha, N::template slli32<8>(e[k]), N::load(d + 16 * k)));
        });
    }
    if (i < w) pixmill::red_to_alpha_row_24to32(dst + 4 * i, src + 3 * i, static_cast<int32_t>(w - i));
}

template <class S>
void mask_alpha_24to32(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w)
{
    ptrdiff_t i = 0;
    if constexpr (S::kShuffles) {
        using N = typename S::Narrow;
        const typename N::V alpha = N::set1_32(0xFF000000u);
        i = blocks16(w, [&](ptrdiff_t at) {
            typename N::V s[3], m[3], e[4], me[4];
            load3<N>(src + 3 * at, s);
            load3<N>(mask + 3 * at, m);
            N::expand24(s, e);
            N::expand24(m, me);
            for (int k = 0; k < 4; ++k)
                N::store(dst + 4 * at + 16 * k, N::or_(e[k], N::and_(N::template slli32<8>(me[k]), alpha)));
        });
    }
    if (i < w) pixmill::mask_alpha_row_24to32(dst + 4 * i, src + 3 * i, mask + 3 * i, static_cast<int32_t>(w - i));
}

}  // namespace pixmill::PIXMILL_LVL
