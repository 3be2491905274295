// Bar and outline row kernels over 64-byte AVX-512 vectors.
#include "draw/draw_rows_isa.h"

#if defined(__AVX512BW__) && defined(__AVX512VL__)
#include "draw/draw_rows_vec.h"

namespace pixmill::avx512 {

void fill_row_24(uint8_t* dst, int32_t w, Bgr c)
{
    fill_row_24_v<Avx512>(dst, w, c);
}

void fill_row_32(uint8_t* dst, int32_t w, Bgr c)
{
    fill_row_32_v<Avx512>(dst, w, c);
}

void fill_row_32_alpha_byte(uint8_t* dst, int32_t w, Bgr c, uint8_t alpha)
{
    fill_row_32_alpha_byte_v<Avx512>(dst, w, c, alpha);
}

void blend_row_24(uint8_t* dst, int32_t w, const ConstBlend& k)
{
    blend_row_24_v<Avx512>(dst, w, k);
}

void blend_row_32(uint8_t* dst, int32_t w, const ConstBlend& k)
{
    blend_row_32_v<Avx512>(dst, w, k);
}

void mask_blend_row_24(uint8_t* dst, const uint8_t* mask, int32_t w, Bgr c)
{
    mask_blend_row_24_v<Avx512>(dst, mask, w, c);
}

}  // namespace pixmill::avx512

#endif
