// Block-transfer row kernels over 16-byte SSE2 vectors.
#include "blit/blit_rows_isa.h"

#if defined(__SSE2__)
#include "blit/blit_rows_vec.h"

namespace pixmill::sse2 {

void blend_row_32to32(uint8_t* dst, const uint8_t* src, int32_t w)
{
    blend_row_32to32_v<Sse2>(dst, src, w);
}

void key_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key)
{
    key_row_24to24_v<Sse2>(dst, src, w, key);
}

void alpha_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, int32_t alpha)
{
    alpha_row_24to24_v<Sse2>(dst, src, w, alpha);
}

void key_alpha_row_24to24(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, int32_t alpha)
{
    key_alpha_row_24to24_v<Sse2>(dst, src, w, key, alpha);
}

void mask_blend_row_24to24(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w)
{
    mask_blend_row_24to24_v<Sse2>(dst, src, mask, w);
}

}  // namespace pixmill::sse2

#endif
