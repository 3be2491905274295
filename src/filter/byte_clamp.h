// Cutting a whole value to a byte. The channel filters add caller amounts to
// pixel bytes; the sum is formed wide enough that no amount can overflow it,
// and judged whole, so a large brightening offset saturates instead of
// wrapping around to some other shade.
#pragma once

#include <cstdint>

namespace pixmill {

inline uint8_t clamp_byte(int64_t v)
{
    return v < 0 ? uint8_t{0} : v > 255 ? uint8_t{255} : static_cast<uint8_t>(v);
}

// b + delta, cut to 0..255.
inline uint8_t add_clamped(uint8_t b, int32_t delta)
{
    return clamp_byte(static_cast<int64_t>(b) + delta);
}

}  // namespace pixmill
