// Scaled-copy row kernels over 64-byte AVX-512 vectors, sixteen destination
// pixels at a time. The source columns of sixteen neighbouring destination
// pixels lie close together unless the copy shrinks a lot, so each block
// loads one 128-byte window of every source row it reads (from the leftmost
// column any of its pixels uses) and picks its samples out of the window with
// byte or 32-bit permutes, indexed by the columns' distances from the window's
// start. A block whose columns spread wider than the window takes a gather
// (32-bit pixels) or the scalar kernel (24-bit pixels).
//
// Nothing outside the source row is read: a window that would reach past the
// last byte the row's pixels can use is loaded with a mask that stops there,
// and masked-off bytes are never fetched. Destination bytes are written with
// exact stores: sixteen 24-bit pixels as 32 + 16 bytes; sixteen 32-bit pixels
// whole, their fourth bytes written back unchanged where the rule keeps them.
//
// The five-point sums are at most 5 x 255 = 1275 and are divided by 5 as
// (x * 13108) >> 16 in 16-bit lanes. That is exact for x < 16384: write
// x = 5q + r with r in 0..4; 13108 = (65536 + 4) / 5, so
// x * 13108 / 65536 = q + (r + 4x / 65536) / 5, and r + 4x / 65536 < 4 + 1
// keeps the floor at q.
#include "stretch/stretch_rows_isa.h"

#if defined(__AVX512F__) && defined(__AVX512BW__) && defined(__AVX512VL__) && defined(__AVX512VBMI__)
#include <immintrin.h>

#include <algorithm>
#include <cstddef>

#include "frame/vec_x86.h"

