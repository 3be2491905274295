// Lane operations for the vector hue, lightness, saturation kernel, one struct
// per instruction set, so one kernel template serves them all. Each struct has
// kLanes pixels in an integer vector I (one 32-bit lane per pixel) and in a
// single-precision vector F, and half of them in a double-precision vector D;
// the lo_d / hi_d conversions take the lower or upper half of the lanes into
// doubles. M is a comparison result over the kLanes lanes, DM the same over
// one half, for D.
//
// Included only by the files compiled for one instruction set; everything is
// in an unnamed namespace so each file gets its own copy (as in
// frame/vec_x86.h). The arithmetic is plain IEEE: every add, subtract,
// multiply, divide and conversion rounds exactly as the scalar operation of
// the same precision does (no fused multiply-add is used).
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__AVX2__)
#include <immintrin.h>
#endif

namespace pixmill {
namespace {

#if defined(__SSE2__)

struct HlsSse2 {
    static constexpr int kLanes = 4;
    using I = __m128i;
    using F = __m128;
    using D = __m128d;
    using M = __m128i;  // all-ones lanes where true
    using DM = __m128d;

    static I load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
    static void store(uint8_t* p, I v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }

    static I set1(int32_t v) { return _mm_set1_epi32(v); }
    static I add(I a, I b) { return _mm_add_epi32(a, b); }
    static I sub(I a, I b) { return _mm_sub_epi32(a, b); }
    static I and_(I a, I b) { return _mm_and_si128(a, b); }
    static I or_(I a, I b) { return _mm_or_si128(a, b); }
    template <int n> static I srli(I a) { return _mm_srli_epi32(a, n); }
    template <int n> static I slli(I a) { return _mm_slli_epi32(a, n); }
    static I max_u8(I a, I b) { return _mm_max_epu8(a, b); }
    static I min_u8(I a, I b) { return _mm_min_epu8(a, b); }
    // For lanes holding -32768..32767: the 16-bit forms see each such value
    // as a sign-extended pair of halves and order the pairs as the values.
    static I min_small(I a, I b) { return _mm_min_epi16(a, b); }
    static I max_small(I a, I b) { return _mm_max_epi16(a, b); }
    static M eq(I a, I b) { return _mm_cmpeq_epi32(a, b); }
    static M gt(I a, I b) { return _mm_cmpgt_epi32(a, b); }
    static I select(M m, I t, I f) { return _mm_or_si128(_mm_and_si128(m, t), _mm_andnot_si128(m, f)); }

    static F setf(float v) { return _mm_set1_ps(v); }
    static F to_f(I a) { return _mm_cvtepi32_ps(a); }
    static I trunc_f(F a) { return _mm_cvttps_epi32(a); }
    static F add_f(F a, F b) { return _mm_add_ps(a, b); }
    static F sub_f(F a, F b) { return _mm_sub_ps(a, b); }
    static F mul_f(F a, F b) { return _mm_mul_ps(a, b); }
    static F div_f(F a, F b) { return _mm_div_ps(a, b); }
    static F select_f(M m, F t, F f)
    {
        const F mf = _mm_castsi128_ps(m);
        return _mm_or_ps(_mm_and_ps(mf, t), _mm_andnot_ps(mf, f));
    }

    static D setd(double v) { return _mm_set1_pd(v); }
    static D lo_d(I a) { return _mm_cvtepi32_pd(a); }
    static D hi_d(I a) { return _mm_cvtepi32_pd(_mm_unpackhi_epi64(a, a)); }
    static D lo_d(F a) { return _mm_cvtps_pd(a); }
    static D hi_d(F a) { return _mm_cvtps_pd(_mm_movehl_ps(a, a)); }
    static D round_f(D a) { return _mm_cvtps_pd(_mm_cvtpd_ps(a)); }  // through single precision
    static D add_d(D a, D b) { return _mm_add_pd(a, b); }
    static D sub_d(D a, D b) { return _mm_sub_pd(a, b); }
    static D mul_d(D a, D b) { return _mm_mul_pd(a, b); }
    static D div_d(D a, D b) { return _mm_div_pd(a, b); }
    static D min_d(D a, D b) { return _mm_min_pd(a, b); }
    static D max_d(D a, D b) { return _mm_max_pd(a, b); }
    static DM dmask_lo(M m) { return _mm_castsi128_pd(_mm_unpacklo_epi32(m, m)); }
    static DM dmask_hi(M m) { return _mm_castsi128_pd(_mm_unpackhi_epi32(m, m)); }
    static D select_d(DM m, D t, D f) { return _mm_or_pd(_mm_and_pd(m, t), _mm_andnot_pd(m, f)); }
    static I trunc_join(D lo, D hi) { return _mm_unpacklo_epi64(_mm_cvttpd_epi32(lo), _mm_cvttpd_epi32(hi)); }
};

#endif

#if defined(__AVX2__)

struct HlsAvx2 {
    static constexpr int kLanes = 8;
    using I = __m256i;
    using F = __m256;
    using D = __m256d;
    using M = __m256i;
    using DM = __m256d;

