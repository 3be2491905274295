// The row walk shared by every export that works on one rectangle of one
// surface: clip against the surface alone, find the rectangle's top-left
// pixel, then hand rows to a row kernel. Every kernel walked here reads and
// writes its own row alone, so when the surface's rows share no byte the rows
// go upwards in memory (the picture's bottom row first), the direction the
// processor's prefetchers follow best; a surface whose rows overlap keeps
// the top-down order.
#pragma once

#include <cstddef>
#include <cstdint>

#include "frame/clip.h"
#include "frame/surface.h"
#include "frame/walk.h"

namespace pixmill {

struct RectRows {
    Rect clipped;              // the rectangle after clip_rect
    uint8_t* first = nullptr;  // first pixel of the rectangle's top row
    ptrdiff_t stride = 0;      // bytes from one array row to the next
    int32_t bpp = kBgr24;      // bytes per pixel
    bool any_order = false;    // rows_distinct(surface)
};

// Clips r against the surface and computes its top-left address. False when
// nothing is left.
inline bool prepare_rect(const SurfaceView& s, Rect r, RectRows& out)
{
    if (!clip_rect(r, s.width, s.rows)) return false;
    out.clipped = r;
    out.first = pixel_at(s, r.x, r.y);
    out.stride = s.stride_bytes;
    out.bpp = s.bpp;
    out.any_order = rows_distinct(s);
    return true;
}

// Calls row(row_start, w) for each of the h rows. The row pointer only steps
// between rows, so it never leaves the array.
template <class RowFn>
inline void walk_rect_rows(const RectRows& r, RowFn&& row)
{
    const RowKernels tables;  // a row reads and writes only itself
    const int32_t last = r.clipped.h - 1;
    uint8_t* p = r.first;
    ptrdiff_t step = -r.stride;
    if (r.any_order) {
        p -= last * r.stride;
        step = r.stride;
    }
    for (int32_t j = 0;;) {
        call_row(row, tables, true, p, r.clipped.w);
        if (++j > last) break;
        p += step;
    }
}

// The pixels one call of a kernel takes from a run of joined rows: whole
// pixels, and few enough that a kernel's byte count stays far inside 32 bits.
constexpr int64_t kJoinedRunPixels = int64_t{1} << 24;

// As walk_rect_rows, for kernels whose every pixel depends on its own bytes
// alone, never on its place in the row. When the rectangle's rows follow one
// another in memory without a gap (the rectangle is as wide as the record,
// and the rows have no padding past it), its pixels are one run and go to the
// kernel in a few calls rather than one call per row: a small picture's rows
// cost little more than their pixels then.
template <class RowFn>
inline void walk_rect_pixels(const RectRows& r, RowFn&& row)
{
    if (!r.any_order || r.stride != static_cast<ptrdiff_t>(r.clipped.w) * r.bpp) return walk_rect_rows(r, row);
    const RowKernels tables;
    uint8_t* p = r.first - static_cast<ptrdiff_t>(r.clipped.h - 1) * r.stride;  // the bottom row's first pixel
    for (int64_t left = static_cast<int64_t>(r.clipped.w) * r.clipped.h; left > 0;) {
        const int64_t n = left < kJoinedRunPixels ? left : kJoinedRunPixels;
        call_row(row, tables, true, p, static_cast<int32_t>(n));
        left -= n;
        if (left > 0) p += static_cast<ptrdiff_t>(n) * r.bpp;
    }
}

// The usual shape of a one-rectangle export: read the surface, clip, walk.
template <class RowFn>
inline int32_t for_each_rect_row(const Surface* s, PixelFormat format, Rect r, RowFn&& row)
{
    RectRows rows;
    if (prepare_rect(read_surface(s, format), r, rows)) walk_rect_rows(rows, row);
    return 0;
}

// The same for kernels that work pixel by pixel (walk_rect_pixels).
template <class RowFn>
inline int32_t for_each_rect_pixel_run(const Surface* s, PixelFormat format, Rect r, RowFn&& row)
{
    RectRows rows;
    if (prepare_rect(read_surface(s, format), r, rows)) walk_rect_pixels(rows, row);
    return 0;
}

}  // namespace pixmill
