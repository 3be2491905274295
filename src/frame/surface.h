// Reading a caller's Surface record and its array descriptor, and bottom-up
// row addressing. Every export goes through here; nothing else in the library
// looks inside a SAFEARRAY.
#pragma once

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

}  // namespace pixmill
