#include "filter/hls_rows.h"

#include <algorithm>

#include "filter/hls.h"

namespace pixmill {

namespace {

// v + delta cut to 0..240, judged as if computed exactly.
int32_t add_to_scale(int32_t v, int32_t delta)
{
    return static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(v) + delta, 0, 240));
}

}  // namespace

void adjust_hls_row_32(uint8_t* row, int32_t w, const HlsDeltas& deltas)
{
    for (int32_t i = 0; i < w; ++i, row += 4) {
        const Hls c = rgb_to_hls(row[2], row[1], row[0]);
        // Only the sign of a non-positive saturation matters, so the sum is
        // cut to -1..240.
        const auto s = static_cast<int32_t>(std::clamp<int64_t>(static_cast<int64_t>(c.s) + deltas.sat, -1, 240));
        const Rgb out = hls_to_rgb(add_to_scale(c.h, deltas.hue), add_to_scale(c.l, deltas.lum), s);
        row[0] = out.b;
        row[1] = out.g;
        row[2] = out.r;
    }
}

}  // namespace pixmill