namespace pixmill::avx512 {

namespace {

using V = __m512i;

constexpr int32_t kBlock = 16;  // destination pixels per vector step

// 0, 1, ..., 63.
alignas(64) constexpr uint8_t kIota[64] = {
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
    22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43,
    44, 45, 46, 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62, 63};
// Byte p of sixteen 24-bit pixels belongs to pixel p / 3 and is its byte p % 3.
alignas(64) constexpr uint8_t kPixelOf3[64] = {
    0,  0,  0,  1,  1,  1,  2,  2,  2,  3,  3,  3,  4,  4,  4,  5,  5,  5,  6,  6,  6,  7,
    7,  7,  8,  8,  8,  9,  9,  9,  10, 10, 10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14,
    14, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15, 15};
alignas(64) constexpr uint8_t kByteOf3[64] = {
    0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1,
    2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};

// Byte q of sixteen 32-bit pixels takes byte 3 (q / 4) + q % 4 of the same
// pixels packed as 24-bit ones (the fourth byte of each is not used).
alignas(64) constexpr uint8_t kSpread3To4[64] = {
    0, 1, 2, 0, 3, 4, 5, 0, 6, 7, 8, 0, 9, 10, 11, 0, 12, 13, 14, 0, 15, 16, 17, 0, 18, 19, 20, 0, 21, 22, 23, 0,
    24, 25, 26, 0, 27, 28, 29, 0, 30, 31, 32, 0, 33, 34, 35, 0, 36, 37, 38, 0, 39, 40, 41, 0, 42, 43, 44, 0, 45, 46, 47, 0};

inline V load(const void* p) { return _mm512_loadu_si512(p); }
inline V set1(int32_t v) { return _mm512_set1_epi32(v); }

// The 128 bytes of a source row from p on, of which only the first avail
// (at least 1) belong to the row: the rest are not read and come out 0.
struct Window {
    V lo, hi;
};

inline Window window(const uint8_t* p, ptrdiff_t avail)
{
    if (avail >= 128) return {load(p), load(p + 64)};
    const V iota = load(kIota);
    const int a = static_cast<int>(avail);
    const V lo = _mm512_maskz_loadu_epi8(_mm512_cmplt_epu8_mask(iota, _mm512_set1_epi8(static_cast<char>(std::min(a, 64)))), p);
    if (a <= 64) return {lo, _mm512_setzero_si512()};
    return {lo, _mm512_maskz_loadu_epi8(_mm512_cmplt_epu8_mask(iota, _mm512_set1_epi8(static_cast<char>(a - 64))), p + 64)};
}

// Bytes of the window at the 64 byte indices idx (each below 128).
inline V pick8(const Window& w, V idx) { return _mm512_permutex2var_epi8(w.lo, idx, w.hi); }
// 32-bit words of the window at the 16 word indices idx (each below 32).
inline V pick32(const Window& w, V idx) { return _mm512_permutex2var_epi32(w.lo, idx, w.hi); }

// The byte indices of sixteen 24-bit pixels whose columns lie dist (16
// words, each 0..41) pixels into a window: 3 x dist + k for byte k.
inline V byte_index24(V dist)
{
    const V x3 = _mm512_add_epi32(_mm512_slli_epi32(dist, 1), dist);
    const V bytes = _mm512_zextsi128_si512(_mm512_cvtepi32_epi8(x3));
    return _mm512_add_epi8(_mm512_permutexvar_epi8(load(kPixelOf3), bytes), load(kByteOf3));
}

inline V widen_lo(V t) { return _mm512_cvtepu8_epi16(_mm512_castsi512_si256(t)); }
inline V widen_hi(V t) { return _mm512_cvtepu8_epi16(_mm512_extracti64x4_epi64(t, 1)); }

// Bytes 32..47 of t in 16-bit lanes.
inline __m256i widen_third(V t) { return _mm256_cvtepu8_epi16(_mm512_extracti32x4_epi32(t, 2)); }

// The five-term sums of 32 (or 16) bytes in 16-bit lanes divided by 5, as bytes.
inline __m256i fifth(V sum) { return _mm512_cvtepi16_epi8(_mm512_mulhi_epu16(sum, _mm512_set1_epi16(13108))); }
inline __m128i fifth(__m256i sum) { return _mm256_cvtepi16_epi8(_mm256_mulhi_epu16(sum, _mm256_set1_epi16(13108))); }

inline V sum5(V a, V b, V c, V d, V e)
{
    return _mm512_add_epi16(_mm512_add_epi16(_mm512_add_epi16(a, b), _mm512_add_epi16(c, d)), e);
}
inline __m256i sum5(__m256i a, __m256i b, __m256i c, __m256i d, __m256i e)
{
    return _mm256_add_epi16(_mm256_add_epi16(_mm256_add_epi16(a, b), _mm256_add_epi16(c, d)), e);
}

// Stores the first 48 bytes of v at d.
inline void store48(uint8_t* d, V v)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(d), _mm512_castsi512_si256(v));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + 32), _mm512_extracti32x4_epi32(v, 2));
}

// The columns of a block's left and right neighbours: c - 1 except at column
// 0, c + 1 except at the last column, where the sample stands in.
inline V left_of(V c) { return _mm512_max_epi32(_mm512_sub_epi32(c, set1(1)), _mm512_setzero_si512()); }
inline V right_of(V c, V last) { return _mm512_min_epi32(_mm512_add_epi32(c, set1(1)), last); }

// Whether dst's n pixels share a byte with any of the source rows (each
// row_bytes long from its start).
inline bool overlaps_rows(const uint8_t* dst, size_t dst_bytes, const SourceRows& s, size_t row_bytes)
{
    return ranges_overlap(dst, dst_bytes, s.row, row_bytes) || ranges_overlap(dst, dst_bytes, s.above, row_bytes) ||
           ranges_overlap(dst, dst_bytes, s.below, row_bytes);
}

// Asks for the line at byte at of the rows the next destination row reads
// (the hints of s, when there are any), so that they arrive while this row is
// worked out; one line per block (a second one measured slower). at is below
// the row's length, so the addresses stay on the rows.
inline void fetch_ahead(const SourceRows& s, ptrdiff_t at)
{
    if (s.ahead[0] == nullptr) return;
    _mm_prefetch(reinterpret_cast<const char*>(s.ahead[0] + at), _MM_HINT_T0);
    _mm_prefetch(reinterpret_cast<const char*>(s.ahead[1] + at), _MM_HINT_T0);
}

