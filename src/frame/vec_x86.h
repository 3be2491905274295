// The vector vocabulary of the row kernels, included only by code compiled for
// one instruction-set level (frame/level.cpp, built once per level). Everything
// here lands in that level's own namespace (PIXMILL_LVL, e.g. lvl_avx2), so an
// inline function compiled with one level's instructions can never be taken by
// the linker for another level's, or for the baseline's.
//
// Sse2, Ssse3, Avx2 and Avx512 offer the same operations over 16, 32 and 64
// bytes, so one kernel template serves all of them; a kernel asks kShuffles
// (byte shuffles within 16-byte lanes) or kPermutes (byte permutes across the
// whole vector) where a level needs another algorithm. Loads and stores are unaligned; kernels only ever
// touch whole vectors inside the row and hand the rest to the scalar kernel.
// A vector kernel may store a byte it leaves as it was (a key pixel, an alpha
// byte the operation does not change) back with its own value: the bytes
// after the call are the scalar kernel's, and no other call may touch a
// surface while one writes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__SSSE3__)
#include <tmmintrin.h>
#endif
#if defined(__AVX2__)
#include <immintrin.h>
#endif

namespace pixmill {

#if !defined(PIXMILL_LVL)
#error "the vector vocabulary is compiled only inside a level (frame/level.cpp)"
#endif
namespace PIXMILL_LVL {

#if defined(__SSE2__)

struct Sse2 {
    using V = __m128i;
    static constexpr int kBytes = 16;
    static constexpr bool kShuffles = false;
    static constexpr bool kPermutes = false;

