// The channel offsets (named after gamma, though they add): a signed amount
// per channel, the result cut to 0..255.
#include "filter/offset_rows.h"
#include "frame/kernels.h"
#include "frame/rect_walk.h"

using namespace pixmill;

namespace {

// Walks the clipped rectangle with row(kernels, row, n, call), the call's
// constants made from the offsets and the rectangle's size.
template <class RowFn>
int32_t apply_offsets(const Surface* dest, PixelFormat format, Rect r, const ChannelOffsets& o, RowFn row)
{
    RectRows rows;
    if (!prepare_rect(read_surface(dest, format), r, rows)) return 0;
    OffsetCall call(o, static_cast<int64_t>(rows.clipped.w) * rows.clipped.h);
    walk_rect_pixels(rows, [&](const Kernels& k, uint8_t* p, int32_t n) { row(k, p, n, call); });
    return 0;
}

}  // namespace

extern "C" {

int32_t PIXMILL_CALL Render_GammaCorrect24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t redOffset,
                                           int32_t greenOffset, int32_t blueOffset)
{
    return apply_offsets(dest, kBgr24, {x, y, w, h}, {redOffset, greenOffset, blueOffset, 0},
                         [](const Kernels& k, uint8_t* row, int32_t n, OffsetCall& c) { k.offset_24(row, n, c); });
}

int32_t PIXMILL_CALL Render_GammaCorrect24TColor(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                 int32_t redOffset, int32_t greenOffset, int32_t blueOffset,
                                                 int32_t keyRed, int32_t keyGreen, int32_t keyBlue)
{
    const ColorKey key = make_key(keyRed, keyGreen, keyBlue);
    return apply_offsets(
        dest, kBgr24, {x, y, w, h}, {redOffset, greenOffset, blueOffset, 0},
        [key](const Kernels& k, uint8_t* row, int32_t n, OffsetCall& c) { k.offset_24_keyed(row, n, c, key); });
}

int32_t PIXMILL_CALL Render_GammaCorrect32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t redOffset,
                                           int32_t greenOffset, int32_t blueOffset, int32_t alphaOffset)
{
    return apply_offsets(dest, kBgra32, {x, y, w, h}, {redOffset, greenOffset, blueOffset, alphaOffset},
                         [](const Kernels& k, uint8_t* row, int32_t n, OffsetCall& c) { k.offset_32(row, n, c); });
}

}  // extern "C"
