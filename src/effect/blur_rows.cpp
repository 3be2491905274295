#include "effect/blur_rows.h"

#include <cstddef>

namespace pixmill {

void blur_row(uint8_t* row, const uint8_t* above, const uint8_t* below, int32_t w, int32_t bpp, uint32_t edges)
{
    const bool has_above = (edges & kBlurTopEdge) == 0;
    const bool has_below = (edges & kBlurBottomEdge) == 0;
    for (int32_t i = 0; i < w; ++i) {
        uint8_t* p = row + static_cast<ptrdiff_t>(i) * bpp;
        for (int c = 0; c < 3; ++c) {
            const uint32_t self = p[c];
            const uint32_t left = i > 0 ? p[c - bpp] : self;
            const uint32_t right = i + 1 < w ? p[c + bpp] : self;
            const uint32_t up = has_above ? above[static_cast<ptrdiff_t>(i) * bpp + c] : self;
            const uint32_t down = has_below ? below[static_cast<ptrdiff_t>(i) * bpp + c] : self;
            p[c] = static_cast<uint8_t>((self + left + right + up + down) / 5);
        }
    }
}

}  // namespace pixmill