    static V load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
    static void store(uint8_t* p, V v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
    static V zero() { return _mm_setzero_si128(); }
    static V set1_8(uint8_t b) { return _mm_set1_epi8(static_cast<char>(b)); }
    static V set1_16(uint16_t h) { return _mm_set1_epi16(static_cast<short>(h)); }
    static V set1_32(uint32_t w) { return _mm_set1_epi32(static_cast<int>(w)); }

    static V and_(V a, V b) { return _mm_and_si128(a, b); }
    static V or_(V a, V b) { return _mm_or_si128(a, b); }
    static V xor_(V a, V b) { return _mm_xor_si128(a, b); }
    static V andnot(V a, V b) { return _mm_andnot_si128(a, b); }  // ~a & b
    static V select(V m, V a, V b) { return or_(and_(m, a), andnot(m, b)); }  // m ? a : b, bytewise

    static V cmpeq8(V a, V b) { return _mm_cmpeq_epi8(a, b); }
    static V cmpeq32(V a, V b) { return _mm_cmpeq_epi32(a, b); }
    static V max_u8(V a, V b) { return _mm_max_epu8(a, b); }
    static V min_u8(V a, V b) { return _mm_min_epu8(a, b); }
    static V adds_u8(V a, V b) { return _mm_adds_epu8(a, b); }
    static V subs_u8(V a, V b) { return _mm_subs_epu8(a, b); }
    static bool all_zero(V a) { return _mm_movemask_epi8(_mm_cmpeq_epi8(a, zero())) == 0xFFFF; }
    static bool all_ones(V a) { return _mm_movemask_epi8(a) == 0xFFFF; }  // a holds 0x00 / 0xFF bytes

    static V unpacklo8(V a, V b) { return _mm_unpacklo_epi8(a, b); }
    static V unpackhi8(V a, V b) { return _mm_unpackhi_epi8(a, b); }
    static V packus16(V a, V b) { return _mm_packus_epi16(a, b); }
    static V add16(V a, V b) { return _mm_add_epi16(a, b); }
    static V sub16(V a, V b) { return _mm_sub_epi16(a, b); }
    static V mullo16(V a, V b) { return _mm_mullo_epi16(a, b); }
    template <int n> static V srli16(V a) { return _mm_srli_epi16(a, n); }
    template <int n> static V srli32(V a) { return _mm_srli_epi32(a, n); }
    template <int n> static V slli32(V a) { return _mm_slli_epi32(a, n); }

    // Bytes n.. of a followed by the first n bytes of b: a window n bytes
    // further along the stream a, b.
    template <int n> static V shr_across(V a, V b)
    {
        return _mm_or_si128(_mm_srli_si128(a, n), _mm_slli_si128(b, 16 - n));
    }
    // The last n bytes of prev followed by cur's first 16 - n: a window n
    // bytes further back along the stream prev, cur.
    template <int n> static V shl_across(V prev, V cur)
    {
        return _mm_or_si128(_mm_slli_si128(cur, n), _mm_srli_si128(prev, 16 - n));
    }

    // The four 32-bit lanes in reverse order.
    static V reverse32(V a) { return _mm_shuffle_epi32(a, 0x1B); }

    // Sums of each 8-byte group into 64-bit lanes.
    static V sad8(V a) { return _mm_sad_epu8(a, zero()); }
    static V add64(V a, V b) { return _mm_add_epi64(a, b); }
    static uint64_t hsum64(V a)
    {
        uint64_t lanes[2];
        _mm_storeu_si128(reinterpret_cast<__m128i*>(lanes), a);
        return lanes[0] + lanes[1];
    }

    // ---- float and double lanes ----
    // Numbers in lanes: I32 the 32-bit integer lanes of V (loads, bitwise
    // operations and shifts are the struct's own), F32 as many
    // single-precision lanes, F64 double-precision lanes, half as many. A
    // comparison gives a lane mask M (all-ones lanes here and on Avx2, a mask
    // register on Avx512) that select takes. Every add, subtract, multiply,
    // divide, square root and conversion rounds as the scalar operation of the
    // same precision does (nothing is fused but mul_add and neg_mul_add, where
    // kFused says they exist); conversions to integers truncate.
    struct I32 {
        using V = __m128i;
        using M = __m128i;
        static constexpr int kLanes = 4;
        static constexpr bool kGathers = false;  // no gathers or masked stores

        static V add(V a, V b) { return _mm_add_epi32(a, b); }
        static V sub(V a, V b) { return _mm_sub_epi32(a, b); }
        // For lanes holding -32768..32767: the 16-bit forms see each such value
        // as a sign-extended pair of halves and order the pairs as the values.
        static V min_small(V a, V b) { return _mm_min_epi16(a, b); }
        static V max_small(V a, V b) { return _mm_max_epi16(a, b); }
        static M eq(V a, V b) { return _mm_cmpeq_epi32(a, b); }
        static M gt(V a, V b) { return _mm_cmpgt_epi32(a, b); }  // signed
        static V select(M m, V t, V f) { return _mm_or_si128(_mm_and_si128(m, t), _mm_andnot_si128(m, f)); }
        static M both(M a, M b) { return _mm_and_si128(a, b); }
        static M either(M a, M b) { return _mm_or_si128(a, b); }
        static M but_not(M a, M b) { return _mm_andnot_si128(b, a); }  // a and not b
        static uint32_t lanes(M m) { return static_cast<uint32_t>(_mm_movemask_ps(_mm_castsi128_ps(m))); }  // bit k: lane k
    };
    struct F32 {
        using V = __m128;
        // Whether mul_add exists: a * b + c rounded once.
        static constexpr bool kFused = false;
        static V set1(float x) { return _mm_set1_ps(x); }
        static V from(I32::V a) { return _mm_cvtepi32_ps(a); }
        static I32::V trunc(V a) { return _mm_cvttps_epi32(a); }
        static V add(V a, V b) { return _mm_add_ps(a, b); }
        static V sub(V a, V b) { return _mm_sub_ps(a, b); }
        static V mul(V a, V b) { return _mm_mul_ps(a, b); }
        static V div(V a, V b) { return _mm_div_ps(a, b); }
        static V select(I32::M m, V t, V f)
        {
            const V mf = _mm_castsi128_ps(m);
            return _mm_or_ps(_mm_and_ps(mf, t), _mm_andnot_ps(mf, f));
        }
        static I32::M lt(V a, V b) { return _mm_castps_si128(_mm_cmplt_ps(a, b)); }
        static V min(V a, V b) { return _mm_min_ps(a, b); }
        static V max(V a, V b) { return _mm_max_ps(a, b); }
        // The nearest whole number (ties to even); |a| below 2^31.
        static V nearest(V a) { return _mm_cvtepi32_ps(_mm_cvtps_epi32(a)); }
        static I32::V bits(V a) { return _mm_castps_si128(a); }
        static V from_bits(I32::V a) { return _mm_castsi128_ps(a); }
    };
    struct F64 {
        using V = __m128d;
        using M = __m128d;
        static constexpr int kLanes = 2;
        static V set1(double x) { return _mm_set1_pd(x); }
        static V ramp(double x) { return _mm_setr_pd(x, x + 1); }  // x, x + 1, ... (x whole)
        static V add(V a, V b) { return _mm_add_pd(a, b); }
        static V sub(V a, V b) { return _mm_sub_pd(a, b); }
        static V mul(V a, V b) { return _mm_mul_pd(a, b); }
        static V div(V a, V b) { return _mm_div_pd(a, b); }
        static V sqrt(V a) { return _mm_sqrt_pd(a); }
        static V min(V a, V b) { return _mm_min_pd(a, b); }
        static V max(V a, V b) { return _mm_max_pd(a, b); }
        static V through_f32(V a) { return _mm_cvtps_pd(_mm_cvtpd_ps(a)); }  // rounded to single precision
        // Both halves rounded to single precision, lo's lanes first.
        static F32::V join_f32(V lo, V hi) { return _mm_movelh_ps(_mm_cvtpd_ps(lo), _mm_cvtpd_ps(hi)); }
        static V select(M m, V t, V f) { return _mm_or_pd(_mm_and_pd(m, t), _mm_andnot_pd(m, f)); }
        static M lt(V a, V b) { return _mm_cmplt_pd(a, b); }
        static M le(V a, V b) { return _mm_cmple_pd(a, b); }
        static bool all(M m) { return _mm_movemask_pd(m) == 3; }
        static V neg(V a) { return _mm_xor_pd(a, _mm_set1_pd(-0.0)); }  // the sign flipped, zeros too
        static V neg_where(M m, V a) { return _mm_xor_pd(a, _mm_and_pd(m, _mm_set1_pd(-0.0))); }
        // The lanes whose bit b (0 the lowest of the significand) is set.
        template <int b> static M bit_set(V a)
        {
            const __m128i top = _mm_srai_epi32(_mm_slli_epi64(_mm_castpd_si128(a), 63 - b), 31);
            return _mm_castsi128_pd(_mm_shuffle_epi32(top, _MM_SHUFFLE(3, 3, 1, 1)));
        }
        // The lower or upper half of the 32-bit lanes, as doubles.
        static V lo(I32::V a) { return _mm_cvtepi32_pd(a); }
        static V hi(I32::V a) { return _mm_cvtepi32_pd(_mm_unpackhi_epi64(a, a)); }
        static V lo(F32::V a) { return _mm_cvtps_pd(a); }
        static V hi(F32::V a) { return _mm_cvtps_pd(_mm_movehl_ps(a, a)); }
        static M mask_lo(I32::M m) { return _mm_castsi128_pd(_mm_unpacklo_epi32(m, m)); }
        static M mask_hi(I32::M m) { return _mm_castsi128_pd(_mm_unpackhi_epi32(m, m)); }
        // Both halves truncated, lo's lanes first.
        static I32::V trunc_join(V lo, V hi) { return _mm_unpacklo_epi64(_mm_cvttpd_epi32(lo), _mm_cvttpd_epi32(hi)); }
        // The kLanes lanes truncated, stored at p.
        static void store_trunc(int32_t* p, V a)
        {
            _mm_storel_epi64(reinterpret_cast<__m128i*>(p), _mm_cvttpd_epi32(a));
        }
    };
    // ---- vectors from words; byte-masked accesses ----
    // The kBytes / 8 words w as one vector, w[0] lowest; built in registers.
    static V from_words(const uint64_t* w)
    {
        return _mm_set_epi64x(static_cast<long long>(w[1]), static_cast<long long>(w[0]));
    }
    // Whether load_first and store_first exist: a row's first and last bytes
    // in one masked vector each, touching no byte outside them.
    static constexpr bool kMasks = false;
    // ---- scaled copies: pixels picked out of row windows ----
    // The high 16 bits of each unsigned 16-bit product.
    static V mulhi_u16(V a, V b) { return _mm_mulhi_epu16(a, b); }
    // Asks for the cache line holding p; never faults, whatever p.
    static void prefetch(const uint8_t* p) { _mm_prefetch(reinterpret_cast<const char*>(p), _MM_HINT_T0); }
    // ---- the blur's wavefront: 32-bit pixels in lanes ----
    template <int n> static V slli16(V a) { return _mm_slli_epi16(a, n); }
    // The kBytes / 4 vectors m as a square of 32-bit lanes, transposed: lane
    // k of m[j] and lane j of m[k] trade places.
    static void transpose32(V* m)
    {
        const V t0 = _mm_unpacklo_epi32(m[0], m[1]), t1 = _mm_unpackhi_epi32(m[0], m[1]);
        const V t2 = _mm_unpacklo_epi32(m[2], m[3]), t3 = _mm_unpackhi_epi32(m[2], m[3]);
        m[0] = _mm_unpacklo_epi64(t0, t2);
        m[1] = _mm_unpackhi_epi64(t0, t2);
        m[2] = _mm_unpacklo_epi64(t1, t3);
        m[3] = _mm_unpackhi_epi64(t1, t3);
    }
    // cur's 32-bit lanes one lane up, prev's last lane in lane 0; cur's lanes
    // one lane down, next's first lane in the last.
    static V up_lane32(V prev, V cur) { return shl_across<4>(prev, cur); }
    static V down_lane32(V cur, V next) { return shr_across<4>(cur, next); }
    // All-ones 32-bit lanes where a > b (signed), else zero.
    static V gt32(V a, V b) { return _mm_cmpgt_epi32(a, b); }
};

#endif  // __SSE2__

#if defined(__SSSE3__)

// Byte shuffles between 24-bit and 32-bit pixels, sixteen pixels at a time.
struct Ssse3 : Sse2 {
    static constexpr bool kShuffles = true;
    using Narrow = Ssse3;  // the 16-byte form a wider level shuffles in
    // Three vectors of 24-bit pixels (48 bytes) as four vectors of 32-bit
    // pixels with byte 3 zero.
    static void expand24(const V in[3], V out[4])
    {
        const V m = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
        out[0] = _mm_shuffle_epi8(in[0], m);
        out[1] = _mm_shuffle_epi8(_mm_alignr_epi8(in[1], in[0], 12), m);
        out[2] = _mm_shuffle_epi8(_mm_alignr_epi8(in[2], in[1], 8), m);
        out[3] = _mm_shuffle_epi8(_mm_srli_si128(in[2], 4), m);
    }
    // Four vectors of 32-bit pixels as three of 24-bit pixels, each pixel's
    // three bytes picked by pick (twelve indices, then four times -1).
    static void compress24(const V in[4], V out[3], V pick)
    {
        const V p0 = _mm_shuffle_epi8(in[0], pick), p1 = _mm_shuffle_epi8(in[1], pick);
        const V p2 = _mm_shuffle_epi8(in[2], pick), p3 = _mm_shuffle_epi8(in[3], pick);
        out[0] = _mm_or_si128(p0, _mm_slli_si128(p1, 12));
        out[1] = _mm_or_si128(_mm_srli_si128(p1, 4), _mm_slli_si128(p2, 8));
        out[2] = _mm_or_si128(_mm_srli_si128(p2, 8), _mm_slli_si128(p3, 4));
    }
    static V colour_bytes_pick() { return _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1); }
    static V alpha_bytes_pick() { return _mm_setr_epi8(3, 3, 3, 7, 7, 7, 11, 11, 11, 15, 15, 15, -1, -1, -1, -1); }
    // The kBytes / 4 24-bit pixels at p, one to a 32-bit lane (byte 3 of a
    // lane unspecified); no byte at or past p + kBytes is read.
    static V load24_to_32(const uint8_t* p) { return spread24(load(p)); }
    // As load24_to_32, reading only the pixels' own 3 kBytes / 4 bytes.
    static V load24_to_32_tight(const uint8_t* p)
    {
        int32_t tail;
        std::memcpy(&tail, p + 8, 4);
        const __m128i head = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
        return spread24(_mm_unpacklo_epi64(head, _mm_cvtsi32_si128(tail)));
    }
    static V spread24(V v)
    {
        return _mm_shuffle_epi8(v, _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1));
    }
    static V up_lane32(V prev, V cur) { return _mm_alignr_epi8(cur, prev, 12); }
    static V down_lane32(V cur, V next) { return _mm_alignr_epi8(next, cur, 4); }

