// The clip of the scaled copies. It keeps separate source and destination
// sizes, so it is not clip_block: a negative source origin shortens the source
// rectangle instead of only moving it, and the source's right bound is
// Width - 1, so a source rectangle reaching the right edge loses its last
// column. Arithmetic runs in 64 bits, so no argument can make it overflow.
#pragma once

#include <cstdint>

namespace pixmill {

// Destination rectangle dx, dy, dw, dh and source rectangle sx, sy, sw, sh,
// all top-down pixels.
struct StretchRect {
    int32_t dx, dy, dw, dh, sx, sy, sw, sh;
};

// Clips r against a destination of dwidth x drows and a source of
// swidth x srows pixels. Returns false when nothing is to be drawn.
//
// The rules, in order: an origin beyond either surface is rejected (one equal
// to the width or row count passes); a negative destination origin cuts the
// destination and moves the source origin by the same, unscaled, amount; a
// negative source origin cuts the source rectangle; the destination's right
// and bottom edges cut; the source's right edge cuts at Width - 1, its bottom
// edge at Rows; an empty destination is rejected.
//
// Those rules can leave a source rectangle whose first sample lies outside the
// source (sw < 0, sh < 0, an origin on or past the last row or column); such a
// call is rejected too, rather than sampling memory it was never given.
//
// On true: 0 <= dx, 1 <= dw, dx + dw <= dwidth; 0 <= dy, 1 <= dh,
// dy + dh <= drows; 0 <= sx, 0 <= sw, sx + sw <= swidth - 1;
// 0 <= sy < srows, 0 <= sh, sy + sh <= srows.
bool clip_stretch(StretchRect& r, int32_t dwidth, int32_t drows, int32_t swidth, int32_t srows);

}  // namespace pixmill
