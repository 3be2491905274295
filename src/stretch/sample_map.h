// Which source pixel a destination pixel of a scaled copy shows. The ratio is
// taken once per call, after clipping, and rounded to single precision; every
// index is then recomputed from its destination position, never accumulated,
// so an index can fall one short of the exact quotient (14 columns onto 20
// give 0, 0, 1, 2, 2, 3, 4, 4, 5, 6, 6: the float nearest 0.7 lies below it).
#pragma once

#include <cstdint>

namespace pixmill {

// Source size over destination size, divided in double and rounded to float.
// dst_size >= 1 and src_size >= 0 after the clip.
inline float stretch_ratio(int32_t src_size, int32_t dst_size)
{
    return static_cast<float>(static_cast<double>(src_size) / static_cast<double>(dst_size));
}

// trunc(i x ratio), the product formed in double, but never beyond limit: the
// distance from the rectangle's origin to the source surface's last column or
// row. With sizes below 2^24 the product never gets there (the source clip
// keeps the rectangle inside the surface); only beyond, where the float
// ratio's rounding can carry the last index one past the rectangle, does the
// limit hold it on the surface. The comparison comes before the conversion,
// so the conversion only ever sees values that fit.
inline int32_t sample_index(int32_t i, float ratio, int32_t limit)
{
    const double p = static_cast<double>(i) * static_cast<double>(ratio);
    return p < static_cast<double>(limit) ? static_cast<int32_t>(p) : limit;
}

}  // namespace pixmill
