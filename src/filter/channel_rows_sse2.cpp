// Channel operations' row kernels and the colour sums over 16-byte SSE2 vectors.
#include "filter/channel_rows_isa.h"

#if defined(__SSE2__)
#include "filter/channel_rows_vec.h"

namespace pixmill::sse2 {

void invert_row_24(uint8_t* row, int32_t w)
{
    invert_row_24_v<Sse2>(row, w);
}

void invert_row_32(uint8_t* row, int32_t w)
{
    invert_row_32_v<Sse2>(row, w);
}

void invert_alpha_row_32(uint8_t* row, int32_t w)
{
    invert_alpha_row_32_v<Sse2>(row, w);
}

void add_alpha_row_32(uint8_t* row, int32_t w, int32_t delta)
{
    add_alpha_row_32_v<Sse2>(row, w, delta);
}

void set_alpha_row_32(uint8_t* row, int32_t n, uint8_t alpha)
{
    set_alpha_row_32_v<Sse2>(row, n, alpha);
}

void flip_row_32(uint8_t* row, int32_t w)
{
    flip_row_32_v<Sse2>(row, w);
}

void sum_row_24(const uint8_t* row, int32_t w, ColourSums& sums)
{
    sum_row_24_v<Sse2>(row, w, sums);
}

}  // namespace pixmill::sse2

#endif
