// The vector versions of the hue, lightness, saturation row kernel, one
// namespace per instruction set, each compiled in its own file with that set's
// flags. They give the scalar kernel's bytes.
#pragma once

#include <cstdint>

#include "filter/hls_rows.h"

namespace pixmill {

namespace sse2 {
void adjust_hls_row_32(uint8_t* row, int32_t w, const HlsDeltas& deltas);
}  // namespace sse2

namespace avx2 {
void adjust_hls_row_32(uint8_t* row, int32_t w, const HlsDeltas& deltas);
}  // namespace avx2

namespace avx512 {
void adjust_hls_row_32(uint8_t* row, int32_t w, const HlsDeltas& deltas);
}  // namespace avx512

}  // namespace pixmill
