#include "effect/blur_rows.h"

#include <cstddef>

namespace pixmill {

namespace {

// Pixels whose unchanging terms are gathered at a time, on the stack.
constexpr int32_t kBlurChunk = 512;

// The chunk of n pixels starting at byte base: how many of its bytes have
// their right neighbour in the row (the row's last pixel is its own right
// neighbour, so when the chunk ends the row its last pixel is left out).
inline ptrdiff_t bytes_with_right(int32_t i0, int32_t n, int32_t w, int32_t bpp)
{
    return static_cast<ptrdiff_t>(i0 + n == w ? n - 1 : n) * bpp;
}

}  // namespace

// Of the five terms of a byte, four do not depend on what this row writes:
// up is the finished row above, down the untouched row below, and self and
// right are still as they were when the sweep reaches the pixel. So those
// four are summed for a chunk of pixels first, in a loop without
// dependencies, before the chunk is written. Only the left term, the byte
// just written, chains pixel to pixel, one chain per channel. Bytes 3 of
// 4-byte pixels are summed along (read, never written) and never used.
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
        // Right neighbours past the chunk's end lie in the next chunk, not
        // yet written.
        const ptrdiff_t inner = bytes_with_right(i0, n, w, bpp);
        for (ptrdiff_t k = 0; k < inner; ++k) partial[k] = static_cast<uint16_t>(p[k] + p[k + bpp] + u[k] + d[k]);
        if (i0 + n == w)
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

// As blur_row, for both rows: the upper row's four fixed terms as there; the
// lower row's fixed terms are self, right and down, its up term being the
// upper row's byte just written. Six chains instead of three keep the
// processor busier.
void blur_row_pair(uint8_t* row, const uint8_t* above, uint8_t* next, const uint8_t* below, int32_t w, int32_t bpp,
                   uint32_t edges)
{
    const uint8_t* up = (edges & kBlurTopEdge) == 0 ? above : row;
    const uint8_t* down = (edges & kBlurBottomEdge) == 0 ? below : next;
    uint16_t upper[kBlurChunk * 4], lower[kBlurChunk * 4];
    uint32_t left_upper[3] = {row[0], row[1], row[2]}, left_lower[3] = {next[0], next[1], next[2]};
    for (int32_t i0 = 0; i0 < w; i0 += kBlurChunk) {
        const int32_t n = w - i0 < kBlurChunk ? w - i0 : kBlurChunk;
        const ptrdiff_t base = static_cast<ptrdiff_t>(i0) * bpp;
        uint8_t* p = row + base;
        uint8_t* q = next + base;
        const uint8_t* u = up + base;
        const uint8_t* d = down + base;
        const ptrdiff_t inner = bytes_with_right(i0, n, w, bpp);
        for (ptrdiff_t k = 0; k < inner; ++k) {
            upper[k] = static_cast<uint16_t>(p[k] + p[k + bpp] + u[k] + q[k]);
            lower[k] = static_cast<uint16_t>(q[k] + q[k + bpp] + d[k]);
        }
        if (i0 + n == w)
            for (ptrdiff_t k = inner; k < inner + 3; ++k) {
                upper[k] = static_cast<uint16_t>(2 * p[k] + u[k] + q[k]);
                lower[k] = static_cast<uint16_t>(2 * q[k] + d[k]);
            }
        for (int32_t i = 0; i < n; ++i, p += bpp, q += bpp) {
            const ptrdiff_t at = static_cast<ptrdiff_t>(i) * bpp;
            for (int c = 0; c < 3; ++c) {
                const uint32_t a = (upper[at + c] + left_upper[c]) / 5u;
                p[c] = static_cast<uint8_t>(a);
                left_upper[c] = a;
                left_lower[c] = (lower[at + c] + a + left_lower[c]) / 5u;
                q[c] = static_cast<uint8_t>(left_lower[c]);
            }
        }
    }
}

void blur_rect_rows(uint8_t* first, ptrdiff_t down, int32_t w, int32_t h, int32_t bpp, uint32_t edges)
{
    // Rows go in pairs (the same bytes as one after the other), the last one
    // alone when the count is odd.
    for (int32_t j = 0; j < h; j += 2) {
        // A missing neighbour row is never addressed: it may lie outside the
        // array.
        uint8_t* row = first + down * j;
        const uint32_t top = j == 0 ? edges & kBlurTopEdge : 0u;
        const uint32_t bottom = j + 2 >= h ? edges & kBlurBottomEdge : 0u;
        const uint8_t* above = top != 0 ? nullptr : row - down;
        if (j + 1 < h) {
            uint8_t* next = row + down;
            blur_row_pair(row, above, next, bottom != 0 ? nullptr : next + down, w, bpp, top | bottom);
        } else {
            blur_row(row, above, bottom != 0 ? nullptr : row + down, w, bpp, top | bottom);
        }
    }
}

}  // namespace pixmill