// Stores sixteen pixels whose colour bytes are the first 48 bytes of v (a
// 24-bit destination), or the colour bytes of 32-bit pixels whose fourth
// bytes stay as they are (written back with their own value).
template <int DBpp>
inline void put_colours(uint8_t* d, V v)
{
    if (DBpp == 3) {
        store48(d, v);
    } else {
        const V spread = _mm512_permutexvar_epi8(load(kSpread3To4), v);
        _mm512_storeu_si512(d, _mm512_mask_blend_epi8(0x7777777777777777ull, load(d), spread));
    }
}

// The widest spread of a block's columns (last minus first) that still fits
// a 128-byte window: 3 x 41 + 2 = 125 for 24-bit pixels, 31 for 32-bit ones.
constexpr int32_t kSpread24 = 41;
constexpr int32_t kSpread32 = 31;

}  // namespace

namespace {

template <int DBpp>
void sample_24(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n,
               void (*scalar)(uint8_t*, const uint8_t*, const int32_t*, int32_t))
{
    if (n <= 0) return;
    // The row is read from the first column to the last one sampled.
    const ptrdiff_t first = 3 * static_cast<ptrdiff_t>(cols[0]);
    const ptrdiff_t end = 3 * static_cast<ptrdiff_t>(cols[n - 1]) + 3;
    if (ranges_overlap(dst, DBpp * static_cast<size_t>(n), row + first, static_cast<size_t>(end - first))) {
        scalar(dst, row, cols, n);
        return;
    }
    int32_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        const int32_t base = cols[i];
        if (cols[i + kBlock - 1] - base > kSpread24) {
            scalar(dst + DBpp * i, row, cols + i, kBlock);
            continue;
        }
        const ptrdiff_t at = 3 * static_cast<ptrdiff_t>(base);
        const V idx = byte_index24(_mm512_sub_epi32(load(cols + i), set1(base)));
        put_colours<DBpp>(dst + DBpp * i, pick8(window(row + at, end - at), idx));
    }
    if (i < n) scalar(dst + DBpp * i, row, cols + i, n - i);
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

void sample_row_32to32_whole(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    if (n <= 0) return;
    const ptrdiff_t first = 4 * static_cast<ptrdiff_t>(cols[0]);
    const ptrdiff_t end = 4 * static_cast<ptrdiff_t>(cols[n - 1]) + 4;
    if (ranges_overlap(dst, 4 * static_cast<size_t>(n), row + first, static_cast<size_t>(end - first))) {
        pixmill::sample_row_32to32_whole(dst, row, cols, n);
        return;
    }
    for (int32_t i = 0; i < n; i += kBlock) {
        // The last block may be short: its missing lanes are masked off.
        const int32_t k = std::min(kBlock, n - i);
        const __mmask16 m = static_cast<__mmask16>((1u << k) - 1u);
        const V c = _mm512_maskz_loadu_epi32(m, cols + i);
        const int32_t base = cols[i];
        V v;
        if (cols[i + k - 1] - base <= kSpread32) {
            const ptrdiff_t at = 4 * static_cast<ptrdiff_t>(base);
            v = pick32(window(row + at, end - at), _mm512_sub_epi32(c, set1(base)));
        } else {
            v = _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), m, c, row, 4);
        }
        _mm512_mask_storeu_epi32(dst + 4 * static_cast<ptrdiff_t>(i), m, v);
    }
}