    // ---- scaled copies: pixels picked out of row windows ----
    // Byte j of the result is byte idx[j] of w (each below 16), or of the 32
    // bytes a, b (each below 32).
    static V pick_bytes(V w, V idx) { return _mm_shuffle_epi8(w, idx); }
    static V pick_bytes2(V a, V b, V idx)
    {
        // Indices 16..31 keep bit 7 clear, so each shuffle reads idx mod 16.
        return select(_mm_cmpgt_epi8(idx, _mm_set1_epi8(15)), _mm_shuffle_epi8(b, idx), _mm_shuffle_epi8(a, idx));
    }
    // 32-bit lane k of the result is lane idx[k] of w (each below 4), or of
    // the eight lanes of a, b (each below 8): the bytes of those lanes.
    static V word_bytes(V idx)
    {
        const V t = _mm_slli_epi32(idx, 2);
        const V rep = _mm_or_si128(_mm_or_si128(t, _mm_slli_epi32(t, 8)),
                                   _mm_or_si128(_mm_slli_epi32(t, 16), _mm_slli_epi32(t, 24)));
        return _mm_add_epi32(rep, _mm_set1_epi32(0x03020100));
    }
    static V pick_words(V w, V idx) { return _mm_shuffle_epi8(w, word_bytes(idx)); }
    static V pick_words2(V a, V b, V idx) { return pick_bytes2(a, b, word_bytes(idx)); }
    // Byte j of each 32-bit lane is byte idx[j] (0..3) of the same lane of w.
    static V pick_in_words(V w, V idx)
    {
        return _mm_shuffle_epi8(w, _mm_add_epi8(idx, _mm_setr_epi8(0, 0, 0, 0, 4, 4, 4, 4, 8, 8, 8, 8, 12, 12, 12, 12)));
    }
    // The low three bytes of each 32-bit lane, packed: 12 bytes at d, and
    // nothing after them.
    static void store_low24(uint8_t* d, V v)
    {
        const V p = _mm_shuffle_epi8(v, colour_bytes_pick());
        _mm_storel_epi64(reinterpret_cast<__m128i*>(d), p);
        const int32_t tail = _mm_cvtsi128_si32(_mm_srli_si128(p, 8));
        std::memcpy(d + 8, &tail, 4);
    }
};

#endif  // __SSSE3__

#if defined(__AVX2__)

struct Avx2 {
    using V = __m256i;
    static constexpr int kBytes = 32;
    static constexpr bool kShuffles = true;
    static constexpr bool kPermutes = false;
    using Narrow = Ssse3;

    // Two 16-byte halves as one vector, and back.
    static V combine(Narrow::V lo, Narrow::V hi) { return _mm256_set_m128i(hi, lo); }
    static Narrow::V low_half(V a) { return _mm256_castsi256_si128(a); }
    static Narrow::V high_half(V a) { return _mm256_extracti128_si256(a, 1); }

