// Contrast about the mid value 128 by a single-precision factor.
#include "filter/contrast_rows.h"
#include "frame/rect_walk.h"

using namespace pixmill;

extern "C" int32_t PIXMILL_CALL Render_Contrast24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                  float factor)
{
    return for_each_rect_row(dest, kBgr24, {x, y, w, h},
                             [factor](uint8_t* row, int32_t n) { contrast_row_24(row, n, factor); });
}
