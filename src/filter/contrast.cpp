// Contrast about the mid value 128 by a single-precision factor.
#include "filter/contrast_rows.h"
#include "frame/kernels.h"
#include "frame/rect_walk.h"

using namespace pixmill;

extern "C" int32_t PIXMILL_CALL Render_Contrast24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                  float factor)
{
    RectRows rows;
    if (!prepare_rect(read_surface(dest, kBgr24), {x, y, w, h}, rows)) return 0;
    ContrastCall call(factor, static_cast<int64_t>(rows.clipped.w) * rows.clipped.h);
    walk_rect_pixels(rows, [&call](const Kernels& k, uint8_t* row, int32_t n) { k.contrast_24(row, n, call); });
    return 0;
}
