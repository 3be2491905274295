// The per-offset arithmetic of the rotation over a run of offsets, and the
// transfers of a run of destination pixels along one row: the units the
// vector versions work in.
#pragma once

#include <cstddef>
#include <cstdint>

#include "rotate/rotate_offset.h"

// The rotation's kernels with vector forms (rotate/rotate_rows_vec.h): each
// entry names the table member and the scalar kernel that defines it.
#define PIXMILL_ROTATE_KERNELS(K)                   \
    K(rotate_offsets, turn_offsets_row)             \
    K(rotate_offset_pairs, turn_offset_pairs)       \
    K(rotate_copy_32, copy_run_32)                  \
    K(rotate_block_32, copy_block_32)

namespace pixmill {

// Offsets (i, j0 + k) for k < count turned as turn_offset turns them, into
// u[k] and v[k]. Needs i >= 1 (the column i = 0 has its own polar angle) and
// i, j0 + count below kMaxRowOffset, where i^2 + j^2 is exact in double
// precision, so the vector versions may form that sum in double lanes.
void turn_offsets_row(int64_t i, int64_t j0, int32_t count, const Turn& t, int32_t* u, int32_t* v);
// Offsets (a, b0 + k) into u[k], v[k] and their mirror images (b0 + k, a)
// into mu[k], mv[k], for k < count: the two share the length and, swapped,
// the quotients by it, so the vector versions work out both at once. An
// offset with i = 0 (a = 0, or b0 + k = 0 for the mirror image) is turned by
// its own rule (turn_offset, with the trigonometric routines), which the
// walks apply themselves: its entry is left unspecified (0 in the scalar
// version, which would spend a sine and cosine on it otherwise). a, b0 +
// count below kMaxRowOffset, and a or b0 at least 1 (the length of every
// offset is then at least 1).
void turn_offset_pairs(int64_t a, int64_t b0, int32_t count, const Turn& t, int32_t* u, int32_t* v, int32_t* mu,
                       int32_t* mv);

constexpr int64_t kMaxRowOffset = int64_t{1} << 26;

// The source as a run of transfers reads it: pixel (x, y) (top-down) lies at
// top - y * stride_bytes + x * bpp and may be read when 0 <= x <= max_x and
// 0 <= y < rows. index32 says that for a 32-bit source every pixel's
// distance from top, in pixels, fits a signed 32-bit integer.
struct SourceRead {
    const uint8_t* top;
    ptrdiff_t stride_bytes;
    int64_t bpp, cx, cy;
    uint64_t max_x, rows;
    bool index32;
};

// n destination pixels of one row, from dst on to the right (dir = 1) or to
// the left (dir = -1); the k-th from source pixel (cx + sa a[k], cy + sb b[k])
// with sa, sb = +1 or -1, when that pixel passes the source test. Source and
// destination share no byte.
template <class Put>
void transfer_run(const SourceRead& s, uint8_t* dst, int32_t dir, const int32_t* a, const int32_t* b, int32_t sa,
                  int32_t sb, int32_t n, Put put)
{
    const ptrdiff_t step = dir * static_cast<ptrdiff_t>(put.kBytes);
    for (int32_t k = 0; k < n; ++k) {
        const int64_t x = s.cx + static_cast<int64_t>(sa) * a[k];
        const int64_t y = s.cy + static_cast<int64_t>(sb) * b[k];
        if (static_cast<uint64_t>(x) > s.max_x || static_cast<uint64_t>(y) >= s.rows) continue;
        put(dst + k * step, s.top - y * s.stride_bytes + x * s.bpp);
    }
}

// The four bytes of a 32-bit pixel copied.
struct Copy4 {
    static constexpr int kBytes = 4;
    void operator()(uint8_t* to, const uint8_t* from) const
    {
        for (int b = 0; b < 4; ++b) to[b] = from[b];
    }
};

void copy_run_32(const SourceRead& s, uint8_t* dst, int32_t dir, const int32_t* a, const int32_t* b, int32_t sa,
                 int32_t sb, int32_t n);

// Destination pixel (cxd + x, cyd + y) (top-down) lies at centre + 4 x -
// y * stride_bytes: the 32-bit destination seen from its centre.
struct DestCentre {
    uint8_t* centre;
    ptrdiff_t stride_bytes;
};

// A block of offset pairs, rows a0 <= a < a1 and columns b0 <= b < b0 + count,
// each pair (a, b), (b, a) turned once and drawn by all four transfers:
// destination (cxd + b, cyd + a) from source (cxs + mu, cys + mv), (cxd - b,
// cyd - a) from (cxs - mu, cys - mv), (cxd + b, cyd - a) from (cxs + v,
// cys - u) and (cxd - b, cyd + a) from (cxs - v, cys + u), where (u, v) is
// offset (a, b) turned and (mu, mv) its mirror image (b, a). Needs a0, b0 >= 1,
// a1 and b0 + count at most kMaxRowOffset, every one of those destination
// pixels within the destination, and source and destination sharing no byte.
// The next block, of the same rows, starts at column b0 + count and is ahead
// columns wide (0: there is none); only the vector forms look at it.
void copy_block_32(const SourceRead& s, const DestCentre& d, const Turn& t, int64_t a0, int64_t a1, int64_t b0,
                   int32_t count, int32_t ahead);

// copy_block_32 with the offsets of each run of a row turned by pairs (the
// turn_offset_pairs of some level) and the pixels copied one by one. Not a
// template: a level's kernels call it without instantiating anything outside
// their own namespace.
using TurnPairs = void (*)(int64_t, int64_t, int32_t, const Turn&, int32_t*, int32_t*, int32_t*, int32_t*);
void copy_block_32_by(TurnPairs pairs, const SourceRead& s, const DestCentre& d, const Turn& t, int64_t a0,
                      int64_t a1, int64_t b0, int32_t count);

}  // namespace pixmill
