// Row kernel of the hue, lightness, saturation adjustment.
#pragma once

#include <cstdint>

// The hue, lightness, saturation kernel with a vector form
// (filter/hls_rows_vec.h): the table member and the scalar kernel defining it.
#define PIXMILL_HLS_KERNELS(K) K(adjust_hls_32, adjust_hls_row_32)

namespace pixmill {

struct HlsDeltas {
    int32_t hue, lum, sat;
};

// Each 32-bit pixel's colour goes to hue, lightness and saturation, the
// deltas are added (hue and lightness cut to 0..240, not wrapped; a
// saturation of 0 or less makes a grey, above 240 is cut to 240) and the
// result goes back to colour. The alpha byte is neither read nor written.
// Every pixel makes the round trip, even with all deltas 0.
void adjust_hls_row_32(uint8_t* row, int32_t w, const HlsDeltas& deltas);

}  // namespace pixmill
