// The hue, lightness, saturation row kernel over 4 pixels in 128-bit SSE2 vectors.
#include "filter/hls_rows_isa.h"

#if defined(__SSE2__)
#include "filter/hls_rows_vec.h"

namespace pixmill::sse2 {

void adjust_hls_row_32(uint8_t* row, int32_t w, const HlsDeltas& deltas)
{
    adjust_hls_row_32_v<HlsSse2>(row, w, deltas);
}

}  // namespace pixmill::sse2

#endif
