// The vector forms of the offsets' and the contrast's row kernels, written
// once over the vocabulary of frame/vec_x86.h and compiled once per level by
// frame/level.cpp. Each gives its scalar kernel's bytes.
//
// A level with byte-masked accesses (S::kMasks) takes a row as one stream of
// bytes: a masked vector up to the first vector boundary (for the keyed
// offsets, up to the first pixel that starts on one), so that the whole
// vectors after it are aligned, and masked vectors after the last whole
// block; no byte outside the row is touched. The other levels work in blocks
// from the row's start and leave the pixels after the last whole block to the
// scalar kernel.
//
// The offsets are taken as saturating steps (OffsetSteps), made once per call.
#pragma once

#include <cstddef>
#include <cstdint>

#include "filter/contrast_rows.h"
#include "filter/offset_rows.h"
#include "frame/vec_x86.h"

namespace pixmill::PIXMILL_LVL {

// Bytes from p to the next S::kBytes boundary, at most n.
template <class S>
inline size_t bytes_to_boundary(const uint8_t* p, size_t n)
{
    const size_t to = (S::kBytes - reinterpret_cast<uintptr_t>(p) % S::kBytes) % S::kBytes;
    return to < n ? to : n;
}

template <class S>
inline typename S::V offset_step(typename S::V v, typename S::V up, typename S::V down)
{
    return S::subs_u8(S::adds_u8(v, up), down);
}

// The steps of the three vectors of a block of 24-bit pixels that begins at
// stream offset s.
template <class S>
struct OffsetSteps24 {
    typename S::V up[3], down[3];
    OffsetSteps24(const OffsetSteps& st, size_t s)
    {
        for (int k = 0; k < 3; ++k) {
            up[k] = S::load(st.rise24 + (s + k * S::kBytes) % 3);
            down[k] = S::load(st.fall24 + (s + k * S::kBytes) % 3);
        }
    }
    typename S::V operator()(typename S::V v, int k) const { return offset_step<S>(v, up[k], down[k]); }
};

template <class S>
void offset_24(uint8_t* row, int32_t w, OffsetCall& c)
{
    constexpr size_t B = S::kBytes;
    const size_t n = 3 * static_cast<size_t>(w);
    if (!S::kMasks && n < 3 * B) return pixmill::offset_row_24(row, w, c.offsets);
    const OffsetSteps& st = offset_steps(c);
    size_t i = 0;
    if constexpr (S::kMasks) {
        i = bytes_to_boundary<S>(row, n);
        if (i) S::store_first(row, i, offset_step<S>(S::load_first(row, i), S::load(st.rise24), S::load(st.fall24)));
    }
    const OffsetSteps24<S> step(st, i);
    for (; i + 3 * B <= n; i += 3 * B)
        for (int k = 0; k < 3; ++k) {
            uint8_t* p = row + i + k * B;
            S::store(p, step(S::load(p), k));
        }
    if constexpr (S::kMasks) {
        for (int k = 0; i < n; ++k, i += B) {
            const size_t m = n - i < B ? n - i : B;
            S::store_first(row + i, m, step(S::load_first(row + i, m), k));
        }
    } else if (i < n) {
        pixmill::offset_row_24(row + i, static_cast<int32_t>((n - i) / 3), c.offsets);
    }
}

// Bit b of word k is set when byte 64 k + b of a 192-byte block begins a pixel.
constexpr uint64_t pixel_start_bits(int k)
{
    uint64_t bits = 0;
    for (int b = 0; b < 64; ++b)
        if ((64 * k + b) % 3 == 0) bits |= uint64_t{1} << b;
    return bits;
}

// For a block of three 64-byte vectors of 24-bit pixels whose byte matches
// are the bits of eq (one 192-bit number, word 0 lowest): the bytes of every
// pixel whose three bytes all match.
inline void whole_pixel_bits(const uint64_t eq[3], uint64_t out[3])
{
    constexpr uint64_t starts[3] = {pixel_start_bits(0), pixel_start_bits(1), pixel_start_bits(2)};
    uint64_t all[3];
    for (int k = 0; k < 3; ++k) {
        const uint64_t next = k < 2 ? eq[k + 1] : 0;
        all[k] = eq[k] & (eq[k] >> 1 | next << 63) & (eq[k] >> 2 | next << 62) & starts[k];
    }
    for (int k = 0; k < 3; ++k) {
        const uint64_t prev = k > 0 ? all[k - 1] : 0;
        out[k] = all[k] | (all[k] << 1 | prev >> 63) | (all[k] << 2 | prev >> 62);
    }
}

// The keyed offsets over one block of three vectors that begins at a pixel's
// start; the bytes of key pixels are stored back as they were.
template <class S>
struct KeyedOffset24 {
    using V = typename S::V;
    static constexpr size_t B = S::kBytes;
    OffsetSteps24<S> step;
    V keys[3], first[3];  // first: each pixel's first byte, where matches are vectors

