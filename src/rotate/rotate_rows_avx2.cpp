// The rotation's offsets in 4 double lanes, its 32-bit copies 8 gathered
// pixels at a time.
#include "rotate/rotate_rows_isa.h"

#if defined(__AVX2__)
#include <immintrin.h>

#include "rotate/rotate_rows_vec.h"

namespace pixmill::avx2 {

void turn_offsets_row(int64_t i, int64_t j0, int32_t count, const Turn& t, int32_t* u, int32_t* v)
{
    turn_offsets_row_v<Pd4>(i, j0, count, t, u, v);
}

void turn_offset_pairs(int64_t a, int64_t b0, int32_t count, const Turn& t, int32_t* u, int32_t* v, int32_t* mu,
                       int32_t* mv)
{
    turn_offset_pairs_v<Pd4>(a, b0, count, t, u, v, mu, mv);
}

// Lanes in destination order: a run to the left takes its offsets reversed
// and stores the 8 pixels ending at the k-th. A lane whose source pixel fails
// its test neither reads nor writes; sa a and sb b are formed as (a ^ m) - m
// with m = 0 or -1.
void copy_run_32(const SourceRead& s, uint8_t* dst, int32_t dir, const int32_t* a, const int32_t* b, int32_t sa,
                 int32_t sb, int32_t n)
{
    int32_t k = 0;
    if (s.index32) {
        const __m256i cx = _mm256_set1_epi32(static_cast<int32_t>(s.cx)), cy = _mm256_set1_epi32(static_cast<int32_t>(s.cy));
        const __m256i max_x = _mm256_set1_epi32(static_cast<int32_t>(s.max_x));
        const __m256i last_row = _mm256_set1_epi32(static_cast<int32_t>(s.rows - 1));
        const __m256i stride = _mm256_set1_epi32(static_cast<int32_t>(s.stride_bytes / 4));
        const __m256i ma = _mm256_set1_epi32(sa < 0 ? -1 : 0), mb = _mm256_set1_epi32(sb < 0 ? -1 : 0);
        const __m256i reverse = _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0);
        const int* top = reinterpret_cast<const int*>(s.top);
        for (; k + 8 <= n; k += 8) {
            __m256i va = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + k));
            __m256i vb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + k));
            if (dir < 0) {
                va = _mm256_permutevar8x32_epi32(va, reverse);
                vb = _mm256_permutevar8x32_epi32(vb, reverse);
            }
            const __m256i x = _mm256_add_epi32(cx, _mm256_sub_epi32(_mm256_xor_si256(va, ma), ma));
            const __m256i y = _mm256_add_epi32(cy, _mm256_sub_epi32(_mm256_xor_si256(vb, mb), mb));
            const __m256i ok = _mm256_and_si256(_mm256_cmpeq_epi32(_mm256_min_epu32(x, max_x), x),
                                                _mm256_cmpeq_epi32(_mm256_min_epu32(y, last_row), y));
            const __m256i index = _mm256_sub_epi32(x, _mm256_mullo_epi32(y, stride));
            const __m256i px = _mm256_mask_i32gather_epi32(_mm256_setzero_si256(), top, index, ok, 4);
            uint8_t* out = dir > 0 ? dst + 4 * static_cast<ptrdiff_t>(k) : dst - 4 * static_cast<ptrdiff_t>(k + 7);
            _mm256_maskstore_epi32(reinterpret_cast<int*>(out), ok, px);
        }
    }
    if (k < n) transfer_run(s, dst + dir * 4 * static_cast<ptrdiff_t>(k), dir, a + k, b + k, sa, sb, n - k, Copy4{});
}

}  // namespace pixmill::avx2
#endif
