// Reading a caller's Surface record and its array descriptor, and bottom-up
// row addressing. Every export goes through here; nothing else in the library
// looks inside a SAFEARRAY.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "pixmill.h"

namespace pixmill {

// Bytes per pixel of the two formats.
enum PixelFormat : int32_t { kBgr24 = 3, kBgra32 = 4 };

// The values an export reads from one surface at the start of a call.
struct SurfaceView {
    uint8_t* data = nullptr;      // first pixel byte of the array (array row 0, the picture's bottom row)
    int32_t stride = -1;          // upper bound of dimension 1: row length in array elements
    int32_t rows = -1;            // upper bound of dimension 2: number of rows
    int32_t width = 0;            // the record's Width
    ptrdiff_t stride_bytes = -1;  // distance in bytes from one array row to the next
    int32_t bpp = kBgr24;         // bytes per pixel
};

// Upper bound of dimension dim (1-based) of psa, or -1 for a null descriptor or
// a dimension outside 1..cDims. Computed modulo 2^32 as the array services are.
int32_t upper_bound(const SAFEARRAY* psa, int32_t dim);
int32_t lower_bound(const SAFEARRAY* psa, int32_t dim);

// Reads Width, Data, Stride and Rows. A null record or a null descriptor reads
// as Data = -1, Stride = -1, Rows = -1 (and Width 0 for a null record), which
// every clip turns into "nothing to draw".
SurfaceView read_surface(const Surface* s, PixelFormat format);

// Start of top-down row y. Row y of the picture is array row Rows - 1 - y.
inline uint8_t* row_at(const SurfaceView& s, int32_t y)
{
    return s.data + (static_cast<ptrdiff_t>(s.rows) - 1 - y) * s.stride_bytes;
}

// Pixel (x, y), top-down.
inline uint8_t* pixel_at(const SurfaceView& s, int32_t x, int32_t y)
{
    return row_at(s, y) + static_cast<ptrdiff_t>(x) * s.bpp;
}

// The addresses [lo, hi) the rows of a view can reach: Rows rows StrideBytes
// apart, each as long as the larger of its stride and its Width in pixels.
// A view whose extent cannot be stated (a negative stride, or one too large
// to count) gets the whole address space.
struct Span {
    uint64_t lo = 0, hi = UINT64_MAX;
};

inline Span span_of(const SurfaceView& s)
{
    if (s.rows < 1 || s.stride_bytes < 0) return {};
    const auto stride = static_cast<uint64_t>(s.stride_bytes);
    const uint64_t used = std::max(stride, static_cast<uint64_t>(std::max(s.width, 0)) * static_cast<uint32_t>(s.bpp));
    const uint64_t limit = uint64_t{1} << 62;
    if (stride > limit / static_cast<uint64_t>(s.rows) || used > limit) return {};
    const auto lo = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(s.data));
    return {lo, lo + (static_cast<uint64_t>(s.rows) - 1) * stride + used};
}

inline bool spans_apart(Span a, Span b) { return a.hi <= b.lo || b.hi <= a.lo; }

// The n bytes at p.
inline Span span_at(const void* p, ptrdiff_t n)
{
    const auto lo = static_cast<uint64_t>(reinterpret_cast<uintptr_t>(p));
    return {lo, lo + static_cast<uint64_t>(n)};
}

// Whether no two rows of the view share a byte: then rows that depend on
// nothing but themselves may be written in any order.
inline bool rows_distinct(const SurfaceView& s)
{
    return s.stride_bytes >= static_cast<int64_t>(std::max(s.width, 0)) * s.bpp;
}

// Whether a walk writing dest rows and reading src rows (each row reading and
// writing only its own) may take the rows in any order: the destination's
// rows are distinct and share no byte with the source's.
inline bool rows_independent(const SurfaceView& dest, const SurfaceView& src)
{
    return rows_distinct(dest) && spans_apart(span_of(dest), span_of(src));
}

}  // namespace pixmill
