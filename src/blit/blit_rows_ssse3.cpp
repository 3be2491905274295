// Block-transfer row kernels that move bytes between 24-bit and 32-bit
// pixels: byte shuffles, sixteen pixels (three 24-bit or four 32-bit vectors)
// at a time.
#include "blit/blit_rows_isa.h"

#if defined(__SSSE3__)
#include <cstddef>

#include "blit/blit_rows.h"
#include "blit/blit_rows_vec.h"
#include "blit/mask_rows.h"

namespace pixmill::ssse3 {

namespace {

using S = Ssse3;
using V = S::V;
constexpr ptrdiff_t kPixels = 16;

inline void load3(const uint8_t* p, V v[3])
{
    for (int k = 0; k < 3; ++k) v[k] = S::load(p + 16 * k);
}
inline void load4(const uint8_t* p, V v[4])
{
    for (int k = 0; k < 4; ++k) v[k] = S::load(p + 16 * k);
}
inline void store3(uint8_t* p, const V v[3])
{
    for (int k = 0; k < 3; ++k) S::store(p + 16 * k, v[k]);
}

inline bool apart(const uint8_t* dst, int dst_bpp, const uint8_t* src, int src_bpp, int32_t w)
{
    return !ranges_overlap(dst, static_cast<size_t>(dst_bpp) * static_cast<size_t>(w), src,
                           static_cast<size_t>(src_bpp) * static_cast<size_t>(w));
}

// The row in blocks of sixteen pixels, each handed to block(i), when the
// destination overlaps no input; returns the first pixel left for the scalar
// kernel.
template <class BlockFn>
inline ptrdiff_t whole_blocks(int32_t w, bool apart_from_inputs, BlockFn&& block)
{
    ptrdiff_t i = 0;
    if (apart_from_inputs)
        for (; i + kPixels <= w; i += kPixels) block(i);
    return i;
}

// (A function, not a constant: nothing here may run before the CPU is known.)
inline V alpha_bytes()
{
    return S::set1_32(0xFF000000u);
}

}  // namespace

void copy_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w)
{
    const ptrdiff_t i = whole_blocks(w, apart(dst, 4, src, 3, w), [&](ptrdiff_t at) {
        V s[3], e[4];
        load3(src + 3 * at, s);
        S::expand24(s, e);
        uint8_t* d = dst + 4 * at;
        for (int k = 0; k < 4; ++k) S::store(d + 16 * k, S::or_(S::and_(S::load(d + 16 * k), alpha_bytes()), e[k]));
    });
    if (i < w) pixmill::copy_row_24to32(dst + 4 * i, src + 3 * i, static_cast<int32_t>(w - i));
}

void blend_row_32to24(uint8_t* dst, const uint8_t* src, int32_t w)
{
    const ptrdiff_t i = whole_blocks(w, apart(dst, 3, src, 4, w), [&](ptrdiff_t at) {
        V s[4];
        load4(src + 4 * at, s);
        const V alphas = S::and_(S::or_(S::or_(s[0], s[1]), S::or_(s[2], s[3])), alpha_bytes());
        if (S::all_zero(alphas)) return;  // all transparent: nothing written
        V d24[3], d[4], mixed[4], out[3];
        const V opaque = S::and_(S::and_(s[0], s[1]), S::and_(s[2], s[3]));
        if (S::all_ones(S::cmpeq8(S::or_(opaque, S::set1_32(0x00FFFFFFu)), S::set1_8(0xFF)))) {
            S::compress24(s, out, S::colour_bytes_pick());  // all opaque: the source's colours
            store3(dst + 3 * at, out);
            return;
        }
        load3(dst + 3 * at, d24);
        S::expand24(d24, d);
        for (int k = 0; k < 4; ++k) mixed[k] = blend255_bytes<S>(s[k], d[k], spread_alpha32<S>(s[k]));
        S::compress24(mixed, out, S::colour_bytes_pick());
        store3(dst + 3 * at, out);
    });
    if (i < w) pixmill::blend_row_32to24(dst + 3 * i, src + 4 * i, static_cast<int32_t>(w - i));
}

