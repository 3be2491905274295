// Scaled-copy row kernels over 16-byte SSSE3 vectors, four destination pixels
// at a time, in the manner of the AVX2 ones: a block loads one or two 16-byte
// windows of the row from its first sample on (for an average, the five-point
// averages of every pixel in the windows, from loads shifted by one pixel)
// and picks its pixels out with byte shuffles. A window never reaches past
// the bytes the row's pixels may use: for the nearest kernels it is moved
// left to end there; a block whose columns spread wider than two windows, or
// whose averages need a pixel beyond either end of the row, takes the scalar
// kernel. (Whole 32-bit pixels are picked faster one by one: that slot keeps
// the scalar kernel.) Destination bytes are written exactly (four 24-bit pixels as 8 + 4
// bytes; 32-bit pixels whole, a kept fourth byte written back as it was).
//
// The five-point sums (at most 1275) are divided by 5 as (x * 13108) >> 16,
// exact for x < 16384 (see the AVX2 kernels).
#include "stretch/stretch_rows_isa.h"

#if defined(__SSSE3__)
#include <algorithm>
#include <cstddef>
#include <cstring>

#include "frame/vec_x86.h"

namespace pixmill::ssse3 {

namespace {

using V = __m128i;

constexpr int32_t kBlock = 4;  // destination pixels per vector step

// Rows longer than this take the scalar kernels, so that byte offsets (worked
// out in 64 bits) fit the 32-bit lanes with room for a window past them.
constexpr int64_t kMaxRowBytes = 0x7fffff00;

inline V load(const void* p) { return _mm_loadu_si128(static_cast<const V*>(p)); }
inline V set1(int32_t v) { return _mm_set1_epi32(v); }

// How many 16-byte windows hold a block whose samples span bytes bytes (0
// when two do not).
inline int windows_for(int64_t bytes) { return bytes <= 16 ? 1 : bytes <= 32 ? 2 : 0; }

// The pixels of Bpp bytes at byte offsets at (one per 32-bit lane, each at
// most 32 - Bpp) of the nw (1 or 2) windows w, one per 32-bit lane; of a
// 24-bit pixel the lane's fourth byte is of no use.
template <int Bpp>
inline V pick(const V* w, int nw, V at)
{
    // Each lane's offset repeated in its bytes, plus 0, 1, 2 (and 3).
    const V rep = _mm_or_si128(_mm_or_si128(at, _mm_slli_epi32(at, 8)), _mm_slli_epi32(at, 16));
    const V idx = _mm_add_epi32(Bpp == 4 ? _mm_or_si128(rep, _mm_slli_epi32(at, 24)) : rep,
                                set1(Bpp == 4 ? 0x03020100 : 0x00020100));
    const V r = _mm_shuffle_epi8(w[0], idx);
    if (nw == 1) return r;
    const V second = _mm_cmpgt_epi8(idx, _mm_set1_epi8(15));
    return _mm_or_si128(_mm_andnot_si128(second, r), _mm_and_si128(second, _mm_shuffle_epi8(w[1], idx)));
}

// The byte offsets of the pixels at columns c from a window at byte at.
template <int Bpp>
inline V offsets(V c, int64_t at)
{
    const V bytes = Bpp == 4 ? _mm_slli_epi32(c, 2) : _mm_add_epi32(_mm_slli_epi32(c, 1), c);
    return _mm_sub_epi32(bytes, set1(static_cast<int32_t>(at)));
}

// Stores the colour bytes of four pixels (one per 32-bit lane of v): packed
// as 12 bytes, or into 32-bit pixels whose fourth bytes stay as they are; or
// all four bytes.
template <int DBpp, bool Whole = false>
inline void put(uint8_t* d, V v)
{
    if (DBpp == 3) {
        const V p = _mm_shuffle_epi8(v, _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1));
        _mm_storel_epi64(reinterpret_cast<V*>(d), p);
        const int32_t tail = _mm_cvtsi128_si32(_mm_srli_si128(p, 8));
        std::memcpy(d + 8, &tail, 4);
    } else if (Whole) {
        _mm_storeu_si128(reinterpret_cast<V*>(d), v);
    } else {
        const V colour = set1(0x00ffffff);
        _mm_storeu_si128(reinterpret_cast<V*>(d),
                         _mm_or_si128(_mm_and_si128(v, colour), _mm_andnot_si128(colour, load(d))));
    }
}

// Per byte, the sum of the five vectors divided by 5.
inline V average5(V a, V b, V c, V d, V e)
{
    const V z = _mm_setzero_si128(), k = _mm_set1_epi16(13108);
    const V lo = _mm_add_epi16(_mm_add_epi16(_mm_add_epi16(_mm_unpacklo_epi8(a, z), _mm_unpacklo_epi8(b, z)),
                                             _mm_add_epi16(_mm_unpacklo_epi8(c, z), _mm_unpacklo_epi8(d, z))),
                               _mm_unpacklo_epi8(e, z));
    const V hi = _mm_add_epi16(_mm_add_epi16(_mm_add_epi16(_mm_unpackhi_epi8(a, z), _mm_unpackhi_epi8(b, z)),
                                             _mm_add_epi16(_mm_unpackhi_epi8(c, z), _mm_unpackhi_epi8(d, z))),
                               _mm_unpackhi_epi8(e, z));
    return _mm_packus_epi16(_mm_mulhi_epu16(lo, k), _mm_mulhi_epu16(hi, k));
}

// The five-point averages of the 16 bytes of pixels of Bpp bytes from byte
// at of the rows, right for every pixel with both horizontal neighbours in
// the row; the caller keeps at - Bpp and at + 16 + Bpp within the rows.
inline V averages_at(const SourceRows& s, int64_t at, int bpp)
{
    return average5(load(s.row + at), load(s.row + at - bpp), load(s.row + at + bpp), load(s.above + at),
                    load(s.below + at));
}

// Asks for the line at byte at of the rows the next destination row reads
// (the hints of s, when there are any); at is below the row's length.
inline void fetch_ahead(const SourceRows& s, int64_t at)
{
    if (s.ahead[0] == nullptr) return;
    _mm_prefetch(reinterpret_cast<const char*>(s.ahead[0] + at), _MM_HINT_T0);
    _mm_prefetch(reinterpret_cast<const char*>(s.ahead[1] + at), _MM_HINT_T0);
}

inline bool overlaps_rows(const uint8_t* dst, size_t dst_bytes, const SourceRows& s, size_t row_bytes)
{
    return ranges_overlap(dst, dst_bytes, s.row, row_bytes) || ranges_overlap(dst, dst_bytes, s.above, row_bytes) ||
           ranges_overlap(dst, dst_bytes, s.below, row_bytes);
}

template <int SBpp, int DBpp>
void sample(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n,
            void (*scalar)(uint8_t*, const uint8_t*, const int32_t*, int32_t))
{
    if (n <= 0) return;
    // The row is read from the first column to the last one sampled.
    const int64_t first = SBpp * static_cast<int64_t>(cols[0]);
    const int64_t end = SBpp * static_cast<int64_t>(cols[n - 1]) + SBpp;
    if (end > kMaxRowBytes ||
        ranges_overlap(dst, DBpp * static_cast<size_t>(n), row + first, static_cast<size_t>(end - first))) {
        scalar(dst, row, cols, n);
        return;
    }
    int32_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        const int64_t lo = SBpp * static_cast<int64_t>(cols[i]), hi = SBpp * static_cast<int64_t>(cols[i + kBlock - 1]);
        const int nw = windows_for(hi + SBpp - lo);
        // The window starts at the block's first sample, or earlier so as to end with the row's last one.
        const int64_t at = std::min(lo, end - 16 * nw);
        if (nw == 0 || at < 0) {
            scalar(dst + DBpp * i, row, cols + i, kBlock);
            continue;
        }
        const V c = _mm_loadu_si128(reinterpret_cast<const V*>(cols + i));
        const V w[2] = {load(row + at), nw == 2 ? load(row + at + 16) : c};
        put<DBpp, SBpp == 4>(dst + DBpp * i, pick<SBpp>(w, nw, offsets<SBpp>(c, at)));
    }
    if (i < n) scalar(dst + DBpp * i, row, cols + i, n - i);
}

