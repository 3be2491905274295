// Vector templates of the offsets' row kernels, for the Sse2 and Avx2 structs
// of frame/vec_x86.h, and the constants every level builds from the per-call
// tables. Included only by the per-instruction-set files.
//
// An offset is a saturating step: with entry 0 of a channel's table (how far
// a byte rises at most: the offset cut to 0..255) and 255 minus entry 255 (how
// far it falls at most), every entry b is b raised by the first with
// saturation at 255 and then lowered by the second with saturation at 0. One
// of the two is always 0, and an offset beyond +-255 takes every byte to the
// same bound as +-255 does, so the whole-sum clamp comes out exactly.
#pragma once

#include <cstddef>
#include <cstdint>

#include "filter/offset_rows.h"
#include "frame/vec_x86.h"

namespace pixmill {
namespace {

inline uint8_t rise(const uint8_t table[256])
{
    return table[0];
}

inline uint8_t fall(const uint8_t table[256])
{
    return static_cast<uint8_t>(255 - table[255]);
}

// The stream c0 c1 c2 c0 c1 c2 ... as 64-bit words beginning at its byte 0, 1
// and 2: word[(s + 8 j) % 3] is the eight bytes from stream offset s + 8 j.
struct Repeat24 {
    uint64_t word[3];
};

inline Repeat24 repeat24(uint8_t c0, uint8_t c1, uint8_t c2)
{
    // x, x << 24 and x << 48 do not overlap: eight bytes of the stream.
    auto spread = [](uint32_t x) { return uint64_t{x} * 0x0001000001000001ull; };
    return {{spread(c0 | c1 << 8 | c2 << 16), spread(c1 | c2 << 8 | c0 << 16), spread(c2 | c0 << 8 | c1 << 16)}};
}

// The steps of the three colour channels as byte streams of 24-bit pixels.
inline Repeat24 rise24(const OffsetTables& t)
{
    return repeat24(rise(t.blue), rise(t.green), rise(t.red));
}

inline Repeat24 fall24(const OffsetTables& t)
{
    return repeat24(fall(t.blue), fall(t.green), fall(t.red));
}

// The steps of all four bytes of a 32-bit pixel.
inline uint32_t rise32(const OffsetTables& t)
{
    return uint32_t{rise(t.blue)} | uint32_t{rise(t.green)} << 8 | uint32_t{rise(t.red)} << 16 |
           uint32_t{rise(t.alpha)} << 24;
}

inline uint32_t fall32(const OffsetTables& t)
{
    return uint32_t{fall(t.blue)} | uint32_t{fall(t.green)} << 8 | uint32_t{fall(t.red)} << 16 |
           uint32_t{fall(t.alpha)} << 24;
}

#if defined(__SSE2__)
inline __m128i from_words(const uint64_t (&w)[2])
{
    return _mm_set_epi64x(static_cast<int64_t>(w[1]), static_cast<int64_t>(w[0]));
}
#endif
#if defined(__AVX2__)
inline __m256i from_words(const uint64_t (&w)[4])
{
    return _mm256_set_epi64x(static_cast<int64_t>(w[3]), static_cast<int64_t>(w[2]), static_cast<int64_t>(w[1]),
                             static_cast<int64_t>(w[0]));
}
#endif

// Vector k (0, 1 or 2) of a block of three: the stream from offset k * S::kBytes.
template <class S>
inline typename S::V vector24(const Repeat24& r, int k)
{
    uint64_t w[S::kBytes / 8];
    for (int j = 0; j < S::kBytes / 8; ++j) w[j] = r.word[(k * S::kBytes + 8 * j) % 3];
    return from_words(w);
}

template <class S>
struct Steps24 {
    typename S::V up[3], down[3];
    explicit Steps24(const OffsetTables& t)
    {
        const Repeat24 u = rise24(t), d = fall24(t);
        for (int k = 0; k < 3; ++k) up[k] = vector24<S>(u, k), down[k] = vector24<S>(d, k);
    }
    typename S::V operator()(typename S::V v, int k) const { return S::subs_u8(S::adds_u8(v, up[k]), down[k]); }
};

template <class S>
void offset_row_24_v(uint8_t* row, int32_t w, const OffsetTables& t)
{
    constexpr ptrdiff_t n = S::kBytes, B = S::kBytes;
    const Steps24<S> step(t);
    ptrdiff_t i = 0;
    for (; i + n <= w; i += n)
        for (int k = 0; k < 3; ++k) {
            uint8_t* p = row + 3 * i + k * B;
            S::store(p, step(S::load(p), k));
        }
    if (i < w) pixmill::offset_row_24(row + 3 * i, static_cast<int32_t>(w - i), t);
}

template <class S>
void offset_row_24_keyed_v(uint8_t* row, int32_t w, const OffsetTables& t, ColorKey key)
{
    using V = typename S::V;
    constexpr ptrdiff_t n = S::kBytes, B = S::kBytes;
    const Steps24<S> step(t);
    const Repeat24 kr = repeat24(key.blue, key.green, key.red), fr = repeat24(0xFF, 0, 0);
    V keys[3], first[3];
    for (int k = 0; k < 3; ++k) keys[k] = vector24<S>(kr, k), first[k] = vector24<S>(fr, k);
    ptrdiff_t i = 0;
    for (; i + n <= w; i += n) {
        uint8_t* p = row + 3 * i;
        const V v[3] = {S::load(p), S::load(p + B), S::load(p + 2 * B)};
        V eq[3], keyed[3];
        for (int k = 0; k < 3; ++k) eq[k] = S::cmpeq8(v[k], keys[k]);
        whole_pixels24<S>(eq, first, keyed);
        // A key pixel's bytes are stored back as they were.
        for (int k = 0; k < 3; ++k) S::store(p + k * B, S::select(keyed[k], v[k], step(v[k], k)));
    }
    if (i < w) pixmill::offset_row_24_keyed(row + 3 * i, static_cast<int32_t>(w - i), t, key);
}

template <class S>
void offset_row_32_v(uint8_t* row, int32_t w, const OffsetTables& t)
{
    constexpr ptrdiff_t n = S::kBytes / 4;
    const typename S::V up = S::set1_32(rise32(t)), down = S::set1_32(fall32(t));
    ptrdiff_t i = 0;
    for (; i + n <= w; i += n) S::store(row + 4 * i, S::subs_u8(S::adds_u8(S::load(row + 4 * i), up), down));
    if (i < w) pixmill::offset_row_32(row + 4 * i, static_cast<int32_t>(w - i), t);
}

}  // namespace
}  // namespace pixmill