    static V load(const uint8_t* p) { return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p)); }
    static void store(uint8_t* p, V v) { _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), v); }
    static V zero() { return _mm256_setzero_si256(); }
    static V set1_8(uint8_t b) { return _mm256_set1_epi8(static_cast<char>(b)); }
    static V set1_16(uint16_t h) { return _mm256_set1_epi16(static_cast<short>(h)); }
    static V set1_32(uint32_t w) { return _mm256_set1_epi32(static_cast<int>(w)); }

    static V and_(V a, V b) { return _mm256_and_si256(a, b); }
    static V or_(V a, V b) { return _mm256_or_si256(a, b); }
    static V xor_(V a, V b) { return _mm256_xor_si256(a, b); }
    static V andnot(V a, V b) { return _mm256_andnot_si256(a, b); }
    static V select(V m, V a, V b) { return _mm256_blendv_epi8(b, a, m); }

    static V cmpeq8(V a, V b) { return _mm256_cmpeq_epi8(a, b); }
    static V cmpeq32(V a, V b) { return _mm256_cmpeq_epi32(a, b); }
    static V max_u8(V a, V b) { return _mm256_max_epu8(a, b); }
    static V min_u8(V a, V b) { return _mm256_min_epu8(a, b); }
    static V adds_u8(V a, V b) { return _mm256_adds_epu8(a, b); }
    static V subs_u8(V a, V b) { return _mm256_subs_epu8(a, b); }
    static bool all_zero(V a) { return _mm256_testz_si256(a, a) != 0; }
    static bool all_ones(V a) { return _mm256_movemask_epi8(a) == -1; }

    // Unpacking and packing work within each 128-bit half; used in pairs
    // (unpack low and high, then pack) they give every byte back in place.
    static V unpacklo8(V a, V b) { return _mm256_unpacklo_epi8(a, b); }
    static V unpackhi8(V a, V b) { return _mm256_unpackhi_epi8(a, b); }
    static V packus16(V a, V b) { return _mm256_packus_epi16(a, b); }
    static V add16(V a, V b) { return _mm256_add_epi16(a, b); }
    static V sub16(V a, V b) { return _mm256_sub_epi16(a, b); }
    static V mullo16(V a, V b) { return _mm256_mullo_epi16(a, b); }
    template <int n> static V srli16(V a) { return _mm256_srli_epi16(a, n); }
    template <int n> static V srli32(V a) { return _mm256_srli_epi32(a, n); }
    template <int n> static V slli32(V a) { return _mm256_slli_epi32(a, n); }

    // As Sse2's, across the two halves: [a.hi, b.lo] supplies the bytes that
    // cross the middle.
    template <int n> static V shr_across(V a, V b)
    {
        return _mm256_alignr_epi8(_mm256_permute2x128_si256(a, b, 0x21), a, n);
    }
    template <int n> static V shl_across(V prev, V cur)
    {
        return _mm256_alignr_epi8(cur, _mm256_permute2x128_si256(prev, cur, 0x21), 16 - n);
    }

    static V reverse32(V a) { return _mm256_permutevar8x32_epi32(a, _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0)); }

    static V sad8(V a) { return _mm256_sad_epu8(a, zero()); }
    static V add64(V a, V b) { return _mm256_add_epi64(a, b); }
    static uint64_t hsum64(V a)
    {
        uint64_t lanes[4];
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(lanes), a);
        return lanes[0] + lanes[1] + lanes[2] + lanes[3];
    }

    // ---- float and double lanes ----
    // As Sse2's, over 32 bytes; I32 also gathers.
    struct I32 {
        using V = __m256i;
        using M = __m256i;
        static constexpr int kLanes = 8;
        static constexpr bool kGathers = true;

        static V add(V a, V b) { return _mm256_add_epi32(a, b); }
        static V sub(V a, V b) { return _mm256_sub_epi32(a, b); }
        static V mullo(V a, V b) { return _mm256_mullo_epi32(a, b); }
        static V min_small(V a, V b) { return _mm256_min_epi32(a, b); }
        static V max_small(V a, V b) { return _mm256_max_epi32(a, b); }
        static M eq(V a, V b) { return _mm256_cmpeq_epi32(a, b); }
        static M gt(V a, V b) { return _mm256_cmpgt_epi32(a, b); }
        static M le_u(V a, V b) { return _mm256_cmpeq_epi32(_mm256_min_epu32(a, b), a); }  // unsigned a <= b
        static M both(M a, M b) { return _mm256_and_si256(a, b); }
        static M either(M a, M b) { return _mm256_or_si256(a, b); }
        static M but_not(M a, M b) { return _mm256_andnot_si256(b, a); }
        static uint32_t lanes(M m) { return static_cast<uint32_t>(_mm256_movemask_ps(_mm256_castsi256_ps(m))); }
        static V select(M m, V t, V f) { return _mm256_blendv_epi8(f, t, m); }
        // The 32-bit words at base + 4 index in the lanes of m, 0 elsewhere;
        // the other lanes read nothing.
        static V gather(const uint8_t* base, V index, M m)
        {
            return _mm256_mask_i32gather_epi32(_mm256_setzero_si256(), reinterpret_cast<const int*>(base), index, m, 4);
        }
        // The lanes of m stored at p; the other lanes write nothing.
        static void store_masked(uint8_t* p, M m, V v) { _mm256_maskstore_epi32(reinterpret_cast<int*>(p), m, v); }
        // Asks for the cache lines holding the words at base + 4 index of
        // lanes first, first + 4, ... (first < 4) into the second-level cache;
        // never faults, whatever the indices. The lanes are picked in
        // registers: through a stack copy, the i386 build under the emulator
        // drew wrong pixels in the rotation.
        static void prefetch_every4(const uint8_t* base, V index, int first)
        {
            const __m256i order = _mm256_setr_epi32(first, first + 4, 0, 0, 0, 0, 0, 0);
            const __m128i lanes = _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(index, order));
            prefetch_l2(base, _mm_cvtsi128_si32(lanes));
            prefetch_l2(base, _mm_extract_epi32(lanes, 1));
        }
        static void prefetch_l2(const uint8_t* base, int32_t index)
        {
            const uintptr_t at = reinterpret_cast<uintptr_t>(base) + static_cast<uintptr_t>(intptr_t{index}) * 4u;
            _mm_prefetch(reinterpret_cast<const char*>(at), _MM_HINT_T1);
        }
    };
    struct F32 {
        using V = __m256;
        static constexpr bool kFused = true;
        static V mul_add(V a, V b, V c) { return _mm256_fmadd_ps(a, b, c); }      // a * b + c, one rounding
        static V neg_mul_add(V a, V b, V c) { return _mm256_fnmadd_ps(a, b, c); }  // c - a * b, one rounding
        static V set1(float x) { return _mm256_set1_ps(x); }
        static V from(I32::V a) { return _mm256_cvtepi32_ps(a); }
        static I32::V trunc(V a) { return _mm256_cvttps_epi32(a); }
        static V add(V a, V b) { return _mm256_add_ps(a, b); }
        static V sub(V a, V b) { return _mm256_sub_ps(a, b); }
        static V mul(V a, V b) { return _mm256_mul_ps(a, b); }
        static V div(V a, V b) { return _mm256_div_ps(a, b); }
        static V select(I32::M m, V t, V f) { return _mm256_blendv_ps(f, t, _mm256_castsi256_ps(m)); }
        static I32::M lt(V a, V b) { return _mm256_castps_si256(_mm256_cmp_ps(a, b, _CMP_LT_OQ)); }
        static V min(V a, V b) { return _mm256_min_ps(a, b); }
        static V max(V a, V b) { return _mm256_max_ps(a, b); }
        static V nearest(V a) { return _mm256_round_ps(a, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC); }
        static I32::V bits(V a) { return _mm256_castps_si256(a); }
        static V from_bits(I32::V a) { return _mm256_castsi256_ps(a); }
    };
    struct F64 {
        using V = __m256d;
        using M = __m256d;
        static constexpr int kLanes = 4;
        static V set1(double x) { return _mm256_set1_pd(x); }
        static V ramp(double x) { return _mm256_setr_pd(x, x + 1, x + 2, x + 3); }
        static V add(V a, V b) { return _mm256_add_pd(a, b); }
        static V sub(V a, V b) { return _mm256_sub_pd(a, b); }
        static V mul(V a, V b) { return _mm256_mul_pd(a, b); }
        static V div(V a, V b) { return _mm256_div_pd(a, b); }
        static V sqrt(V a) { return _mm256_sqrt_pd(a); }
        static V min(V a, V b) { return _mm256_min_pd(a, b); }
        static V max(V a, V b) { return _mm256_max_pd(a, b); }
        static V through_f32(V a) { return _mm256_cvtps_pd(_mm256_cvtpd_ps(a)); }
        static V select(M m, V t, V f) { return _mm256_blendv_pd(f, t, m); }
        static M lt(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_LT_OQ); }
        static M le(V a, V b) { return _mm256_cmp_pd(a, b, _CMP_LE_OQ); }
        static bool all(M m) { return _mm256_movemask_pd(m) == 15; }
        static V neg(V a) { return _mm256_xor_pd(a, _mm256_set1_pd(-0.0)); }
        static V neg_where(M m, V a) { return _mm256_xor_pd(a, _mm256_and_pd(m, _mm256_set1_pd(-0.0))); }
        template <int b> static M bit_set(V a)
        {
            const __m256i top = _mm256_srai_epi32(_mm256_slli_epi64(_mm256_castpd_si256(a), 63 - b), 31);
            return _mm256_castsi256_pd(_mm256_shuffle_epi32(top, _MM_SHUFFLE(3, 3, 1, 1)));
        }
        static V lo(I32::V a) { return _mm256_cvtepi32_pd(_mm256_castsi256_si128(a)); }
        static V hi(I32::V a) { return _mm256_cvtepi32_pd(_mm256_extracti128_si256(a, 1)); }
        static V lo(F32::V a) { return _mm256_cvtps_pd(_mm256_castps256_ps128(a)); }
        static V hi(F32::V a) { return _mm256_cvtps_pd(_mm256_extractf128_ps(a, 1)); }
        static M mask_lo(I32::M m) { return _mm256_castsi256_pd(_mm256_cvtepi32_epi64(_mm256_castsi256_si128(m))); }
        static M mask_hi(I32::M m)
        {
            return _mm256_castsi256_pd(_mm256_cvtepi32_epi64(_mm256_extracti128_si256(m, 1)));
        }
        static I32::V trunc_join(V lo, V hi)
        {
            return _mm256_inserti128_si256(_mm256_castsi128_si256(_mm256_cvttpd_epi32(lo)), _mm256_cvttpd_epi32(hi), 1);
        }
        static void store_trunc(int32_t* p, V a)
        {
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_cvttpd_epi32(a));
        }
    };
    // ---- vectors from words; byte-masked accesses; 32-bit lanes ----
    static V from_words(const uint64_t* w)
    {
        return _mm256_set_epi64x(static_cast<long long>(w[3]), static_cast<long long>(w[2]),
                                 static_cast<long long>(w[1]), static_cast<long long>(w[0]));
    }
    static constexpr bool kMasks = false;
    // The kBytes / 4 bytes at p, each widened to a 32-bit lane.
    static V load_u8_to_32(const uint8_t* p)
    {
        return _mm256_cvtepu8_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)));
    }
    static V mullo32(V a, V b) { return _mm256_mullo_epi32(a, b); }
    template <int n> static V srai32(V a) { return _mm256_srai_epi32(a, n); }
    static V sra32(V a, int n) { return _mm256_sra_epi32(a, _mm_cvtsi32_si128(n)); }  // n known at run time
    // Signed saturation: 32-bit lanes packed to 16 (within each 128-bit half,
    // as packus16), and 16-bit sums.
    static V packs32(V a, V b) { return _mm256_packs_epi32(a, b); }
    static V adds16(V a, V b) { return _mm256_adds_epi16(a, b); }
    // 32-bit lane j of the result is lane idx[j] of a.
    static V permute32(V idx, V a) { return _mm256_permutevar8x32_epi32(a, idx); }
    // ---- scaled copies: pixels picked out of row windows ----
    static V min_i32(V a, V b) { return _mm256_min_epi32(a, b); }
    static V max_i32(V a, V b) { return _mm256_max_epi32(a, b); }
    static V mulhi_u16(V a, V b) { return _mm256_mulhi_epu16(a, b); }
    static void prefetch(const uint8_t* p) { _mm_prefetch(reinterpret_cast<const char*>(p), _MM_HINT_T0); }
    // The 32-bit words at base + 4 * idx[k]. Only ever whole 32-bit pixels:
    // qemu-i386 returns wrong data for gathers with byte scale, so 24-bit
    // pixels are picked out of windows with shuffles instead.
    static V gather32(const uint8_t* base, V idx)
    {
        return _mm256_i32gather_epi32(reinterpret_cast<const int*>(base), idx, 4);
    }
    // As Ssse3's, across the halves: each half shuffled from both, bit 4 of
    // the index choosing which (and bit 5 which of a, b).
    static V pick_bytes(V w, V idx)
    {
        const V lo = _mm256_permute2x128_si256(w, w, 0x00), hi = _mm256_permute2x128_si256(w, w, 0x11);
        return _mm256_blendv_epi8(_mm256_shuffle_epi8(lo, idx), _mm256_shuffle_epi8(hi, idx),
                                  _mm256_slli_epi16(idx, 3));
    }
    static V pick_bytes2(V a, V b, V idx)
    {
        return _mm256_blendv_epi8(pick_bytes(a, idx), pick_bytes(b, idx), _mm256_slli_epi16(idx, 2));
    }
    static V pick_words(V w, V idx) { return _mm256_permutevar8x32_epi32(w, idx); }
    static V pick_in_words(V w, V idx)
    {
        return _mm256_shuffle_epi8(w, _mm256_add_epi8(idx, _mm256_setr_epi8(0, 0, 0, 0, 4, 4, 4, 4, 8, 8, 8, 8, 12, 12,
                                                                            12, 12, 0, 0, 0, 0, 4, 4, 4, 4, 8, 8, 8, 8,
                                                                            12, 12, 12, 12)));
    }
    static V pick_words2(V a, V b, V idx)
    {
        return _mm256_blendv_epi8(pick_words(a, idx), pick_words(b, idx),
                                  _mm256_cmpgt_epi32(idx, _mm256_set1_epi32(7)));
    }
    // 24 bytes at d.
    static void store_low24(uint8_t* d, V v)
    {
        const V pack = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,  //
                                        0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
        const V p =
            _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(v, pack), _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d), _mm256_castsi256_si128(p));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(d + 16), _mm256_extracti128_si256(p, 1));
    }
    // ---- the blur's wavefront: 32-bit pixels in lanes ----
    template <int n> static V slli16(V a) { return _mm256_slli_epi16(a, n); }
    static void transpose32(V* m)
    {
        V t[8], u[8];
        for (int i = 0; i < 8; i += 2) {
            t[i] = _mm256_unpacklo_epi32(m[i], m[i + 1]);
            t[i + 1] = _mm256_unpackhi_epi32(m[i], m[i + 1]);
        }
        for (int i = 0; i < 8; i += 4) {
            u[i] = _mm256_unpacklo_epi64(t[i], t[i + 2]);
            u[i + 1] = _mm256_unpackhi_epi64(t[i], t[i + 2]);
            u[i + 2] = _mm256_unpacklo_epi64(t[i + 1], t[i + 3]);
            u[i + 3] = _mm256_unpackhi_epi64(t[i + 1], t[i + 3]);
        }
        for (int c = 0; c < 4; ++c) {
            m[c] = _mm256_permute2x128_si256(u[c], u[c + 4], 0x20);
            m[c + 4] = _mm256_permute2x128_si256(u[c], u[c + 4], 0x31);
        }
    }
    static V load24_to_32(const uint8_t* p) { return spread24(load(p)); }
    static V load24_to_32_tight(const uint8_t* p)
    {
        return spread24(combine(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
                                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p + 16))));
    }
    static V spread24(V v)
    {
        const V spread = _mm256_permutevar8x32_epi32(v, _mm256_setr_epi32(0, 1, 2, 0, 3, 4, 5, 0));
        return _mm256_shuffle_epi8(spread, _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1,  //
                                                            0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1));
    }
    static V up_lane32(V prev, V cur) { return shl_across<4>(prev, cur); }
    static V down_lane32(V cur, V next) { return shr_across<4>(cur, next); }
    static V gt32(V a, V b) { return _mm256_cmpgt_epi32(a, b); }
};

