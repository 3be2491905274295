// Hue, lightness and saturation shifted over a rectangle of a 32-bit surface.
#include "filter/hls_rows.h"
#include "frame/rect_walk.h"

using namespace pixmill;

extern "C" int32_t PIXMILL_CALL Render_AjustHLS32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                  int32_t hueDelta, int32_t lumDelta, int32_t satDelta)
{
    const HlsDeltas d{hueDelta, lumDelta, satDelta};
    return for_each_rect_pixel_run(dest, kBgra32, {x, y, w, h},
                                   [&d](const Kernels& k, uint8_t* row, int32_t n) { k.adjust_hls_32(row, n, d); });
}