template <int SBpp, int DBpp>
void smooth(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n,
            void (*scalar)(uint8_t*, const SourceRows&, const int32_t*, int32_t))
{
    if (n <= 0) return;
    const int64_t row_bytes = SBpp * (static_cast<int64_t>(s.last_col) + 1);
    if (row_bytes > kMaxRowBytes || overlaps_rows(dst, DBpp * static_cast<size_t>(n), s, static_cast<size_t>(row_bytes))) {
        scalar(dst, s, cols, n);
        return;
    }
    int32_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        const int64_t lo = SBpp * static_cast<int64_t>(cols[i]), hi = SBpp * static_cast<int64_t>(cols[i + kBlock - 1]);
        const int nw = windows_for(hi + SBpp - lo);
        if (nw == 0 || lo == 0 || lo + 16 * nw + SBpp > row_bytes) {
            scalar(dst + DBpp * i, s, cols + i, kBlock);
            continue;
        }
        // Every pixel of the windows, the block's samples among them, has both neighbours.
        if (i % 16 == 0) fetch_ahead(s, lo);
        const V c = _mm_loadu_si128(reinterpret_cast<const V*>(cols + i));
        const V w[2] = {averages_at(s, lo, SBpp), nw == 2 ? averages_at(s, lo + 16, SBpp) : c};
        put<DBpp, SBpp == 4>(dst + DBpp * i, pick<SBpp>(w, nw, offsets<SBpp>(c, lo)));
    }
    if (i < n) scalar(dst + DBpp * i, s, cols + i, n - i);
}

}  // namespace

void sample_row_24to24(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    sample<3, 3>(dst, row, cols, n, pixmill::sample_row_24to24);
}
void sample_row_24to32(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    sample<3, 4>(dst, row, cols, n, pixmill::sample_row_24to32);
}
void smooth_row_24to24(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n)
{
    smooth<3, 3>(dst, s, cols, n, pixmill::smooth_row_24to24);
}
void smooth_row_24to32(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n)
{
    smooth<3, 4>(dst, s, cols, n, pixmill::smooth_row_24to32);
}
void smooth_row_32to32_whole(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n)
{
    smooth<4, 4>(dst, s, cols, n, pixmill::smooth_row_32to32_whole);
}

}  // namespace pixmill::ssse3

#endif