#endif  // __AVX2__

#if defined(__AVX512BW__) && defined(__AVX512VL__) && defined(__AVX512VBMI__)

// As Avx2, over 64 bytes. Comparisons give 0x00 / 0xFF bytes like the
// narrower structs, so the templates need no mask registers (the number
// lanes' masks excepted).
struct Avx512 {
    using V = __m512i;
    static constexpr int kBytes = 64;
    static constexpr bool kShuffles = true;
    static constexpr bool kPermutes = true;
    using Narrow = Ssse3;

    // Byte j of the result is byte idx[j] of a (byte permute across the vector).
    static V permute8(V idx, V a) { return _mm512_permutexvar_epi8(idx, a); }
    // Byte j from a where bit j of m is set, else from b.
    static V select_bits(uint64_t m, V a, V b) { return _mm512_mask_blend_epi8(m, b, a); }
    // The 48 bytes at p, as a 32-byte and a 16-byte access (byte-masked
    // accesses measured twice as slow); bytes 48..63 are zero.
    static V load48(const uint8_t* p)
    {
        const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
        return _mm512_inserti64x4(_mm512_castsi256_si512(lo), _mm256_castsi128_si256(hi), 1);
    }
    static void store48(uint8_t* p, V v)
    {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm512_castsi512_si256(v));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 32), _mm512_extracti32x4_epi32(v, 2));
    }

    static V load(const uint8_t* p) { return _mm512_loadu_si512(p); }
    static void store(uint8_t* p, V v) { _mm512_storeu_si512(p, v); }
    static V zero() { return _mm512_setzero_si512(); }
    static V set1_8(uint8_t b) { return _mm512_set1_epi8(static_cast<char>(b)); }
    static V set1_16(uint16_t h) { return _mm512_set1_epi16(static_cast<short>(h)); }
    static V set1_32(uint32_t w) { return _mm512_set1_epi32(static_cast<int>(w)); }

    static V and_(V a, V b) { return _mm512_and_si512(a, b); }
    static V or_(V a, V b) { return _mm512_or_si512(a, b); }
    static V xor_(V a, V b) { return _mm512_xor_si512(a, b); }
    static V andnot(V a, V b) { return _mm512_andnot_si512(a, b); }
    static V select(V m, V a, V b) { return _mm512_mask_blend_epi8(_mm512_movepi8_mask(m), b, a); }

    static V cmpeq8(V a, V b) { return _mm512_movm_epi8(_mm512_cmpeq_epi8_mask(a, b)); }
    static V cmpeq32(V a, V b) { return _mm512_movm_epi32(_mm512_cmpeq_epi32_mask(a, b)); }
    static V max_u8(V a, V b) { return _mm512_max_epu8(a, b); }
    static V min_u8(V a, V b) { return _mm512_min_epu8(a, b); }
    static V adds_u8(V a, V b) { return _mm512_adds_epu8(a, b); }
    static V subs_u8(V a, V b) { return _mm512_subs_epu8(a, b); }
    static bool all_zero(V a) { return _mm512_test_epi64_mask(a, a) == 0; }
    static bool all_ones(V a) { return _mm512_movepi8_mask(a) == ~__mmask64{0}; }

    // Within each 128-bit quarter, as Avx2's within its halves.
    static V unpacklo8(V a, V b) { return _mm512_unpacklo_epi8(a, b); }
    static V unpackhi8(V a, V b) { return _mm512_unpackhi_epi8(a, b); }
    static V packus16(V a, V b) { return _mm512_packus_epi16(a, b); }
    static V add16(V a, V b) { return _mm512_add_epi16(a, b); }
    static V sub16(V a, V b) { return _mm512_sub_epi16(a, b); }
    static V mullo16(V a, V b) { return _mm512_mullo_epi16(a, b); }
    template <int n> static V srli16(V a) { return _mm512_srli_epi16(a, n); }
    template <int n> static V srli32(V a) { return _mm512_srli_epi32(a, n); }
    template <int n> static V slli32(V a) { return _mm512_slli_epi32(a, n); }

    // As Avx2's: the quarters one further along (or back) supply the bytes
    // that cross each quarter's edge.
    template <int n> static V shr_across(V a, V b)
    {
        return _mm512_alignr_epi8(_mm512_alignr_epi32(b, a, 4), a, n);
    }
    template <int n> static V shl_across(V prev, V cur)
    {
        return _mm512_alignr_epi8(cur, _mm512_alignr_epi32(cur, prev, 12), 16 - n);
    }

    static V reverse32(V a)
    {
        return _mm512_permutexvar_epi32(_mm512_setr_epi32(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0), a);
    }

    static V sad8(V a) { return _mm512_sad_epu8(a, zero()); }
    static V add64(V a, V b) { return _mm512_add_epi64(a, b); }
    static uint64_t hsum64(V a)
    {
        uint64_t lanes[8];
        _mm512_storeu_si512(lanes, a);
        uint64_t sum = 0;
        for (uint64_t lane : lanes) sum += lane;
        return sum;
    }

    // ---- float and double lanes ----
    // As Avx2's, over 64 bytes, with mask registers for the lane masks.
    struct I32 {
        using V = __m512i;
        using M = __mmask16;
        static constexpr int kLanes = 16;
        static constexpr bool kGathers = true;

        static V add(V a, V b) { return _mm512_add_epi32(a, b); }
        static V sub(V a, V b) { return _mm512_sub_epi32(a, b); }
        static V mullo(V a, V b) { return _mm512_mullo_epi32(a, b); }
        static V min_small(V a, V b) { return _mm512_min_epi32(a, b); }
        static V max_small(V a, V b) { return _mm512_max_epi32(a, b); }
        static M eq(V a, V b) { return _mm512_cmpeq_epi32_mask(a, b); }
        static M gt(V a, V b) { return _mm512_cmpgt_epi32_mask(a, b); }
        static M le_u(V a, V b) { return _mm512_cmple_epu32_mask(a, b); }
        static M both(M a, M b) { return static_cast<M>(a & b); }
        static M either(M a, M b) { return static_cast<M>(a | b); }
        static M but_not(M a, M b) { return static_cast<M>(a & ~b); }
        static uint32_t lanes(M m) { return m; }
        static V select(M m, V t, V f) { return _mm512_mask_blend_epi32(m, f, t); }
        static V gather(const uint8_t* base, V index, M m)
        {
            return _mm512_mask_i32gather_epi32(_mm512_setzero_si512(), m, index, base, 4);
        }
        static void store_masked(uint8_t* p, M m, V v) { _mm512_mask_storeu_epi32(p, m, v); }
        // Through a copy on the stack: with the lanes picked in registers as
        // Avx2 picks them, GCC 12 left out every prefetch at this level.
        static void prefetch_every4(const uint8_t* base, V index, int first)
        {
            alignas(64) int32_t lanes[kLanes];
            _mm512_store_si512(lanes, index);
            for (int k = first; k < kLanes; k += 4) Avx2::I32::prefetch_l2(base, lanes[k]);
        }
    };
    struct F32 {
        using V = __m512;
        static constexpr bool kFused = true;
        static V mul_add(V a, V b, V c) { return _mm512_fmadd_ps(a, b, c); }
        static V neg_mul_add(V a, V b, V c) { return _mm512_fnmadd_ps(a, b, c); }
        static V set1(float x) { return _mm512_set1_ps(x); }
        static V from(I32::V a) { return _mm512_cvtepi32_ps(a); }
        static I32::V trunc(V a) { return _mm512_cvttps_epi32(a); }
        static V add(V a, V b) { return _mm512_add_ps(a, b); }
        static V sub(V a, V b) { return _mm512_sub_ps(a, b); }
        static V mul(V a, V b) { return _mm512_mul_ps(a, b); }
        static V div(V a, V b) { return _mm512_div_ps(a, b); }
        static V select(I32::M m, V t, V f) { return _mm512_mask_blend_ps(m, f, t); }
        static I32::M lt(V a, V b) { return _mm512_cmp_ps_mask(a, b, _CMP_LT_OQ); }
        static V min(V a, V b) { return _mm512_min_ps(a, b); }
        static V max(V a, V b) { return _mm512_max_ps(a, b); }
        static V nearest(V a) { return _mm512_roundscale_ps(a, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC); }
        static I32::V bits(V a) { return _mm512_castps_si512(a); }
        static V from_bits(I32::V a) { return _mm512_castsi512_ps(a); }
    };
    struct F64 {
        using V = __m512d;
        using M = __mmask8;
        static constexpr int kLanes = 8;
        static V set1(double x) { return _mm512_set1_pd(x); }
        static V ramp(double x) { return _mm512_add_pd(_mm512_set1_pd(x), _mm512_setr_pd(0, 1, 2, 3, 4, 5, 6, 7)); }
        static V add(V a, V b) { return _mm512_add_pd(a, b); }
        static V sub(V a, V b) { return _mm512_sub_pd(a, b); }
        static V mul(V a, V b) { return _mm512_mul_pd(a, b); }
        static V div(V a, V b) { return _mm512_div_pd(a, b); }
        static V sqrt(V a) { return _mm512_sqrt_pd(a); }
        static V min(V a, V b) { return _mm512_min_pd(a, b); }
        static V max(V a, V b) { return _mm512_max_pd(a, b); }
        static V through_f32(V a) { return _mm512_cvtps_pd(_mm512_cvtpd_ps(a)); }
        static V select(M m, V t, V f) { return _mm512_mask_blend_pd(m, f, t); }
        static M lt(V a, V b) { return _mm512_cmp_pd_mask(a, b, _CMP_LT_OQ); }
        static M le(V a, V b) { return _mm512_cmp_pd_mask(a, b, _CMP_LE_OQ); }
        static bool all(M m) { return m == 0xFF; }
        static V neg(V a)
        {
            return _mm512_castsi512_pd(_mm512_xor_si512(_mm512_castpd_si512(a), _mm512_set1_epi64(INT64_MIN)));
        }
        static V neg_where(M m, V a)
        {
            const __m512i bits = _mm512_castpd_si512(a);
            return _mm512_castsi512_pd(_mm512_mask_xor_epi64(bits, m, bits, _mm512_set1_epi64(INT64_MIN)));
        }
        template <int b> static M bit_set(V a)
        {
            return _mm512_test_epi64_mask(_mm512_castpd_si512(a), _mm512_set1_epi64(int64_t{1} << b));
        }
        static V lo(I32::V a) { return _mm512_cvtepi32_pd(_mm512_castsi512_si256(a)); }
        static V hi(I32::V a) { return _mm512_cvtepi32_pd(_mm512_extracti64x4_epi64(a, 1)); }
        static V lo(F32::V a) { return _mm512_cvtps_pd(_mm512_castps512_ps256(a)); }
        static V hi(F32::V a)
        {
            return _mm512_cvtps_pd(_mm256_castpd_ps(_mm512_extractf64x4_pd(_mm512_castps_pd(a), 1)));
        }
        static M mask_lo(I32::M m) { return static_cast<M>(m & 0xFF); }
        static M mask_hi(I32::M m) { return static_cast<M>(m >> 8); }
        static I32::V trunc_join(V lo, V hi)
        {
            return _mm512_inserti64x4(_mm512_castsi256_si512(_mm512_cvttpd_epi32(lo)), _mm512_cvttpd_epi32(hi), 1);
        }
        static void store_trunc(int32_t* p, V a)
        {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm512_cvttpd_epi32(a));
        }
    };
    // ---- vectors from words; byte-masked accesses ----
    static V from_words(const uint64_t* w)
    {
        return _mm512_set_epi64(static_cast<long long>(w[7]), static_cast<long long>(w[6]),
                                static_cast<long long>(w[5]), static_cast<long long>(w[4]),
                                static_cast<long long>(w[3]), static_cast<long long>(w[2]),
                                static_cast<long long>(w[1]), static_cast<long long>(w[0]));
    }
    static constexpr bool kMasks = true;
    // The first n bytes at p (n at most 64), the others zero; the first n
    // bytes of v stored at p. No byte beyond the n is read or written.
    static V load_first(const uint8_t* p, size_t n) { return _mm512_maskz_loadu_epi8(first_bits(n), p); }
    static void store_first(uint8_t* p, size_t n, V v) { _mm512_mask_storeu_epi8(p, first_bits(n), v); }
    static __mmask64 first_bits(size_t n) { return n >= 64 ? ~__mmask64{0} : (__mmask64{1} << n) - 1; }
    // Bit j set where byte j of a equals byte j of b.
    static uint64_t eq8_bits(V a, V b) { return _mm512_cmpeq_epi8_mask(a, b); }
    // Byte j of the result is byte idx[j] % 128 of the 128 bytes a, b.
    static V permute8x2(V idx, V a, V b) { return _mm512_permutex2var_epi8(a, idx, b); }
    // ---- scaled copies: pixels picked out of row windows ----
    static V min_i32(V a, V b) { return _mm512_min_epi32(a, b); }
    static V max_i32(V a, V b) { return _mm512_max_epi32(a, b); }
    static V mulhi_u16(V a, V b) { return _mm512_mulhi_epu16(a, b); }
    static void prefetch(const uint8_t* p) { _mm_prefetch(reinterpret_cast<const char*>(p), _MM_HINT_T0); }
    static V gather32(const uint8_t* base, V idx) { return _mm512_i32gather_epi32(idx, base, 4); }
    static V pick_bytes(V w, V idx) { return _mm512_permutexvar_epi8(idx, w); }
    static V pick_bytes2(V a, V b, V idx) { return _mm512_permutex2var_epi8(a, idx, b); }
    static V pick_words(V w, V idx) { return _mm512_permutexvar_epi32(idx, w); }
    static V pick_in_words(V w, V idx)
    {
        const __m128i lane = _mm_setr_epi8(0, 0, 0, 0, 4, 4, 4, 4, 8, 8, 8, 8, 12, 12, 12, 12);
        return _mm512_shuffle_epi8(w, _mm512_add_epi8(idx, _mm512_broadcast_i32x4(lane)));
    }
    static V pick_words2(V a, V b, V idx) { return _mm512_permutex2var_epi32(a, idx, b); }
    // 48 bytes at d.
    static void store_low24(uint8_t* d, V v)
    {
        alignas(64) uint8_t pack[64];
        for (int j = 0; j < 64; ++j) pack[j] = static_cast<uint8_t>(j < 48 ? 4 * (j / 3) + j % 3 : 0);
        store48(d, permute8(load(pack), v));
    }
    // ---- the blur's wavefront: 32-bit pixels in lanes ----
    template <int n> static V slli16(V a) { return _mm512_slli_epi16(a, n); }
    static void transpose32(V* m)
    {
        V t[16], u[16];
        for (int i = 0; i < 16; i += 2) {
            t[i] = _mm512_unpacklo_epi32(m[i], m[i + 1]);
            t[i + 1] = _mm512_unpackhi_epi32(m[i], m[i + 1]);
        }
        for (int i = 0; i < 16; i += 4) {
            u[i] = _mm512_unpacklo_epi64(t[i], t[i + 2]);
            u[i + 1] = _mm512_unpackhi_epi64(t[i], t[i + 2]);
            u[i + 2] = _mm512_unpacklo_epi64(t[i + 1], t[i + 3]);
            u[i + 3] = _mm512_unpackhi_epi64(t[i + 1], t[i + 3]);
        }
        // u[4 i + c] holds, in its quarter q, column 4 q + c of rows 4 i .. 4 i + 3.
        for (int c = 0; c < 4; ++c) {
            const V a = _mm512_shuffle_i32x4(u[c], u[c + 4], 0x88), b = _mm512_shuffle_i32x4(u[c], u[c + 4], 0xDD);
            const V x = _mm512_shuffle_i32x4(u[c + 8], u[c + 12], 0x88);
            const V y = _mm512_shuffle_i32x4(u[c + 8], u[c + 12], 0xDD);
            m[c] = _mm512_shuffle_i32x4(a, x, 0x88);
            m[c + 8] = _mm512_shuffle_i32x4(a, x, 0xDD);
            m[c + 4] = _mm512_shuffle_i32x4(b, y, 0x88);
            m[c + 12] = _mm512_shuffle_i32x4(b, y, 0xDD);
        }
    }
    static V load24_to_32(const uint8_t* p) { return spread24(load(p)); }
    static V load24_to_32_tight(const uint8_t* p) { return spread24(load48(p)); }
    // The low three bytes of each 32-bit lane, packed into the first 48.
    static V low24_packed(V v)
    {
        alignas(64) uint8_t pack[64];
        for (int j = 0; j < 64; ++j) pack[j] = static_cast<uint8_t>(j < 48 ? 4 * (j / 3) + j % 3 : 0);
        return permute8(load(pack), v);
    }
    static V spread24(V v)
    {
        alignas(64) uint8_t spread[64];
        for (int j = 0; j < 64; ++j) spread[j] = static_cast<uint8_t>(3 * (j / 4) + (j % 4 < 3 ? j % 4 : 0));
        return permute8(load(spread), v);
    }
    static V up_lane32(V prev, V cur) { return _mm512_alignr_epi32(cur, prev, 15); }
    static V down_lane32(V cur, V next) { return _mm512_alignr_epi32(next, cur, 1); }
    static V gt32(V a, V b) { return _mm512_maskz_mov_epi32(_mm512_cmpgt_epi32_mask(a, b), _mm512_set1_epi32(-1)); }
};

