// Scaled-copy row kernels over 32-byte AVX2 vectors, eight destination pixels
// at a time. The source columns of eight neighbouring destination pixels lie
// close together unless the copy shrinks a lot, so a block loads one or two
// 32-byte windows of the row from near its leftmost column (for an average,
// the five-point averages of every pixel in the windows, worked out from
// loads shifted by one pixel) and picks its pixels out with byte or 32-bit
// shuffles, indexed by their byte or pixel distance from the window's start.
// A window never reaches past the bytes the row's pixels may use: for the
// nearest kernels it is moved left to end there; a block whose columns spread
// wider than two windows, or whose averages need a pixel beyond either end
// of the row, takes the scalar kernel (whole 32-bit pixels: 32-bit gathers).
//
// Destination bytes are written exactly: eight 24-bit pixels as 16 + 8
// bytes; eight 32-bit pixels whole, their fourth bytes written back with
// their own value where the rule keeps them.
//
// The five-point sums are at most 5 x 255 = 1275 and are divided by 5 as
// (x * 13108) >> 16 in 16-bit lanes. That is exact for x < 16384: write
// x = 5q + r with r in 0..4; 13108 = (65536 + 4) / 5, so
// x * 13108 / 65536 = q + (r + 4x / 65536) / 5, and r + 4x / 65536 < 4 + 1
// keeps the floor at q.
#include "stretch/stretch_rows_isa.h"

#if defined(__AVX2__)
#include <immintrin.h>

#include <algorithm>
#include <cstddef>

#include "frame/vec_x86.h"

namespace pixmill::avx2 {

namespace {

using V = __m256i;

constexpr int32_t kBlock = 8;  // destination pixels per vector step

// The byte offsets within a row (worked out in 64 bits, so that no column
// can overflow them) fit the 32-bit lanes, with room for a window's length
// past them, while the row is no longer than this; longer rows take the
// scalar kernels.
constexpr int64_t kMaxRowBytes = 0x7fffff00;

inline V load(const void* p) { return _mm256_loadu_si256(static_cast<const V*>(p)); }
inline V set1(int32_t v) { return _mm256_set1_epi32(v); }

// Byte idx (each below 32 * nw) of the nw (1 or 2) 32-byte vectors w.
inline V pick_bytes(const V* w, int nw, V idx)
{
    const auto pick = [idx](V t) {
        const V lo = _mm256_permute2x128_si256(t, t, 0x00), hi = _mm256_permute2x128_si256(t, t, 0x11);
        // Bit 4 of each index chooses the half, moved to the bit blendv reads.
        return _mm256_blendv_epi8(_mm256_shuffle_epi8(lo, idx), _mm256_shuffle_epi8(hi, idx), _mm256_slli_epi16(idx, 3));
    };
    const V r = pick(w[0]);
    return nw == 1 ? r : _mm256_blendv_epi8(r, pick(w[1]), _mm256_slli_epi16(idx, 2));
}

// The byte indices of 24-bit pixels starting at byte offsets at (one per
// 32-bit lane, each below 62): at, at + 1, at + 2 and, unused, 0.
inline V byte_index24(V at) { return _mm256_add_epi32(_mm256_mullo_epi32(at, set1(0x010101)), set1(0x020100)); }

// 32-bit words dist (each below 8 * nw) of the nw (1 or 2) vectors w.
inline V pick_words(const V* w, int nw, V dist)
{
    const V r = _mm256_permutevar8x32_epi32(w[0], dist);
    return nw == 1 ? r : _mm256_blendv_epi8(r, _mm256_permutevar8x32_epi32(w[1], dist), _mm256_cmpgt_epi32(dist, set1(7)));
}

// How many 32-byte windows hold a block whose samples span bytes bytes (0
// when two do not).
inline int windows_for(int64_t bytes) { return bytes <= 32 ? 1 : bytes <= 64 ? 2 : 0; }

inline V gather32(const uint8_t* row, V c) { return _mm256_i32gather_epi32(reinterpret_cast<const int*>(row), c, 4); }

// Stores the colour bytes of eight pixels (one per 32-bit lane of v): packed
// as 24 bytes, or into 32-bit pixels whose fourth bytes stay as they are.
template <int DBpp>
inline void put_colours(uint8_t* d, V v)
{
    if (DBpp == 3) {
        const V pack = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,  //
                                        0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
        const V p = _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(v, pack), _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm256_castsi256_si128(p));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(d + 16), _mm256_extracti128_si256(p, 1));
    } else {
        _mm256_storeu_si256(reinterpret_cast<V*>(d), _mm256_blendv_epi8(load(d), v, set1(0x00ffffff)));
    }
}

