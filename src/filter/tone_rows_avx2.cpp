// The offsets' and the contrast's row kernels over 32-byte AVX2 vectors.
#include "filter/tone_rows_isa.h"

#if defined(__AVX2__)
#include <cstring>

#include "filter/tone_rows_vec.h"

namespace pixmill::avx2 {

void offset_row_24(uint8_t* row, int32_t w, const OffsetTables& t)
{
    offset_row_24_v<Avx2>(row, w, t);
}

void offset_row_24_keyed(uint8_t* row, int32_t w, const OffsetTables& t, ColorKey key)
{
    offset_row_24_keyed_v<Avx2>(row, w, t, key);
}

void offset_row_32(uint8_t* row, int32_t w, const OffsetTables& t)
{
    offset_row_32_v<Avx2>(row, w, t);
}

namespace {

// The factor as m / 2^k with whole numbers m and k, exactly, after two
// changes that leave every byte as it was: NaN becomes 0 (a NaN product
// counts as 0, and so does 0 times anything), and a factor beyond +-256
// becomes +-256 (every product but 0 then lies beyond +-256 and saturates,
// and 0 times an infinity, NaN, counts as 0). What is left is a single-
// precision number of at most 256 in size: its 24-bit significand m and its
// binary exponent. |m| < 2^24 and |d| <= 128, so d * m fits in 32 bits.
// Once k reaches 31 every quotient |d * m| / 2^k is below 1, as it is for
// any larger k, so k is cut there.
struct ExactFactor {
    int32_t m;
    int32_t k;
};

ExactFactor exact_factor(float f)
{
    uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    const uint32_t sign = bits & 0x80000000u;
    uint32_t magnitude = bits & 0x7FFFFFFFu;
    if (magnitude > 0x7F800000u) magnitude = 0;               // NaN
    else if (magnitude > 0x43800000u) magnitude = 0x43800000u;  // beyond 256.0f, infinity included
    const uint32_t exponent = magnitude >> 23;
    uint32_t m = magnitude & 0x7FFFFFu;
    int32_t k = 149;  // zero and the subnormals: m / 2^149
    if (exponent != 0) {
        m |= 0x800000u;
        k = 150 - static_cast<int32_t>(exponent);
    }
    const int32_t signed_m = sign ? -static_cast<int32_t>(m) : static_cast<int32_t>(m);
    return {signed_m, k < 31 ? k : 31};
}

}  // namespace

// Each byte's q = trunc((byte - 128) * m / 2^k) in whole numbers: the product
// is exact in 32 bits, and the quotient truncates toward zero by adding
// 2^k - 1 to a negative product before the arithmetic shift. That is the
// scalar kernel's q for every byte (its double product is exact too, and its
// cut at +-256 decides no byte). Then q + 128 saturates to a byte through
// the signed 16-bit and unsigned 8-bit packs, which is the clamp.
void contrast_row_24(uint8_t* row, int32_t w, const ContrastTable& t)
{
    const ExactFactor f = exact_factor(t.factor);
    const __m256i m = _mm256_set1_epi32(f.m), mid = _mm256_set1_epi32(128), mid16 = _mm256_set1_epi16(128);
    const __m256i round_up = _mm256_set1_epi32(static_cast<int32_t>((1u << f.k) - 1));
    const __m128i k = _mm_cvtsi32_si128(f.k);
    // The packs work within 128-bit halves; this puts the 4-byte groups back in order.
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    auto eight = [&](const uint8_t* p) {
        const __m128i bytes = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(p));
        const __m256i x = _mm256_mullo_epi32(_mm256_sub_epi32(_mm256_cvtepu8_epi32(bytes), mid), m);
        const __m256i negative = _mm256_srai_epi32(x, 31);
        return _mm256_sra_epi32(_mm256_add_epi32(x, _mm256_and_si256(negative, round_up)), k);
    };
    const ptrdiff_t bytes = 3 * static_cast<ptrdiff_t>(w);
    ptrdiff_t i = 0;
    for (; i + 32 <= bytes; i += 32) {
        uint8_t* p = row + i;
        const __m256i lo = _mm256_adds_epi16(_mm256_packs_epi32(eight(p), eight(p + 8)), mid16);
        const __m256i hi = _mm256_adds_epi16(_mm256_packs_epi32(eight(p + 16), eight(p + 24)), mid16);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(p),
                            _mm256_permutevar8x32_epi32(_mm256_packus_epi16(lo, hi), order));
    }
    // Each byte depends on itself alone, so the last bytes need not be whole pixels.
    for (; i < bytes; ++i) row[i] = t.byte[row[i]];
}

}  // namespace pixmill::avx2

#endif
