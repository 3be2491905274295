#include "filter/channel_rows.h"

#include <cstddef>
#include <cstring>

#include "filter/byte_clamp.h"

namespace pixmill {

void invert_row_24(uint8_t* row, int32_t w)
{
    for (int32_t i = 0; i < w; ++i, row += 3) {
        row[0] = static_cast<uint8_t>(~row[0]);
        row[1] = static_cast<uint8_t>(~row[1]);
        row[2] = static_cast<uint8_t>(~row[2]);
    }
}

void invert_row_32(uint8_t* row, int32_t w)
{
    for (int32_t i = 0; i < w; ++i, row += 4) {
        row[0] = static_cast<uint8_t>(~row[0]);
        row[1] = static_cast<uint8_t>(~row[1]);
        row[2] = static_cast<uint8_t>(~row[2]);
    }
}

void invert_alpha_row_32(uint8_t* row, int32_t w)
{
    for (int32_t i = 0; i < w; ++i, row += 4) row[3] = static_cast<uint8_t>(~row[3]);
}

void add_alpha_row_32(uint8_t* row, int32_t w, int32_t delta)
{
    for (int32_t i = 0; i < w; ++i, row += 4) row[3] = add_clamped(row[3], delta);
}

void set_alpha_row_32(uint8_t* row, int32_t n, uint8_t alpha)
{
    for (int32_t i = 0; i < n; ++i, row += 4) row[3] = alpha;
}

void flip_row_32(uint8_t* row, int32_t w)
{
    if (w < 2) return;
    uint8_t* left = row;
    uint8_t* right = row + 4 * (static_cast<ptrdiff_t>(w) - 1);
    for (int32_t i = 0; i < w / 2; ++i, left += 4, right -= 4) {
        uint8_t t[4];
        std::memcpy(t, left, 4);
        std::memcpy(left, right, 4);
        std::memcpy(right, t, 4);
    }
}

}  // namespace pixmill
