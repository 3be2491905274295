// turn_offsets_row and turn_offset_pairs over double lanes, included only by
// the files compiled for one instruction set. Each lane does what turn_offset
// does for one offset, the same IEEE operations in the same order and precision (no fused
// multiply-add: the library is compiled with -ffp-contract=off), so each lane
// gives the scalar bits:
// - i^2 + j^2 is formed in double: below kMaxRowOffset every square and the
//   sum are whole numbers below 2^53, exact, as the scalar 64-bit integer sum
//   converted to double is;
// - the square root, the quotients i / rho and j / rho, the products, the sum
//   and the difference are correctly rounded in lanes as in scalar code, and r
//   is rounded to single precision and back with the same conversions;
// - on the axis (j = 0, i >= 1) rho = i exactly, so i / rho = 1 and
//   j / rho = 0, and the angle-addition forms give r cos a and r sin a, the
//   scalar axis values (a sum or difference with a zero product is exact);
// - the products are far inside the 32-bit range, so truncating them with the
//   lanes' conversion is the clamped scalar truncation.
// The offsets after the last whole vector are turned by the scalar code.
#pragma once

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__AVX2__)
#include <immintrin.h>
#endif

#include "rotate/rotate_rows.h"
#include "rotate/rotate_offset.h"

namespace pixmill {

namespace {

#if defined(__SSE2__)
struct Pd2 {
    using D = __m128d;
    static constexpr int kLanes = 2;
    static D set1(double x) { return _mm_set1_pd(x); }
    static D first_lanes(double x) { return _mm_setr_pd(x, x + 1); }
    static D add(D a, D b) { return _mm_add_pd(a, b); }
    static D sub(D a, D b) { return _mm_sub_pd(a, b); }
    static D mul(D a, D b) { return _mm_mul_pd(a, b); }
    static D div(D a, D b) { return _mm_div_pd(a, b); }
    static D sqrt(D a) { return _mm_sqrt_pd(a); }
    static D through_float(D a) { return _mm_cvtps_pd(_mm_cvtpd_ps(a)); }
    static void store_truncated(int32_t* p, D a) { _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_cvttpd_epi32(a)); }
};
#endif

#if defined(__AVX2__)
struct Pd4 {
    using D = __m256d;
    static constexpr int kLanes = 4;
    static D set1(double x) { return _mm256_set1_pd(x); }
    static D first_lanes(double x) { return _mm256_setr_pd(x, x + 1, x + 2, x + 3); }
    static D add(D a, D b) { return _mm256_add_pd(a, b); }
    static D sub(D a, D b) { return _mm256_sub_pd(a, b); }
    static D mul(D a, D b) { return _mm256_mul_pd(a, b); }
    static D div(D a, D b) { return _mm256_div_pd(a, b); }
    static D sqrt(D a) { return _mm256_sqrt_pd(a); }
    static D through_float(D a) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(a)); }
    static void store_truncated(int32_t* p, D a) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_cvttpd_epi32(a)); }
};
#endif

#if defined(__AVX512F__)
struct Pd8 {
    using D = __m512d;
    static constexpr int kLanes = 8;
    static D set1(double x) { return _mm512_set1_pd(x); }
    static D first_lanes(double x) { return _mm512_add_pd(_mm512_set1_pd(x), _mm512_setr_pd(0, 1, 2, 3, 4, 5, 6, 7)); }
    static D add(D a, D b) { return _mm512_add_pd(a, b); }
    static D sub(D a, D b) { return _mm512_sub_pd(a, b); }
    static D mul(D a, D b) { return _mm512_mul_pd(a, b); }
    static D div(D a, D b) { return _mm512_div_pd(a, b); }
    static D sqrt(D a) { return _mm512_sqrt_pd(a); }
    static D through_float(D a) { return _mm512_cvtps_pd(_mm512_cvtpd_ps(a)); }
    static void store_truncated(int32_t* p, D a)
    {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm512_cvttpd_epi32(a));
    }
};
#endif

template <class V>
void turn_offsets_row_v(int64_t i, int64_t j0, int32_t count, const Turn& t, int32_t* u, int32_t* v)
{
    using D = typename V::D;
    const D cos_a = V::set1(t.cos_a), sin_a = V::set1(t.sin_a), step = V::set1(V::kLanes);
    const D di = V::set1(static_cast<double>(i));
    D j = V::first_lanes(static_cast<double>(j0));
    int32_t k = 0;
    for (; k + V::kLanes <= count; k += V::kLanes) {
        const D rho = V::sqrt(V::add(V::mul(di, di), V::mul(j, j)));
        const D r = V::through_float(rho);
        const D cos0 = V::div(di, rho), sin0 = V::div(j, rho);
        V::store_truncated(u + k, V::mul(r, V::sub(V::mul(cos0, cos_a), V::mul(sin0, sin_a))));
        V::store_truncated(v + k, V::mul(r, V::add(V::mul(sin0, cos_a), V::mul(cos0, sin_a))));
        j = V::add(j, step);
    }
    turn_offsets_row(i, j0 + k, count - k, t, u + k, v + k);
}

// For offset (a, b) c = a / rho and s = b / rho are its cosine and sine; for
// the mirror image (b, a) they are the sine and cosine, and the length is the
// same double, so the four products serve both.
template <class V>
void turn_offset_pairs_v(int64_t a, int64_t b0, int32_t count, const Turn& t, int32_t* u, int32_t* v, int32_t* mu,
                         int32_t* mv)
{
    using D = typename V::D;
    const D cos_a = V::set1(t.cos_a), sin_a = V::set1(t.sin_a), step = V::set1(V::kLanes);
    const D da = V::set1(static_cast<double>(a));
    D b = V::first_lanes(static_cast<double>(b0));
    int32_t k = 0;
    for (; k + V::kLanes <= count; k += V::kLanes) {
        const D rho = V::sqrt(V::add(V::mul(da, da), V::mul(b, b)));
        const D r = V::through_float(rho);
        const D c = V::div(da, rho), s = V::div(b, rho);
        const D cc = V::mul(c, cos_a), ss = V::mul(s, sin_a), sc = V::mul(s, cos_a), cs = V::mul(c, sin_a);
        V::store_truncated(u + k, V::mul(r, V::sub(cc, ss)));
        V::store_truncated(v + k, V::mul(r, V::add(sc, cs)));
        V::store_truncated(mu + k, V::mul(r, V::sub(sc, cs)));
        V::store_truncated(mv + k, V::mul(r, V::add(cc, ss)));
        b = V::add(b, step);
    }
    turn_offset_pairs(a, b0 + k, count - k, t, u + k, v + k, mu + k, mv + k);
}

}  // namespace

}  // namespace pixmill
