// Contrast about the mid value 128 by a single-precision factor.
#include "filter/contrast_rows.h"
#include "filter/tone_rows_table.h"
#include "frame/rect_walk.h"

using namespace pixmill;

extern "C" int32_t PIXMILL_CALL Render_Contrast24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                  float factor)
{
    RectRows rows;
    if (!prepare_rect(read_surface(dest, kBgr24), {x, y, w, h}, rows)) return 0;
    if (static_cast<int64_t>(rows.clipped.w) * rows.clipped.h <= kContrastTablePixels) {
        walk_rect_rows(rows, [factor](uint8_t* row, int32_t n) { contrast_row_24(row, n, factor); });
    } else {
        ContrastTable t;
        fill_contrast_table(factor, t);
        const auto kernel = tone_kernels(active_isa()).contrast_24;
        walk_rect_rows(rows, [&t, kernel](uint8_t* row, int32_t n) { kernel(row, n, t); });
    }
    return 0;
}