// Per byte, the sum of the five vectors divided by 5.
inline V average5(V a, V b, V c, V d, V e)
{
    const V z = _mm256_setzero_si256(), k = _mm256_set1_epi16(13108);
    const auto half = [&](auto widen) {
        const V s = _mm256_add_epi16(_mm256_add_epi16(widen(a, z), widen(b, z)), _mm256_add_epi16(widen(c, z), widen(d, z)));
        return _mm256_mulhi_epu16(_mm256_add_epi16(s, widen(e, z)), k);
    };
    return _mm256_packus_epi16(half([](V x, V y) { return _mm256_unpacklo_epi8(x, y); }),
                               half([](V x, V y) { return _mm256_unpackhi_epi8(x, y); }));
}

// The columns of a block's left and right neighbours: c - 1 except at column
// 0, c + 1 except at the last column, where the sample stands in.
inline V left_of(V c) { return _mm256_max_epi32(_mm256_sub_epi32(c, set1(1)), _mm256_setzero_si256()); }
inline V right_of(V c, V last) { return _mm256_min_epi32(_mm256_add_epi32(c, set1(1)), last); }

// Whether dst's bytes share one with any of the source rows (each row_bytes
// long from its start).
inline bool overlaps_rows(const uint8_t* dst, size_t dst_bytes, const SourceRows& s, size_t row_bytes)
{
    return ranges_overlap(dst, dst_bytes, s.row, row_bytes) || ranges_overlap(dst, dst_bytes, s.above, row_bytes) ||
           ranges_overlap(dst, dst_bytes, s.below, row_bytes);
}

// The five-point averages of the 32 bytes of 24-bit (Bpp 3) or 32-bit
// pixels from byte at of the rows: right for every pixel that has both
// horizontal neighbours in the row. The caller keeps at - Bpp and at + 32 +
// Bpp within the rows.
inline V averages_at(const SourceRows& s, int64_t at, int bpp)
{
    return average5(load(s.row + at), load(s.row + at - bpp), load(s.row + at + bpp), load(s.above + at),
                    load(s.below + at));
}

// Asks for the line at byte at of the rows the next destination row reads
// (the hints of s, when there are any), so that they arrive while this row is
// worked out. at is below the row's length, so the addresses stay on the rows.
inline void fetch_ahead(const SourceRows& s, int64_t at)
{
    if (s.ahead[0] == nullptr) return;
    _mm_prefetch(reinterpret_cast<const char*>(s.ahead[0] + at), _MM_HINT_T0);
    _mm_prefetch(reinterpret_cast<const char*>(s.ahead[1] + at), _MM_HINT_T0);
}

template <int DBpp>
void sample_24(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n,
               void (*scalar)(uint8_t*, const uint8_t*, const int32_t*, int32_t))
{
    if (n <= 0) return;
    // The row is read from the first column to the last one sampled.
    const int32_t limit = cols[n - 1];
    const int64_t first = 3 * static_cast<int64_t>(cols[0]);
    const int64_t end = 3 * static_cast<int64_t>(limit) + 3;
    if (end > kMaxRowBytes ||
        ranges_overlap(dst, DBpp * static_cast<size_t>(n), row + first, static_cast<size_t>(end - first))) {
        scalar(dst, row, cols, n);
        return;
    }
    int32_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        const int64_t lo = 3 * static_cast<int64_t>(cols[i]), hi = 3 * static_cast<int64_t>(cols[i + kBlock - 1]);
        const int nw = windows_for(hi + 3 - lo);
        // The window starts at the block's first sample, or earlier so as to end with the row's last one.
        const int64_t at = std::min(lo, end - 32 * nw);
        if (nw == 0 || at < 0) {
            scalar(dst + DBpp * i, row, cols + i, kBlock);
            continue;
        }
        const V c = load(cols + i);
        const V w[2] = {load(row + at), nw == 2 ? load(row + at + 32) : c};
        const V dist = _mm256_sub_epi32(_mm256_add_epi32(_mm256_slli_epi32(c, 1), c), set1(static_cast<int32_t>(at)));
        put_colours<DBpp>(dst + DBpp * i, pick_bytes(w, nw, byte_index24(dist)));
    }
    if (i < n) scalar(dst + DBpp * i, row, cols + i, n - i);
}

