// Channel operations' row kernels and the colour sums over 64-byte AVX-512 vectors.
#include "filter/channel_rows_isa.h"

#if defined(__AVX512BW__) && defined(__AVX512VL__)
#include "filter/channel_rows_vec.h"

namespace pixmill::avx512 {

void invert_row_24(uint8_t* row, int32_t w)
{
    invert_row_24_v<Avx512>(row, w);
}

void invert_row_32(uint8_t* row, int32_t w)
{
    invert_row_32_v<Avx512>(row, w);
}

void invert_alpha_row_32(uint8_t* row, int32_t w)
{
    invert_alpha_row_32_v<Avx512>(row, w);
}

void add_alpha_row_32(uint8_t* row, int32_t w, int32_t delta)
{
    add_alpha_row_32_v<Avx512>(row, w, delta);
}

void set_alpha_row_32(uint8_t* row, int32_t n, uint8_t alpha)
{
    set_alpha_row_32_v<Avx512>(row, n, alpha);
}

void flip_row_32(uint8_t* row, int32_t w)
{
    flip_row_32_v<Avx512>(row, w);
}

void sum_row_24(const uint8_t* row, int32_t w, ColourSums& sums)
{
    sum_row_24_v<Avx512>(row, w, sums);
}

}  // namespace pixmill::avx512

#endif
