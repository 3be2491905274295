// The row walk shared by every two-surface transfer: clip, compute the first
// row of each surface, then hand rows to a row kernel from the top of the
// rectangle down (towards lower addresses, since rows are stored bottom-up).
#pragma once

#include <cstddef>
#include <cstdint>

#include "frame/clip.h"
#include "frame/surface.h"

namespace pixmill {

struct BlockRows {
    Block clipped;           // the rectangle after clip_block
    uint8_t* dst = nullptr;  // first pixel of the rectangle's top row in the destination
    const uint8_t* src = nullptr;
    ptrdiff_t dst_stride = 0;  // bytes from one array row to the next
    ptrdiff_t src_stride = 0;
};

// Clips b against both surfaces and computes the first row addresses. False
// when nothing is to be drawn.
inline bool prepare_block(const SurfaceView& d, const SurfaceView& s, Block b, BlockRows& out)
{
    if (!clip_block(b, d.width, d.rows, s.width, s.rows)) return false;
    out.clipped = b;
    out.dst = pixel_at(d, b.dx, b.dy);
    out.src = pixel_at(s, b.sx, b.sy);
    out.dst_stride = d.stride_bytes;
    out.src_stride = s.stride_bytes;
    return true;
}

// Calls row(dst_row, src_row, w) for each of the h rows, top row first.
template <class RowFn>
inline void walk_rows(const BlockRows& r, RowFn&& row)
{
    uint8_t* d = r.dst;
    const uint8_t* s = r.src;
    // The row pointers only step between rows, so they never leave the arrays.
    for (int32_t j = 0;;) {
        row(d, s, r.clipped.w);
        if (++j >= r.clipped.h) break;
        d -= r.dst_stride;
        s -= r.src_stride;
    }
}

// The usual shape of a block-transfer export: read both surfaces, clip, walk.
template <class RowFn>
inline int32_t blit(const Surface* dest, PixelFormat dest_format, const Surface* src, PixelFormat src_format,
                    Block b, RowFn&& row)
{
    BlockRows r;
    if (prepare_block(read_surface(dest, dest_format), read_surface(src, src_format), b, r)) walk_rows(r, row);
    return 0;
}

}  // namespace pixmill