void stamp_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w, uint8_t alpha)
{
    const V a = S::set1_32(static_cast<uint32_t>(alpha) << 24);
    const ptrdiff_t i = whole_blocks(w, apart(dst, 4, src, 3, w), [&](ptrdiff_t at) {
        V s[3], e[4];
        load3(src + 3 * at, s);
        S::expand24(s, e);
        for (int k = 0; k < 4; ++k) S::store(dst + 4 * at + 16 * k, S::or_(e[k], a));
    });
    if (i < w) pixmill::stamp_row_24to32(dst + 4 * i, src + 3 * i, static_cast<int32_t>(w - i), alpha);
}

void key_stamp_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, uint8_t alpha)
{
    const V a = S::set1_32(static_cast<uint32_t>(alpha) << 24);
    const KeyMatch24<S> match(key);
    const ptrdiff_t i = whole_blocks(w, apart(dst, 4, src, 3, w), [&](ptrdiff_t at) {
        V s[3], keyed[3], e[4], keyed32[4];
        load3(src + 3 * at, s);
        match(s, keyed);
        S::expand24(s, e);
        S::expand24(keyed, keyed32);
        uint8_t* d = dst + 4 * at;
        for (int k = 0; k < 4; ++k) {
            const V copy = S::cmpeq32(keyed32[k], S::zero());  // whole non-key pixels
            S::store(d + 16 * k, S::select(copy, S::or_(e[k], a), S::load(d + 16 * k)));
        }
    });
    if (i < w) pixmill::key_stamp_row_24to32(dst + 4 * i, src + 3 * i, static_cast<int32_t>(w - i), key, alpha);
}

void alpha_to_grey_row_32to24(uint8_t* dst, const uint8_t* src, int32_t w)
{
    const ptrdiff_t i = whole_blocks(w, apart(dst, 3, src, 4, w), [&](ptrdiff_t at) {
        V s[4], out[3];
        load4(src + 4 * at, s);
        S::compress24(s, out, S::alpha_bytes_pick());
        store3(dst + 3 * at, out);
    });
    if (i < w) pixmill::alpha_to_grey_row_32to24(dst + 3 * i, src + 4 * i, static_cast<int32_t>(w - i));
}

void red_to_alpha_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w)
{
    const ptrdiff_t i = whole_blocks(w, apart(dst, 4, src, 3, w), [&](ptrdiff_t at) {
        V s[3], e[4];
        load3(src + 3 * at, s);
        S::expand24(s, e);
        uint8_t* d = dst + 4 * at;
        for (int k = 0; k < 4; ++k)
            S::store(d + 16 * k, S::select(alpha_bytes(), S::slli32<8>(e[k]), S::load(d + 16 * k)));
    });
    if (i < w) pixmill::red_to_alpha_row_24to32(dst + 4 * i, src + 3 * i, static_cast<int32_t>(w - i));
}

void mask_alpha_row_24to32(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w)
{
    const bool apart_from_inputs = apart(dst, 4, src, 3, w) && apart(dst, 4, mask, 3, w);
    const ptrdiff_t i = whole_blocks(w, apart_from_inputs, [&](ptrdiff_t at) {
        V s[3], m[3], e[4], me[4];
        load3(src + 3 * at, s);
        load3(mask + 3 * at, m);
        S::expand24(s, e);
        S::expand24(m, me);
        for (int k = 0; k < 4; ++k)
            S::store(dst + 4 * at + 16 * k, S::or_(e[k], S::and_(S::slli32<8>(me[k]), alpha_bytes())));
    });
    if (i < w) pixmill::mask_alpha_row_24to32(dst + 4 * i, src + 3 * i, mask + 3 * i, static_cast<int32_t>(w - i));
}

}  // namespace pixmill::ssse3

#endif