template <int DBpp>
void smooth_24(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n,
               void (*scalar)(uint8_t*, const SourceRows&, const int32_t*, int32_t))
{
    if (n <= 0) return;
    const int64_t row_bytes = 3 * (static_cast<int64_t>(s.last_col) + 1);
    if (row_bytes > kMaxRowBytes || overlaps_rows(dst, DBpp * static_cast<size_t>(n), s, static_cast<size_t>(row_bytes))) {
        scalar(dst, s, cols, n);
        return;
    }
    int32_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        const int64_t lo = 3 * static_cast<int64_t>(cols[i]), hi = 3 * static_cast<int64_t>(cols[i + kBlock - 1]);
        const int nw = windows_for(hi + 3 - lo);
        if (nw != 0 && lo > 0 && lo + 32 * nw + 3 <= row_bytes) {
            // Every pixel of the windows, the block's samples among them, has both neighbours.
            fetch_ahead(s, lo);
            const V c = load(cols + i);
            const V w[2] = {averages_at(s, lo, 3), nw == 2 ? averages_at(s, lo + 32, 3) : c};
            const V dist = _mm256_sub_epi32(_mm256_add_epi32(_mm256_slli_epi32(c, 1), c), set1(static_cast<int32_t>(lo)));
            put_colours<DBpp>(dst + DBpp * i, pick_bytes(w, nw, byte_index24(dist)));
            continue;
        }
        scalar(dst + DBpp * i, s, cols + i, kBlock);
    }
    if (i < n) scalar(dst + DBpp * i, s, cols + i, n - i);
}

}  // namespace

void sample_row_24to24(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    sample_24<3>(dst, row, cols, n, pixmill::sample_row_24to24);
}

void sample_row_24to32(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    sample_24<4>(dst, row, cols, n, pixmill::sample_row_24to32);
}

// Eight whole 32-bit pixels at a time, gathered from their columns (every
// one a pixel of the row); the last pixels short of eight by the scalar kernel.
void sample_row_32to32_whole(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    if (n <= 0) return;
    const int64_t first = 4 * static_cast<int64_t>(cols[0]);
    const int64_t end = 4 * static_cast<int64_t>(cols[n - 1]) + 4;
    int32_t i = 0;
    if (end <= kMaxRowBytes &&
        !ranges_overlap(dst, 4 * static_cast<size_t>(n), row + first, static_cast<size_t>(end - first))) {
        for (; i + kBlock <= n; i += kBlock) {
            const V c = load(cols + i);
            const int nw = windows_for(4 * (static_cast<int64_t>(cols[i + kBlock - 1]) - cols[i]) + 4);
            const int64_t at = std::min(4 * static_cast<int64_t>(cols[i]), end - 32 * nw);
            V v;
            if (nw != 0 && at >= 0) {
                const V w[2] = {load(row + at), nw == 2 ? load(row + at + 32) : c};
                v = pick_words(w, nw, _mm256_sub_epi32(c, set1(static_cast<int32_t>(at / 4))));
            } else {
                v = gather32(row, c);
            }
            _mm256_storeu_si256(reinterpret_cast<V*>(dst + 4 * static_cast<int64_t>(i)), v);
        }
    }
    if (i < n) pixmill::sample_row_32to32_whole(dst + 4 * static_cast<int64_t>(i), row, cols + i, n - i);
}

void smooth_row_24to24(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n)
{
    smooth_24<3>(dst, s, cols, n, pixmill::smooth_row_24to24);
}

void smooth_row_24to32(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n)
{
    smooth_24<4>(dst, s, cols, n, pixmill::smooth_row_24to32);
}

// All four bytes of each pixel averaged: every gather reads a whole pixel of
// the row, so the edges need nothing beyond the neighbour columns' clamps.
void smooth_row_32to32_whole(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n)
{
    if (n <= 0) return;
    const int64_t row_bytes = 4 * (static_cast<int64_t>(s.last_col) + 1);
    int32_t i = 0;
    if (row_bytes <= kMaxRowBytes && !overlaps_rows(dst, 4 * static_cast<size_t>(n), s, static_cast<size_t>(row_bytes))) {
        const V last = set1(s.last_col);
        for (; i + kBlock <= n; i += kBlock) {
            const V c = load(cols + i);
            const int64_t lo = 4 * static_cast<int64_t>(cols[i]);
            const int nw = windows_for(4 * static_cast<int64_t>(cols[i + kBlock - 1]) + 4 - lo);
            if (nw != 0 && lo > 0 && lo + 32 * nw + 4 <= row_bytes) {
                fetch_ahead(s, lo);
                const V w[2] = {averages_at(s, lo, 4), nw == 2 ? averages_at(s, lo + 32, 4) : c};
                _mm256_storeu_si256(reinterpret_cast<V*>(dst + 4 * static_cast<ptrdiff_t>(i)),
                                    pick_words(w, nw, _mm256_sub_epi32(c, set1(cols[i]))));
                continue;
            }
            const V t0 = gather32(s.row, c), t1 = gather32(s.row, left_of(c)), t2 = gather32(s.row, right_of(c, last));
            _mm256_storeu_si256(reinterpret_cast<V*>(dst + 4 * static_cast<ptrdiff_t>(i)),
                                average5(t0, t1, t2, gather32(s.above, c), gather32(s.below, c)));
        }
    }
    if (i < n) pixmill::smooth_row_32to32_whole(dst + 4 * static_cast<ptrdiff_t>(i), s, cols + i, n - i);
}

}  // namespace pixmill::avx2

#endif
