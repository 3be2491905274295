// Sums of each channel over a rectangle of a 24-bit surface, into three
// variables of the caller.
#include <cstddef>
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
    // Nothing is written, so every row goes to the active level's kernel, all
    // rows in one call, upwards in memory from the rectangle's bottom row.
    ColourSums sums;
    RectRows rows;
    if (prepare_rect(read_surface(dest, kBgr24), {x, y, w, h}, rows))
        kernels().sum_24(rows.first - static_cast<ptrdiff_t>(rows.clipped.h - 1) * rows.stride, rows.stride,
                         rows.clipped.w, rows.clipped.h, sums);
    add_into(redSum, sums.red);
    add_into(greenSum, sums.green);
    add_into(blueSum, sums.blue);
    return 0;
}
