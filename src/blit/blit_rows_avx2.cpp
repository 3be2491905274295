// Block-transfer row kernels over 32-byte AVX2 vectors.
#include "blit/blit_rows_isa.h"

#if defined(__AVX2__)
#include "blit/blit_rows_vec.h"

namespace pixmill::avx2 {

void blend_row_32to32(uint8_t* dst, const uint8_t* src, int32_t w)
{
    blend_row_32to32_v<Avx2>(dst, src, w);
}

void key_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key)
{
    key_row_24to24_v<Avx2>(dst, src, w, key);
}

void alpha_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, int32_t alpha)
{
    alpha_row_24to24_v<Avx2>(dst, src, w, alpha);
}

void key_alpha_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, int32_t alpha)
{
    key_alpha_row_24to24_v<Avx2>(dst, src, w, key, alpha);
}

void mask_blend_row_24to24(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w)
{
    mask_blend_row_24to24_v<Avx2>(dst, src, mask, w);
}

// Thirty-two pixels at a time: the 24-bit destination is spread to 32-bit
// pixels a 16-byte vector at a time (byte shuffles do not cross the halves of
// a 32-byte vector), blended in 32-byte vectors, and packed back.
void blend_row_32to24(uint8_t* dst, const uint8_t* src, int32_t w)
{
    using V = Avx2::V;
    using X = Ssse3::V;
    constexpr ptrdiff_t n = 32;
    ptrdiff_t i = 0;
    if (!ranges_overlap(dst, 3 * static_cast<size_t>(w), src, 4 * static_cast<size_t>(w))) {
        const V alpha = Avx2::set1_32(0xFF000000u);
        for (; i + n <= w; i += n) {
            uint8_t* d = dst + 3 * i;
            V s[4];
            for (int k = 0; k < 4; ++k) s[k] = Avx2::load(src + 4 * i + 32 * k);
            const V any = Avx2::and_(Avx2::or_(Avx2::or_(s[0], s[1]), Avx2::or_(s[2], s[3])), alpha);
            if (Avx2::all_zero(any)) continue;  // all transparent: nothing written
            X d24[6], spread[8], mixed[8], out[6];
            for (int k = 0; k < 6; ++k) d24[k] = Ssse3::load(d + 16 * k);
            Ssse3::expand24(d24, spread);
            Ssse3::expand24(d24 + 3, spread + 4);
            for (int k = 0; k < 4; ++k) {
                const V dv = _mm256_set_m128i(spread[2 * k + 1], spread[2 * k]);
                const V m = blend255_bytes<Avx2>(s[k], dv, spread_alpha32<Avx2>(s[k]));
                mixed[2 * k] = _mm256_castsi256_si128(m);
                mixed[2 * k + 1] = _mm256_extracti128_si256(m, 1);
            }
            Ssse3::compress24(mixed, out, Ssse3::colour_bytes_pick());
            Ssse3::compress24(mixed + 4, out + 3, Ssse3::colour_bytes_pick());
            for (int k = 0; k < 6; ++k) Ssse3::store(d + 16 * k, out[k]);
        }
    }
    if (i < w) pixmill::blend_row_32to24(dst + 3 * i, src + 4 * i, static_cast<int32_t>(w - i));
}

}  // namespace pixmill::avx2

#endif
