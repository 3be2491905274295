// turn_offsets_row over double lanes, included only by the files compiled for
// one instruction set. Each lane does what turn_offset does for one offset,
// the same IEEE operations in the same order and precision (no fused
// multiply-add: the library is compiled with -ffp-contract=off), so each lane
// gives the scalar bits:
// - i^2 + j^2 is formed in double: below kMaxRowOffset every square and the
//   sum are whole numbers below 2^53, exact, as the scalar 64-bit integer sum
//   converted to double is;
// - the square root, the quotients i / rho and j / rho, the products, the sum
//   and the difference are correctly rounded in lanes as in scalar code, and r
//   is rounded to single precision and back with the same conversions;
// - on the axis (j = 0) rho = i exactly, so i / rho = 1 and j / rho = 0, and
//   the angle-addition forms give r cos a and r sin a, the scalar axis values;
// - the products are far inside the 32-bit range, so truncating them with the
//   lanes' conversion is the clamped scalar truncation.
// The offsets after the last whole vector are turned by the scalar code.
// In a run along i every lane holds an i >= 1 as well.
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

// Offsets (i, j) for i = i0 + k (kAlongI) or j = j0 + k, k < count: one lane
// per k, the other index the same in every lane.
template <class V, bool kAlongI>
void turn_offsets_v(int64_t i0, int64_t j0, int32_t count, const Turn& t, int32_t* u, int32_t* v)
{
    using D = typename V::D;
    const D cos_a = V::set1(t.cos_a), sin_a = V::set1(t.sin_a), step = V::set1(V::kLanes);
    D i = kAlongI ? V::first_lanes(static_cast<double>(i0)) : V::set1(static_cast<double>(i0));
    D j = kAlongI ? V::set1(static_cast<double>(j0)) : V::first_lanes(static_cast<double>(j0));
    int32_t k = 0;
    for (; k + V::kLanes <= count; k += V::kLanes) {
        const D rho = V::sqrt(V::add(V::mul(i, i), V::mul(j, j)));
        const D r = V::through_float(rho);
        const D cos0 = V::div(i, rho), sin0 = V::div(j, rho);
        V::store_truncated(u + k, V::mul(r, V::sub(V::mul(cos0, cos_a), V::mul(sin0, sin_a))));
        V::store_truncated(v + k, V::mul(r, V::add(V::mul(sin0, cos_a), V::mul(cos0, sin_a))));
        if (kAlongI)
            i = V::add(i, step);
        else
            j = V::add(j, step);
    }
    if (kAlongI)
        turn_offsets_column(i0 + k, j0, count - k, t, u + k, v + k);
    else
        turn_offsets_row(i0, j0 + k, count - k, t, u + k, v + k);
}

}  // namespace

}  // namespace pixmill
