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

void sum_rows_24(const uint8_t* first, ptrdiff_t step, int32_t w, int32_t h, ColourSums& sums)
{
    // The pointer only steps between rows, so it never leaves the array.
    for (int32_t j = 0;;) {
        sum_row_24(first, w, sums);
        if (++j >= h) break;
        first += step;
    }
}

}  // namespace pixmill