    static I load(const uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
    static void store(uint8_t* p, I v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }

    static I set1(int32_t v) { return _mm256_set1_epi32(v); }
    static I add(I a, I b) { return _mm256_add_epi32(a, b); }
    static I sub(I a, I b) { return _mm256_sub_epi32(a, b); }
    static I and_(I a, I b) { return _mm256_and_si256(a, b); }
    static I or_(I a, I b) { return _mm256_or_si256(a, b); }
    template <int n> static I srli(I a) { return _mm256_srli_epi32(a, n); }
    template <int n> static I slli(I a) { return _mm256_slli_epi32(a, n); }
    static I max_u8(I a, I b) { return _mm256_max_epu8(a, b); }
    static I min_u8(I a, I b) { return _mm256_min_epu8(a, b); }
    static I min_small(I a, I b) { return _mm256_min_epi32(a, b); }
    static I max_small(I a, I b) { return _mm256_max_epi32(a, b); }
    static M eq(I a, I b) { return _mm256_cmpeq_epi32(a, b); }
    static M gt(I a, I b) { return _mm256_cmpgt_epi32(a, b); }
    static I select(M m, I t, I f) { return _mm256_blendv_epi8(f, t, m); }

    static F setf(float v) { return _mm256_set1_ps(v); }
    static F to_f(I a) { return _mm256_cvtepi32_ps(a); }
    static I trunc_f(F a) { return _mm256_cvttps_epi32(a); }
    static F add_f(F a, F b) { return _mm256_add_ps(a, b); }
    static F sub_f(F a, F b) { return _mm256_sub_ps(a, b); }
    static F mul_f(F a, F b) { return _mm256_mul_ps(a, b); }
    static F div_f(F a, F b) { return _mm256_div_ps(a, b); }
    static F select_f(M m, F t, F f) { return _mm256_blendv_ps(f, t, _mm256_castsi256_ps(m)); }

    static D setd(double v) { return _mm256_set1_pd(v); }
    static D lo_d(I a) { return _mm256_cvtepi32_pd(_mm256_castsi256_si128(a)); }
    static D hi_d(I a) { return _mm256_cvtepi32_pd(_mm256_extracti128_si256(a, 1)); }
    static D lo_d(F a) { return _mm256_cvtps_pd(_mm256_castps256_ps128(a)); }
    static D hi_d(F a) { return _mm256_cvtps_pd(_mm256_extractf128_ps(a, 1)); }
    static D round_f(D a) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(a)); }
    static D add_d(D a, D b) { return _mm256_add_pd(a, b); }
    static D sub_d(D a, D b) { return _mm256_sub_pd(a, b); }
    static D mul_d(D a, D b) { return _mm256_mul_pd(a, b); }
    static D div_d(D a, D b) { return _mm256_div_pd(a, b); }
    static D min_d(D a, D b) { return _mm256_min_pd(a, b); }
    static D max_d(D a, D b) { return _mm256_max_pd(a, b); }
    static DM dmask_lo(M m) { return _mm256_castsi256_pd(_mm256_cvtepi32_epi64(_mm256_castsi256_si128(m))); }
    static DM dmask_hi(M m) { return _mm256_castsi256_pd(_mm256_cvtepi32_epi64(_mm256_extracti128_si256(m, 1))); }
    static D select_d(DM m, D t, D f) { return _mm256_blendv_pd(f, t, m); }
    static I trunc_join(D lo, D hi)
    {
        return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm256_cvttpd_epi32(lo)), _mm256_cvttpd_epi32(hi), 1);
    }
};

