// Row kernels of the scaled copies: one function per per-pixel rule, over n
// destination pixels of one row. The walk hands each kernel the source
// column of every pixel (cols[i], counted from the surface's column 0), so the
// kernels know nothing of ratios, clipping or row addressing. These scalar
// kernels define the arithmetic.
#pragma once

#include <cstdint>

#include "frame/colour_key.h"

// The scaled-copy kernels that have vector forms (stretch/stretch_rows_vec.h):
// each entry names the table member and the scalar kernel that defines it.
// Every kernel takes the columns of one destination row as the walk gives
// them: non-decreasing (the source column never moves left as the
// destination column moves right).
#define PIXMILL_STRETCH_KERNELS(K)                   \
    K(sample_24to24, sample_row_24to24)               \
    K(sample_24to32, sample_row_24to32)               \
    K(sample_32to32_whole, sample_row_32to32_whole)   \
    K(smooth_24to24, smooth_row_24to24)               \
    K(smooth_24to32, smooth_row_24to32)               \
    K(smooth_32to32_whole, smooth_row_32to32_whole)

namespace pixmill {

// The source rows one destination row reads, each pointing at column 0.
// above and below are the sample row itself where that neighbour does not
// exist: above on the clipped rectangle's first row, below on the surface's
// last row. last_col is the surface's last column, where the right neighbour
// stops.
struct SourceRows {
    const uint8_t* above;
    const uint8_t* row;
    const uint8_t* below;
    int32_t last_col;
    bool unit_step;  // cols[i] == cols[0] + i for every column of the row
    // A hint for kernels that fetch early: the sample row of the destination
    // row the walk takes next and that row's neighbour farther along the
    // walk, or null on the last row. Never read for the result.
    const uint8_t* ahead[2] = {nullptr, nullptr};
};

// ---- nearest sample: each destination pixel takes source pixel cols[i] of row

// Colour bytes copied; a 32-bit destination keeps its fourth byte.
void sample_row_24to24(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
void sample_row_24to32(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
// Blended with a constant alpha, used whole (see blend255).
void sample_row_24to24_alpha(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n, int32_t alpha);
void sample_row_24to32_alpha(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n, int32_t alpha);
// As the two above, but a sample equal to the key leaves its pixel alone.
void sample_row_24to24_key(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n, ColorKey key);
void sample_row_24to32_key(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n, ColorKey key);
void sample_row_24to24_key_alpha(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n, ColorKey key,
                                 int32_t alpha);
void sample_row_24to32_key_alpha(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n, ColorKey key,
                                 int32_t alpha);
// Blended by the sample's own alpha: 0 leaves the pixel, 255 copies; the
// destination's fourth byte is never written.
void sample_row_32to24(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
void sample_row_32to32(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
// All four bytes copied.
void sample_row_32to32_whole(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);

// The copies above for a run of n consecutive source pixels starting at src
// (the columns of a ratio of 1). The result is that of copying pixel by
// pixel from the left, each read whole before it is written, also when the
// run overlaps the destination (a call whose source is its destination).
void copy_run_24to24(uint8_t* dst, const uint8_t* src, int32_t n);
void copy_run_32to32(uint8_t* dst, const uint8_t* src, int32_t n);

// ---- five-point average: the sample and its left, right, upper and lower
// neighbours, summed per byte and divided by 5 (truncated). A neighbour off
// the source surface (left of column 0, right of last_col, below the last
// row) or above the clipped rectangle counts as the sample again. The rules
// that follow are those of the nearest kernels applied to the average.

void smooth_row_24to24(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
void smooth_row_24to32(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
void smooth_row_24to24_alpha(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n, int32_t alpha);
void smooth_row_24to32_alpha(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n, int32_t alpha);
// Keyed: a sample equal to the key leaves its pixel alone; otherwise every
// neighbour equal to the key counts as the sample.
void smooth_row_24to24_key(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n, ColorKey key);
void smooth_row_24to32_key(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n, ColorKey key);
void smooth_row_24to24_key_alpha(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n, ColorKey key,
                                 int32_t alpha);
void smooth_row_24to32_key_alpha(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n, ColorKey key,
                                 int32_t alpha);
// Blended by the sample's alpha alone (the neighbours' alphas play no part);
// alpha 0 leaves the pixel without averaging.
void smooth_row_32to24(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
void smooth_row_32to32(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
// All four bytes averaged and stored.
void smooth_row_32to32_whole(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);

}  // namespace pixmill
