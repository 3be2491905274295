#include "effect/blur_rows.h"

#include <cstddef>

namespace pixmill {

namespace {

// Pixels whose four unchanging terms are gathered at a time, on the stack.
constexpr int32_t kBlurChunk = 512;

}  // namespace

// Of the five terms of a byte, four do not depend on what this row writes:
// up is the finished row above, down the untouched row below, and self and
// right are still as they were when the sweep reaches the pixel. So those
// four are summed for a chunk of pixels first, in a loop without
// dependencies, before the chunk is written. Only the left term, the byte
// just written, chains pixel to pixel, one chain per channel.
void blur_row(uint8_t* row, const uint8_t* above, const uint8_t* below, int32_t w, int32_t bpp, uint32_t edges)
{
    // A missing row above or below stands in with the pixel itself.
    const uint8_t* up = (edges & kBlurTopEdge) == 0 ? above : row;
    const uint8_t* down = (edges & kBlurBottomEdge) == 0 ? below : row;
    uint16_t partial[kBlurChunk * 4];
    uint32_t left[3] = {row[0], row[1], row[2]};  // the first pixel's left is itself
    for (int32_t i0 = 0; i0 < w; i0 += kBlurChunk) {
        const int32_t n = w - i0 < kBlurChunk ? w - i0 : kBlurChunk;
        const ptrdiff_t base = static_cast<ptrdiff_t>(i0) * bpp;
        uint8_t* p = row + base;
        const uint8_t* u = up + base;
        const uint8_t* d = down + base;
        // The chunk's right neighbours lie in the chunk, or (for its last
        // pixel) in the next chunk, not yet written; the row's last pixel is
        // its own right neighbour. Bytes 3 of 4-byte pixels are summed along
        // but never used.
        const bool row_end = i0 + n == w;
        const ptrdiff_t inner = static_cast<ptrdiff_t>(row_end ? n - 1 : n) * bpp;
        for (ptrdiff_t k = 0; k < inner; ++k)
            partial[k] = static_cast<uint16_t>(p[k] + p[k + bpp] + u[k] + d[k]);
        if (row_end)
            for (ptrdiff_t k = inner; k < inner + 3; ++k) partial[k] = static_cast<uint16_t>(2 * p[k] + u[k] + d[k]);
        for (int32_t i = 0; i < n; ++i, p += bpp) {
            const uint16_t* s = partial + static_cast<ptrdiff_t>(i) * bpp;
            for (int c = 0; c < 3; ++c) {
                left[c] = (s[c] + left[c]) / 5u;
                p[c] = static_cast<uint8_t>(left[c]);
            }
        }
    }
}

}  // namespace pixmill
