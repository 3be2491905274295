// Sums of each channel over a rectangle of a 24-bit surface, into three
// variables of the caller.
#include <initializer_list>

#include "filter/colour_sum_rows.h"
#include "frame/kernels.h"
#include "frame/rect_walk.h"

using namespace pixmill;

namespace {

// The totals are added to what the variable holds (0 after the reset), so
// that variables given twice accumulate every channel routed to them, as
// adding pixel by pixel into them would.
void add_into(int32_t* var, uint32_t total)
{
    if (var != nullptr) *var = static_cast<int32_t>(static_cast<uint32_t>(*var) + total);
}

}  // namespace

extern "C" int32_t PIXMILL_CALL Render_CalcColor24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                   int32_t* redSum, int32_t* greenSum, int32_t* blueSum)
{
    // Reset first, whatever the rectangle: an empty one leaves three zeros.
    for (int32_t* var : {redSum, greenSum, blueSum})
        if (var != nullptr) *var = 0;
    ColourSums sums;
    for_each_rect_row(dest, kBgr24, {x, y, w, h},
                      [&sums](const Kernels& k, uint8_t* row, int32_t n) { k.sum_24(row, n, sums); });
    add_into(redSum, sums.red);
    add_into(greenSum, sums.green);
    add_into(blueSum, sums.blue);
    return 0;
}
