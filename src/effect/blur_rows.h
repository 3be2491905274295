// Row kernel of the in-place five-point blur.
#pragma once

#include <cstddef>
#include <cstdint>

// The blur's kernels with vector forms (effect/blur_rows_vec.h): each entry
// names the table member and the scalar kernel that defines it. SSE2 keeps
// the scalar rows for 24-bit pixels (its wavefront measured slower than them,
// with no byte shuffles to widen the pixels); every other level and pixel
// size runs the wavefront.
#define PIXMILL_BLUR_KERNELS(K) K(blur_rect, blur_rect_rows)

namespace pixmill {

// Where a row's upper or lower neighbours are missing; the pixel itself is
// used in their place.
enum BlurEdge : uint32_t {
    kBlurTopEdge = 1,     // the rectangle's top row: nothing above is read
    kBlurBottomEdge = 2,  // the surface's bottom row: nothing below exists
};

// Blurs bytes 0, 1 and 2 of the w pixels of row (bpp bytes apart, 3 or 4) in
// place, left to right: each byte becomes the sum of itself, its left and
// right neighbours in the row and the bytes above and below, divided by 5.
// The left neighbour is the one just written; the first and last pixels stand
// in for their missing outer neighbour. above is the row above as already
// blurred, below the row below as it is now; either is ignored (and may be
// null) when edges names it. Byte 3 of a 4-byte pixel is never touched.
void blur_row(uint8_t* row, const uint8_t* above, const uint8_t* below, int32_t w, int32_t bpp, uint32_t edges);

// Two consecutive rows at once, the same bytes as blur_row on row and then on
// next (the row below it). The lower row runs a pixel behind the upper one:
// its pixel i needs the upper row's pixel i already blurred, and the upper
// row's pixel i needs the lower row's pixel i not yet blurred, and nothing
// else either row reads is written by the other. kBlurTopEdge in edges is
// about row (above is then ignored), kBlurBottomEdge about next (below, the
// row under next, is then ignored).
void blur_row_pair(uint8_t* row, const uint8_t* above, uint8_t* next, const uint8_t* below, int32_t w, int32_t bpp,
                   uint32_t edges);

// The h rows of a rectangle w pixels wide, first the row at first, each next
// row down bytes further on (down is negative in bottom-up arrays), in sweep
// order. kBlurTopEdge: first is the rectangle's top row (else the row above
// it, at first - down, is already blurred and is read); kBlurBottomEdge: the
// last row is the surface's bottom row (else the row below it is read).
void blur_rect_rows(uint8_t* first, ptrdiff_t down, int32_t w, int32_t h, int32_t bpp, uint32_t edges);

}  // namespace pixmill
