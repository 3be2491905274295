// The row walk shared by every export that works on one rectangle of one
// surface: clip, find the rectangle's top-left pixel, then hand rows to a row
// kernel from the top of the rectangle down (towards lower addresses).
#pragma once

#include <cstddef>
#include <cstdint>

#include "frame/clip.h"
#include "frame/surface.h"

namespace pixmill {

struct RectRows {
    Rect clipped;              // the rectangle after clip_rect
    uint8_t* first = nullptr;  // first pixel of the rectangle's top row
    ptrdiff_t stride = 0;      // bytes from one array row to the next
    int32_t bpp = kBgr24;      // bytes per pixel
};

// Clips r against the surface and computes its top-left address. False when
// nothing is to be drawn.
inline bool prepare_rect(const SurfaceView& s, Rect r, RectRows& out)
{
    if (!clip_rect(r, s.width, s.rows)) return false;
    out.clipped = r;
    out.first = pixel_at(s, r.x, r.y);
    out.stride = s.stride_bytes;
    out.bpp = s.bpp;
    return true;
}

// Calls row(row_start, w) for each of the h rows, top row first.
template <class RowFn>
inline void walk_rect_rows(const RectRows& r, RowFn&& row)
{
    uint8_t* p = r.first;
    for (int32_t j = 0; j < r.clipped.h; ++j, p -= r.stride) row(p, r.clipped.w);
}

// The usual shape of a one-rectangle export: read the surface, clip, walk.
template <class RowFn>
inline int32_t apply_rect(const Surface* dest, PixelFormat format, Rect r, RowFn&& row)
{
    RectRows rr;
    if (prepare_rect(read_surface(dest, format), r, rr)) walk_rect_rows(rr, row);
    return 0;
}

}  // namespace pixmill
