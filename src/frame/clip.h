// The clip procedures. Arithmetic runs in 64 bits, so no argument can make it
// overflow: where the 32-bit sums would not overflow the result is the same,
// and where they would, the rectangle is simply cut to what lies inside.
#pragma once

#include <cstdint>

namespace pixmill {

// A destination rectangle and a source position, all top-down pixels.
struct Block {
    int32_t dx, dy, w, h, sx, sy;
};

// Clips a block transfer against a destination of dw x dr and a source of
// sw x sr pixels. Returns false when nothing is to be drawn. On true the block
// lies inside both surfaces: 0 <= dx, dx + w <= dw, 0 <= sx, sx + w <= sw, and
// likewise for the rows.
//
// The rules, in order: a rectangle starting beyond either surface is rejected
// (a start equal to the width or row count passes and ends up empty); a
// negative destination origin cuts the rectangle and moves the source origin
// along; a negative source origin is moved to 0 without cutting anything; the
// destination's right and bottom edges cut; then the source's. The source's
// right edge is asymmetric: a rectangle that ends exactly at it keeps its last
// column, but one that would pass it is cut to Width - sx - 1, losing the
// source's last column as well.
bool clip_block(Block& b, int32_t dw, int32_t dr, int32_t sw, int32_t sr);

// One rectangle on one surface of width x rows pixels: the destination half of
// clip_block. Returns false when nothing is left.
struct Rect {
    int32_t x, y, w, h;
};
bool clip_rect(Rect& r, int32_t width, int32_t rows);

}  // namespace pixmill
