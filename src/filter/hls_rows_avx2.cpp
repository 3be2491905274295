// The hue, lightness, saturation row kernel over 8 pixels in 256-bit AVX2 vectors.
#include "filter/hls_rows_isa.h"

#if defined(__AVX2__)
#include "filter/hls_rows_vec.h"

namespace pixmill::avx2 {

void adjust_hls_row_32(uint8_t* row, int32_t w, const HlsDeltas& deltas)
{
    adjust_hls_row_32_v<HlsAvx2>(row, w, deltas);
}

}  // namespace pixmill::avx2

#endif
