#include "blit/alpha_soften.h"

namespace pixmill {

bool soften_alpha_pass(uint8_t* base, ptrdiff_t stride_bytes, int32_t w, int32_t h)
{
    bool changed = false;
    for (int32_t i = 0; i < h; ++i) {
        uint8_t* row = base + i * stride_bytes;
        const uint8_t* below = i > 0 ? row - stride_bytes : nullptr;
        const uint8_t* above = i + 1 < h ? row + stride_bytes : nullptr;
        for (int32_t j = 0; j < w; ++j) {
            const ptrdiff_t at = 4 * static_cast<ptrdiff_t>(j) + 3;
            // Sum of the neighbours' transparencies, an outside neighbour being fully transparent.
            uint32_t sum = j > 0 ? 255u - row[at - 4] : 255u;
            sum += j + 1 < w ? 255u - row[at + 4] : 255u;
            sum += below != nullptr ? 255u - below[at] : 255u;
            sum += above != nullptr ? 255u - above[at] : 255u;
            const uint8_t t = static_cast<uint8_t>(255u - sum / 4);
            const uint8_t a = row[at];
            const uint8_t next = a < t ? 0 : t;
            if (next != a) {
                row[at] = next;
                changed = true;
            }
        }
    }
    return changed;
}

void soften_alpha(uint8_t* base, ptrdiff_t stride_bytes, int32_t w, int32_t h, int32_t passes)
{
    // A pass depends only on the alphas it starts from, so once one changes
    // nothing every further pass would repeat it: stop there. This keeps a huge
    // pass count from running long after the result is settled.
    for (int32_t p = 0; p < passes; ++p)
        if (!soften_alpha_pass(base, stride_bytes, w, h)) break;
}

}  // namespace pixmill