#endif  // __AVX512BW__ && __AVX512VL__

// ---- pieces built from the operations above, for any of the structs ----

// The exact 255-blend of every byte: (s * a + d * (255 - a)) / 255 for bytes
// s, d and weights a in 0..255 (a = 0 gives d, a = 255 gives s). The quotient
// of x in 0..65025 by 255 is (x + 1 + (x >> 8)) >> 8, whose sums stay within
// 16 bits.
template <class S>
inline typename S::V blend255_bytes(typename S::V s, typename S::V d, typename S::V a)
{
    using V = typename S::V;
    const V z = S::zero(), k255 = S::set1_16(255), one = S::set1_16(1);
    auto half = [&](V s16, V d16, V a16) {
        const V x = S::add16(S::mullo16(s16, a16), S::mullo16(d16, S::sub16(k255, a16)));
        return S::template srli16<8>(S::add16(S::add16(x, one), S::template srli16<8>(x)));
    };
    const V lo = half(S::unpacklo8(s, z), S::unpacklo8(d, z), S::unpacklo8(a, z));
    const V hi = half(S::unpackhi8(s, z), S::unpackhi8(d, z), S::unpackhi8(a, z));
    return S::packus16(lo, hi);
}

// The same blend with each quotient taken by a multiply: x / 255 is
// (x * 32897) >> 23 for every 16-bit x, two operations where the sums above
// take four (the multiply is the slower of them; a kernel with little else to
// do gains).
template <class S>
inline typename S::V blend255_bytes_by_multiply(typename S::V s, typename S::V d, typename S::V a)
{
    using V = typename S::V;
    const V z = S::zero(), k255 = S::set1_16(255), k = S::set1_16(32897);
    auto half = [&](V s16, V d16, V a16) {
        const V x = S::add16(S::mullo16(s16, a16), S::mullo16(d16, S::sub16(k255, a16)));
        return S::template srli16<7>(S::mulhi_u16(x, k));
    };
    const V lo = half(S::unpacklo8(s, z), S::unpacklo8(d, z), S::unpacklo8(a, z));
    const V hi = half(S::unpackhi8(s, z), S::unpackhi8(d, z), S::unpackhi8(a, z));
    return S::packus16(lo, hi);
}

