// The alpha filter that gives a keyed sprite soft edges: an in-place pass over
// the alpha bytes of a rectangle of a 32-bit surface that never raises an
// alpha, lowering it along the edges of the opaque area a little further
// inwards with each pass while transparent pixels stay transparent.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pixmill {

// Runs passes passes (none when passes < 1) over the w x h rectangle whose
// bottom-left pixel (the lowest array row, lowest address) is at base; array
// row i of the rectangle begins at base + i * stride_bytes. Only byte 3 of each
// pixel is read or written, and nothing outside the rectangle is touched.
//
// Each pass sweeps array rows from the bottom row upwards and pixels left to
// right, updating in place: with L, R, B, T the alphas of the left, right,
// lower-array-row and upper-array-row neighbours (0 outside the rectangle),
// t = 255 - ((255 - L) + (255 - R) + (255 - B) + (255 - T)) / 4 and the
// alpha becomes 0 if it is below t, otherwise t. Left and lower neighbours
// therefore already hold this pass's values, right and upper ones the last
// pass's.
void soften_alpha(uint8_t* base, ptrdiff_t stride_bytes, int32_t w, int32_t h, int32_t passes);

// One pass of soften_alpha; returns false when it changed no byte.
bool soften_alpha_pass(uint8_t* base, ptrdiff_t stride_bytes, int32_t w, int32_t h);

}  // namespace pixmill