    KeyedOffset24(const OffsetSteps& st, ColorKey key) : step(st, 0)
    {
        const uint8_t k3[3] = {key.blue, key.green, key.red};
        for (int k = 0; k < 3; ++k) {
            keys[k] = pattern24<S>(k3, k);
            if constexpr (!S::kMasks) first[k] = lane24<S>(0, k);
        }
    }

    // A whole block.
    void operator()(uint8_t* p) const
    {
        const V v[3] = {S::load(p), S::load(p + B), S::load(p + 2 * B)};
        if constexpr (S::kMasks) {
            uint64_t eq[3], keyed[3];
            for (int k = 0; k < 3; ++k) eq[k] = S::eq8_bits(v[k], keys[k]);
            whole_pixel_bits(eq, keyed);
            for (int k = 0; k < 3; ++k) S::store(p + k * B, S::select_bits(keyed[k], v[k], step(v[k], k)));
        } else {
            V eq[3], keyed[3];
            for (int k = 0; k < 3; ++k) eq[k] = S::cmpeq8(v[k], keys[k]);
            whole_pixels24<S>(eq, first, keyed);
            for (int k = 0; k < 3; ++k) S::store(p + k * B, S::select(keyed[k], v[k], step(v[k], k)));
        }
    }

    // The first n bytes of a block (whole pixels), through masks.
    void part(uint8_t* p, size_t n) const
    {
        V v[3];
        uint64_t eq[3], keyed[3];
        size_t m[3];
        for (int k = 0; k < 3; ++k) {
            m[k] = n > k * B ? (n - k * B < B ? n - k * B : B) : 0;
            v[k] = S::load_first(p + k * B, m[k]);
            eq[k] = S::eq8_bits(v[k], keys[k]);
        }
        // Bytes past n load as 0 and may match a key of zeros; they are not stored.
        whole_pixel_bits(eq, keyed);
        for (int k = 0; k < 3; ++k) S::store_first(p + k * B, m[k], S::select_bits(keyed[k], v[k], step(v[k], k)));
    }
};

template <class S>
void offset_24_keyed(uint8_t* row, int32_t w, OffsetCall& c, ColorKey key)
{
    constexpr size_t B = S::kBytes;
    const size_t n = 3 * static_cast<size_t>(w);
    // A row shorter than a block (with masks: than one vector) costs the
    // scalar kernel less than the constants here.
    if (n < (S::kMasks ? B : 3 * B)) return pixmill::offset_row_24_keyed(row, w, c.offsets, key);
    const KeyedOffset24<S> block(offset_steps(c), key);
    size_t i = 0;
    if constexpr (S::kMasks) {
        // The head: to the boundary, plus a vector once or twice until it
        // ends at a pixel's start.
        const size_t to = bytes_to_boundary<S>(row, n);
        i = to + B * ((3 - to % 3) % 3);
        if (i > n) i = n;
        if (i) block.part(row, i);
    }
    for (; i + 3 * B <= n; i += 3 * B) block(row + i);
    if constexpr (S::kMasks) {
        if (i < n) block.part(row + i, n - i);
    } else if (i < n) {
        pixmill::offset_row_24_keyed(row + i, static_cast<int32_t>((n - i) / 3), c.offsets, key);
    }
}

template <class S>
void offset_32(uint8_t* row, int32_t w, OffsetCall& c)
{
    using V = typename S::V;
    constexpr size_t B = S::kBytes;
    const OffsetSteps& st = offset_steps(c);
    const uint32_t up = st.rise32, down = st.fall32;
    // The pixel's steps turned to begin at stream offset s.
    auto turned = [](uint32_t x, size_t s) {
        const unsigned r = 8 * static_cast<unsigned>(s % 4);
        return S::set1_32(r ? x >> r | x << (32 - r) : x);
    };
    const size_t n = 4 * static_cast<size_t>(w);
    size_t i = 0;
    if constexpr (S::kMasks) {
        i = bytes_to_boundary<S>(row, n);
        if (i) S::store_first(row, i, offset_step<S>(S::load_first(row, i), turned(up, 0), turned(down, 0)));
    }
    const V vup = turned(up, i), vdown = turned(down, i);
    for (; i + B <= n; i += B) S::store(row + i, offset_step<S>(S::load(row + i), vup, vdown));
    if constexpr (S::kMasks) {
        if (i < n) S::store_first(row + i, n - i, offset_step<S>(S::load_first(row + i, n - i), vup, vdown));
    } else if (i < n) {
        pixmill::offset_row_32(row + i, static_cast<int32_t>((n - i) / 4), c.offsets);
    }
}

// Levels with byte permutes look the call's table up a vector at a time (two
// permutes of 128 entries each, chosen by each byte's top bit); like the
// scalar kernel they fill it only for a call large enough to repay that, and
// hand a smaller call's rows to the scalar kernel.
//
// The 32-byte level computes each byte's q = trunc((byte - 128) * m / 2^k)
// in whole numbers in its lanes, as the call's table is filled (see
// contrast_table). Then q + 128 saturates to a byte through the signed 16-bit and unsigned 8-bit packs,
// which is the clamp. It needs no table. The 16-byte levels, without a 32-bit
// multiply or byte permutes, leave the row to the scalar kernel.
template <class S>
void contrast_24(uint8_t* row, int32_t w, ContrastCall& c)
{
    using V = typename S::V;
    constexpr size_t B = S::kBytes;
    const size_t n = 3 * static_cast<size_t>(w);
    size_t i = 0;
    if constexpr (S::kPermutes) {
        if (c.pixels > kContrastTablePixels) {
            static_assert(B == 64, "four vectors hold the table");
            const uint8_t* t = contrast_table(c);
            const V t0 = S::load(t), t1 = S::load(t + B), t2 = S::load(t + 2 * B), t3 = S::load(t + 3 * B);
            auto look_up = [&](V v) { return S::select(v, S::permute8x2(v, t2, t3), S::permute8x2(v, t0, t1)); };
            i = bytes_to_boundary<S>(row, n);
            if (i) S::store_first(row, i, look_up(S::load_first(row, i)));
            for (; i + B <= n; i += B) S::store(row + i, look_up(S::load(row + i)));
            if (i < n) S::store_first(row + i, n - i, look_up(S::load_first(row + i, n - i)));
            return;
        }
    } else if constexpr (S::kBytes == 32) {
        const ExactFactor f = exact_factor(c.factor);
        const V m = S::set1_32(static_cast<uint32_t>(f.m)), mid = S::set1_32(128), mid16 = S::set1_16(128);
        const V round_up = S::set1_32((1u << f.k) - 1);
        // The packs work within 128-bit halves; this puts the 4-byte groups back in order.
        const uint32_t order_lanes[8] = {0, 4, 1, 5, 2, 6, 3, 7};
        const V order = S::load(reinterpret_cast<const uint8_t*>(order_lanes));
        auto eight = [&](const uint8_t* p) {
            const V x = S::mullo32(S::I32::sub(S::load_u8_to_32(p), mid), m);
            const V negative = S::template srai32<31>(x);
            return S::sra32(S::I32::add(x, S::and_(negative, round_up)), f.k);
        };
        // Blocks of three vectors (whole pixels), each byte on its own, a
        // quarter vector of bytes per 32-bit lanes.
        constexpr size_t q = B / 4;
        for (; i + 3 * B <= n; i += 3 * B)
            for (int k = 0; k < 3; ++k) {
                uint8_t* p = row + i + k * B;
                const V lo = S::adds16(S::packs32(eight(p), eight(p + q)), mid16);
                const V hi = S::adds16(S::packs32(eight(p + 2 * q), eight(p + 3 * q)), mid16);
                S::store(p, S::permute32(order, S::packus16(lo, hi)));
            }
    }
    if (i < n) pixmill::contrast_call_24(row + i, static_cast<int32_t>((n - i) / 3), c);
}

}  // namespace pixmill::PIXMILL_LVL