// Vector k (0, 1 or 2) of a run of 24-bit pixels that all hold the bytes c[0],
// c[1], c[2]; three such vectors hold S::kBytes whole pixels. Built in
// registers from 64-bit words, since kernels make these for every row.
template <class S>
inline typename S::V pattern24(const uint8_t c[3], int k)
{
    // A pixel's bytes times 1 + 2^24 + 2^48: eight bytes of the run from its
    // byte p, the three copies side by side without overlapping.
    const auto eight = [c](int p) {
        const uint32_t x = uint32_t{c[p % 3]} | uint32_t{c[(p + 1) % 3]} << 8 | uint32_t{c[(p + 2) % 3]} << 16;
        return uint64_t{x} * 0x0001000001000001ull;
    };
    // Word j of the vector begins at byte k * kBytes + 8 j of the run, so
    // the words begin at bytes p, p + 2, p + 1, p, ... of a pixel.
    const int p = k * S::kBytes % 3;
    const uint64_t phase[3] = {eight(p), eight(p + 2), eight(p + 1)};
    uint64_t words[S::kBytes / 8];
    for (int j = 0; j < S::kBytes / 8; ++j) words[j] = phase[j % 3];
    return S::from_words(words);
}

// 0xFF in byte `which` (0, 1 or 2) of each 24-bit pixel of vector k, else 0.
template <class S>
inline typename S::V lane24(int which, int k)
{
    uint8_t c[3] = {0, 0, 0};
    c[which] = 0xFF;
    return pattern24<S>(c, k);
}

