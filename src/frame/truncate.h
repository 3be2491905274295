// Conversion of a double to a 32-bit integer, truncating toward zero as every
// conversion in the library does. Values beyond the 32-bit range (and NaN)
// are clamped first, so the conversion itself is always defined.
#pragma once

#include <cstdint>

namespace pixmill {

inline int32_t truncate_to_int32(double v)
{
    if (!(v > -2147483648.0)) return INT32_MIN;
    if (v > 2147483647.0) return INT32_MAX;
    return static_cast<int32_t>(v);
}

}  // namespace pixmill