#endif

#if defined(__AVX512F__) && defined(__AVX512BW__)

struct HlsAvx512 {
    static constexpr int kLanes = 16;
    using I = __m512i;
    using F = __m512;
    using D = __m512d;
    using M = __mmask16;
    using DM = __mmask8;

    static I load(const uint8_t* p) { return _mm512_loadu_si512(p); }
    static void store(uint8_t* p, I v) { _mm512_storeu_si512(p, v); }

    static I set1(int32_t v) { return _mm512_set1_epi32(v); }
    static I add(I a, I b) { return _mm512_add_epi32(a, b); }
    static I sub(I a, I b) { return _mm512_sub_epi32(a, b); }
    static I and_(I a, I b) { return _mm512_and_si512(a, b); }
    static I or_(I a, I b) { return _mm512_or_si512(a, b); }
    template <int n> static I srli(I a) { return _mm512_srli_epi32(a, n); }
    template <int n> static I slli(I a) { return _mm512_slli_epi32(a, n); }
    static I max_u8(I a, I b) { return _mm512_max_epu8(a, b); }
    static I min_u8(I a, I b) { return _mm512_min_epu8(a, b); }
    static I min_small(I a, I b) { return _mm512_min_epi32(a, b); }
    static I max_small(I a, I b) { return _mm512_max_epi32(a, b); }
    static M eq(I a, I b) { return _mm512_cmpeq_epi32_mask(a, b); }
    static M gt(I a, I b) { return _mm512_cmpgt_epi32_mask(a, b); }
    static I select(M m, I t, I f) { return _mm512_mask_blend_epi32(m, f, t); }

    static F setf(float v) { return _mm512_set1_ps(v); }
    static F to_f(I a) { return _mm512_cvtepi32_ps(a); }
    static I trunc_f(F a) { return _mm512_cvttps_epi32(a); }
    static F add_f(F a, F b) { return _mm512_add_ps(a, b); }
    static F sub_f(F a, F b) { return _mm512_sub_ps(a, b); }
    static F mul_f(F a, F b) { return _mm512_mul_ps(a, b); }
    static F div_f(F a, F b) { return _mm512_div_ps(a, b); }
    static F select_f(M m, F t, F f) { return _mm512_mask_blend_ps(m, f, t); }

    static D setd(double v) { return _mm512_set1_pd(v); }
    static D lo_d(I a) { return _mm512_cvtepi32_pd(_mm512_castsi512_si256(a)); }
    static D hi_d(I a) { return _mm512_cvtepi32_pd(_mm512_extracti64x4_epi64(a, 1)); }
    static D lo_d(F a) { return _mm512_cvtps_pd(_mm512_castps512_ps256(a)); }
    static D hi_d(F a) { return _mm512_cvtps_pd(_mm256_castpd_ps(_mm512_extractf64x4_pd(_mm512_castps_pd(a), 1))); }
    static D round_f(D a) { return _mm512_cvtps_pd(_mm512_cvtpd_ps(a)); }
    static D add_d(D a, D b) { return _mm512_add_pd(a, b); }
    static D sub_d(D a, D b) { return _mm512_sub_pd(a, b); }
    static D mul_d(D a, D b) { return _mm512_mul_pd(a, b); }
    static D div_d(D a, D b) { return _mm512_div_pd(a, b); }
    static D min_d(D a, D b) { return _mm512_min_pd(a, b); }
    static D max_d(D a, D b) { return _mm512_max_pd(a, b); }
    static DM dmask_lo(M m) { return static_cast<DM>(m & 0xFF); }
    static DM dmask_hi(M m) { return static_cast<DM>(m >> 8); }
    static D select_d(DM m, D t, D f) { return _mm512_mask_blend_pd(m, f, t); }
    static I trunc_join(D lo, D hi)
    {
        return _mm512_inserti64x4(_mm512_castsi256_si512(_mm512_cvttpd_epi32(lo)), _mm512_cvttpd_epi32(hi), 1);
    }
};

#endif

}  // namespace
}  // namespace pixmill
