// Block-transfer row kernels over 64-byte AVX-512 vectors. The 3-to-4-byte
// moves use byte permutes across the whole vector, and loads and stores in
// 32- and 16-byte pieces, so a 24-bit run of sixteen pixels (48 bytes) is read
// and written exactly, without touching a byte past it.
#include "blit/blit_rows_isa.h"

#if defined(__AVX512BW__) && defined(__AVX512VL__) && defined(__AVX512VBMI__)
#include "blit/blit_rows_vec.h"

namespace pixmill::avx512 {

namespace {

constexpr __mmask64 kColourBytes = 0x7777777777777777ull;  // bytes 0..2 of each 32-bit pixel

// Byte 4p + c of the result takes byte 3p + c of a run of 24-bit pixels.
inline __m512i spread24_index()
{
    alignas(64) uint8_t idx[64];
    for (int j = 0; j < 64; ++j) idx[j] = static_cast<uint8_t>(3 * (j / 4) + (j % 4 < 3 ? j % 4 : 0));
    return _mm512_load_si512(idx);
}

// Byte 3p + c of the result takes byte 4p + c of a run of 32-bit pixels.
inline __m512i pack24_index()
{
    alignas(64) uint8_t idx[64];
    for (int j = 0; j < 64; ++j) idx[j] = static_cast<uint8_t>(j < 48 ? 4 * (j / 3) + j % 3 : 0);
    return _mm512_load_si512(idx);
}

// The 48 bytes at p, as a 32-byte and a 16-byte access (byte-masked
// accesses measured twice as slow).
inline __m512i load48(const uint8_t* p)
{
    const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
    return _mm512_inserti64x4(_mm512_castsi256_si512(lo), _mm256_castsi128_si256(hi), 1);
}

inline void store48(uint8_t* p, __m512i v)
{
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(p), _mm512_castsi512_si256(v));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 32), _mm512_extracti32x4_epi32(v, 2));
}

}  // namespace

void blend_row_32to32(uint8_t* dst, const uint8_t* src, int32_t w)
{
    blend_row_32to32_v<Avx512>(dst, src, w);
}

void key_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key)
{
    key_row_24to24_v<Avx512>(dst, src, w, key);
}

void alpha_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, int32_t alpha)
{
    alpha_row_24to24_v<Avx512>(dst, src, w, alpha);
}

void key_alpha_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, int32_t alpha)
{
    key_alpha_row_24to24_v<Avx512>(dst, src, w, key, alpha);
}

void mask_blend_row_24to24(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w)
{
    mask_blend_row_24to24_v<Avx512>(dst, src, mask, w);
}

// Sixteen pixels at a time: the colour bytes land in place, the destination's
// fourth bytes are stored back as they were.
void copy_row_24to32(uint8_t* dst, const uint8_t* src, int32_t w)
{
    constexpr ptrdiff_t n = 16;
    ptrdiff_t i = 0;
    if (!ranges_overlap(dst, 4 * static_cast<size_t>(w), src, 3 * static_cast<size_t>(w))) {
        const __m512i spread = spread24_index();
        for (; i + n <= w; i += n) {
            const __m512i s = _mm512_permutexvar_epi8(spread, load48(src + 3 * i));
            uint8_t* d = dst + 4 * i;
            _mm512_storeu_si512(d, _mm512_mask_blend_epi8(kColourBytes, _mm512_loadu_si512(d), s));
        }
    }
    if (i < w) pixmill::copy_row_24to32(dst + 4 * i, src + 3 * i, static_cast<int32_t>(w - i));
}

// Sixteen pixels at a time: the 24-bit destination spread to 32-bit pixels,
// blended with the source's own alpha, and packed back.
void blend_row_32to24(uint8_t* dst, const uint8_t* src, int32_t w)
{
    constexpr ptrdiff_t n = 16;
    ptrdiff_t i = 0;
    if (!ranges_overlap(dst, 3 * static_cast<size_t>(w), src, 4 * static_cast<size_t>(w))) {
        const __m512i spread = spread24_index(), pack = pack24_index();
        const __m512i alpha = _mm512_set1_epi32(static_cast<int>(0xFF000000u));
        for (; i + n <= w; i += n) {
            uint8_t* d = dst + 3 * i;
            const __m512i s = _mm512_loadu_si512(src + 4 * i);
            if (_mm512_test_epi32_mask(s, alpha) == 0) continue;  // all transparent: nothing written
            const __m512i dv = _mm512_permutexvar_epi8(spread, load48(d));
            const __m512i mixed = blend255_bytes<Avx512>(s, dv, spread_alpha32<Avx512>(s));
            store48(d, _mm512_permutexvar_epi8(pack, mixed));
        }
    }
    if (i < w) pixmill::blend_row_32to24(dst + 3 * i, src + 4 * i, static_cast<int32_t>(w - i));
}

}  // namespace pixmill::avx512

#endif
