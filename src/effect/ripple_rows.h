// The ripple's offsets over a run of columns of one row: the unit its vector
// versions work in. The offsets depend on the position alone, so they may be
// worked out ahead of the sweep that moves the pixels.
#pragma once

#include <cstdint>

// The ripple's kernels with vector forms (effect/ripple_rows_vec.h): each
// entry names the table member and the scalar kernel that defines it.
#define PIXMILL_RIPPLE_KERNELS(K) K(ripple_offsets, ripple_offsets_row)

namespace pixmill {

// One row of the ripple: the ring centre's column, the square of the row's
// distance from the ring centre, the phase per pixel and the largest
// offsets, all as the scalar code widens them to double.
struct RippleRow {
    double cxf, dj2, k, amp_x, amp_y;
};

// The offsets of columns i0 .. i0 + n - 1: with d = sqrt((i - cxf)^2 + dj2)
// and s = sine(d k), du[c] = s amp_x and dv[c] = s amp_y truncated, for
// column i0 + c. Columns are below 2^31, so every i - cxf is exact.
void ripple_offsets_row(const RippleRow& r, int32_t i0, int32_t n, int32_t* du, int32_t* dv);

}  // namespace pixmill
