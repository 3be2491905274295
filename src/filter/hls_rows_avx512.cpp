// The hue, lightness, saturation row kernel over 16 pixels in 512-bit AVX-512 vectors.
#include "filter/hls_rows_isa.h"

#if defined(__AVX512F__) && defined(__AVX512BW__)
#include "filter/hls_rows_vec.h"

namespace pixmill::avx512 {

void adjust_hls_row_32(uint8_t* row, int32_t w, const HlsDeltas& deltas)
{
    adjust_hls_row_32_v<HlsAvx512>(row, w, deltas);
}

}  // namespace pixmill::avx512

#endif
