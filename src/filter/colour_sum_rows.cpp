#include "filter/colour_sum_rows.h"

namespace pixmill {

void sum_row_24(const uint8_t* row, int32_t w, ColourSums& sums)
{
    uint32_t blue = sums.blue, green = sums.green, red = sums.red;
    for (int32_t i = 0; i < w; ++i, row += 3) {
        blue += row[0];
        green += row[1];
        red += row[2];
    }
    sums.blue = blue;
    sums.green = green;
    sums.red = red;
}

}  // namespace pixmill
