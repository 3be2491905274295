// The rotation's offsets in 8 double lanes, its 32-bit copies 16 gathered
// pixels at a time.
#include "rotate/rotate_rows_isa.h"

#if defined(__AVX512F__)
#include <immintrin.h>

#include "rotate/rotate_rows_vec.h"

namespace pixmill::avx512 {

void turn_offsets_row(int64_t i, int64_t j0, int32_t count, const Turn& t, int32_t* u, int32_t* v)
{
    turn_offsets_row_v<Pd8>(i, j0, count, t, u, v);
}

void turn_offset_pairs(int64_t a, int64_t b0, int32_t count, const Turn& t, int32_t* u, int32_t* v, int32_t* mu,
                       int32_t* mv)
{
    turn_offset_pairs_v<Pd8>(a, b0, count, t, u, v, mu, mv);
}

// As the AVX2 version, with 16 lanes and mask registers.
void copy_run_32(const SourceRead& s, uint8_t* dst, int32_t dir, const int32_t* a, const int32_t* b, int32_t sa,
                 int32_t sb, int32_t n)
{
    int32_t k = 0;
    if (s.index32) {
        const __m512i cx = _mm512_set1_epi32(static_cast<int32_t>(s.cx)), cy = _mm512_set1_epi32(static_cast<int32_t>(s.cy));
        const __m512i max_x = _mm512_set1_epi32(static_cast<int32_t>(s.max_x));
        const __m512i rows = _mm512_set1_epi32(static_cast<int32_t>(s.rows));
        const __m512i stride = _mm512_set1_epi32(static_cast<int32_t>(s.stride_bytes / 4));
        const __m512i ma = _mm512_set1_epi32(sa < 0 ? -1 : 0), mb = _mm512_set1_epi32(sb < 0 ? -1 : 0);
        const __m512i reverse = _mm512_setr_epi32(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0);
        for (; k + 16 <= n; k += 16) {
            __m512i va = _mm512_loadu_si512(a + k), vb = _mm512_loadu_si512(b + k);
            if (dir < 0) {
                va = _mm512_permutexvar_epi32(reverse, va);
                vb = _mm512_permutexvar_epi32(reverse, vb);
            }
            const __m512i x = _mm512_add_epi32(cx, _mm512_sub_epi32(_mm512_xor_si512(va, ma), ma));
            const __m512i y = _mm512_add_epi32(cy, _mm512_sub_epi32(_mm512_xor_si512(vb, mb), mb));
            const __mmask16 ok = _mm512_cmple_epu32_mask(x, max_x) & _mm512_cmplt_epu32_mask(y, rows);
            const __m512i index = _mm512_sub_epi32(x, _mm512_mullo_epi32(y, stride));
            const __m512i px = _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), ok, index, s.top, 4);
            uint8_t* out = dir > 0 ? dst + 4 * static_cast<ptrdiff_t>(k) : dst - 4 * static_cast<ptrdiff_t>(k + 15);
            _mm512_mask_storeu_epi32(out, ok, px);
        }
    }
    if (k < n) transfer_run(s, dst + dir * 4 * static_cast<ptrdiff_t>(k), dir, a + k, b + k, sa, sb, n - k, Copy4{});
}

}  // namespace pixmill::avx512
#endif