namespace {

template <int DBpp>
void smooth_24(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n,
               void (*scalar)(uint8_t*, const SourceRows&, const int32_t*, int32_t))
{
    if (n <= 0) return;
    const ptrdiff_t row_bytes = 3 * (static_cast<ptrdiff_t>(s.last_col) + 1);
    if (overlaps_rows(dst, DBpp * static_cast<size_t>(n), s, static_cast<size_t>(row_bytes))) {
        scalar(dst, s, cols, n);
        return;
    }
    const V last = set1(s.last_col);
    int32_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        const int32_t base = std::max(cols[i] - 1, 0);
        if (std::min(cols[i + kBlock - 1] + 1, s.last_col) - base > kSpread24) {
            scalar(dst + DBpp * i, s, cols + i, kBlock);
            continue;
        }
        const V c = load(cols + i), b = set1(base);
        const V ic = byte_index24(_mm512_sub_epi32(c, b));
        V il, ir;
        if (cols[i] > 0 && cols[i + kBlock - 1] < s.last_col) {
            // No pixel of the block at an edge: the neighbours are 3 bytes either side.
            il = _mm512_sub_epi8(ic, _mm512_set1_epi8(3));
            ir = _mm512_add_epi8(ic, _mm512_set1_epi8(3));
        } else {
            il = byte_index24(_mm512_sub_epi32(left_of(c), b));
            ir = byte_index24(_mm512_sub_epi32(right_of(c, last), b));
        }
        const ptrdiff_t at = 3 * static_cast<ptrdiff_t>(base), avail = row_bytes - at;
        fetch_ahead(s, at);
        const Window w = window(s.row + at, avail);
        const V t0 = pick8(w, ic), t1 = pick8(w, il), t2 = pick8(w, ir);
        const V t3 = pick8(window(s.above + at, avail), ic), t4 = pick8(window(s.below + at, avail), ic);
        // Bytes 0..31 in 32 16-bit lanes, bytes 32..47 in 16 more.
        const V lo = sum5(widen_lo(t0), widen_lo(t1), widen_lo(t2), widen_lo(t3), widen_lo(t4));
        const __m256i hi = sum5(widen_third(t0), widen_third(t1), widen_third(t2), widen_third(t3), widen_third(t4));
        if (DBpp == 3) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + 3 * i), fifth(lo));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + 3 * i + 32), fifth(hi));
        } else {
            put_colours<DBpp>(dst + DBpp * i, _mm512_inserti32x4(_mm512_castsi256_si512(fifth(lo)), fifth(hi), 2));
        }
    }
    if (i < n) scalar(dst + DBpp * i, s, cols + i, n - i);
}

}  // namespace

void smooth_row_24to24(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n)
{
    smooth_24<3>(dst, s, cols, n, pixmill::smooth_row_24to24);
}

void smooth_row_24to32(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n)
{
    smooth_24<4>(dst, s, cols, n, pixmill::smooth_row_24to32);
}

void smooth_row_32to32_whole(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n)
{
    if (n <= 0) return;
    const ptrdiff_t row_bytes = 4 * (static_cast<ptrdiff_t>(s.last_col) + 1);
    if (overlaps_rows(dst, 4 * static_cast<size_t>(n), s, static_cast<size_t>(row_bytes))) {
        pixmill::smooth_row_32to32_whole(dst, s, cols, n);
        return;
    }
    const V last = set1(s.last_col);
    int32_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        const int32_t base = std::max(cols[i] - 1, 0);
        if (std::min(cols[i + kBlock - 1] + 1, s.last_col) - base > kSpread32) {
            pixmill::smooth_row_32to32_whole(dst + 4 * i, s, cols + i, kBlock);
            continue;
        }
        const V c = load(cols + i), b = set1(base);
        const V ic = _mm512_sub_epi32(c, b);
        const V il = _mm512_sub_epi32(left_of(c), b);
        const V ir = _mm512_sub_epi32(right_of(c, last), b);
        const ptrdiff_t at = 4 * static_cast<ptrdiff_t>(base), avail = row_bytes - at;
        fetch_ahead(s, at);
        const Window w = window(s.row + at, avail);
        const V t0 = pick32(w, ic), t1 = pick32(w, il), t2 = pick32(w, ir);
        const V t3 = pick32(window(s.above + at, avail), ic), t4 = pick32(window(s.below + at, avail), ic);
        const V lo = sum5(widen_lo(t0), widen_lo(t1), widen_lo(t2), widen_lo(t3), widen_lo(t4));
        const V hi = sum5(widen_hi(t0), widen_hi(t1), widen_hi(t2), widen_hi(t3), widen_hi(t4));
        _mm512_storeu_si512(dst + 4 * static_cast<ptrdiff_t>(i),
                            _mm512_inserti64x4(_mm512_castsi256_si512(fifth(lo)), fifth(hi), 1));
    }
    if (i < n) pixmill::smooth_row_32to32_whole(dst + 4 * i, s, cols + i, n - i);
}

}  // namespace pixmill::avx512

#endif