// Every byte of each 32-bit pixel replaced by the pixel's byte 3.
template <class S>
inline typename S::V spread_alpha32(typename S::V v)
{
    using V = typename S::V;
    const V a = S::template srli32<24>(v);
    const V a2 = S::or_(a, S::template slli32<8>(a));
    return S::or_(a2, S::template slli32<16>(a2));
}

// For three vectors of 24-bit pixels: 0xFF on all three bytes of each pixel
// whose three bytes are all marked in eq (0xFF / 0x00 bytes), else 0.
template <class S>
inline void whole_pixels24(const typename S::V eq[3], const typename S::V first[3], typename S::V out[3])
{
    using V = typename S::V;
    const V z = S::zero();
    V all[3];
    for (int k = 0; k < 3; ++k) {
        const V next = k < 2 ? eq[k + 1] : z;
        // At each pixel's first byte: that byte and the two after it.
        all[k] = S::and_(first[k], S::and_(eq[k], S::and_(S::template shr_across<1>(eq[k], next),
                                                          S::template shr_across<2>(eq[k], next))));
    }
    for (int k = 0; k < 3; ++k) {
        const V prev = k > 0 ? all[k - 1] : z;
        // Then onto the pixel's second and third bytes.
        const V second = S::template shl_across<1>(prev, all[k]), third = S::template shl_across<2>(prev, all[k]);
        out[k] = S::or_(all[k], S::or_(second, third));
    }
}

// For three vectors of 24-bit pixels: each pixel's byte 2 copied into its
// bytes 0 and 1 (a 24-bit mask's weight for the whole pixel).
template <class S>
inline void spread_red24(const typename S::V in[3], const typename S::V red[3], typename S::V out[3])
{
    using V = typename S::V;
    V r[3];
    for (int k = 0; k < 3; ++k) r[k] = S::and_(in[k], red[k]);
    for (int k = 0; k < 3; ++k) {
        const V next = k < 2 ? r[k + 1] : S::zero();
        out[k] = S::or_(r[k], S::or_(S::template shr_across<1>(r[k], next), S::template shr_across<2>(r[k], next)));
    }
}

}  // namespace PIXMILL_LVL
}  // namespace pixmill
