// The channel offsets (named after gamma, though they add): a signed amount
// per channel, the result cut to 0..255.
#include "filter/offset_rows.h"
#include "frame/rect_walk.h"

using namespace pixmill;

namespace {

// kernel(row, n, how) is called per row with how either the offsets
// themselves or, for rectangles large enough to repay filling them, the
// tables made from them; both give the same bytes.
template <class Kernel>
int32_t apply_offsets(const Surface* dest, PixelFormat format, Rect r, const ChannelOffsets& o, Kernel kernel)
{
    RectRows rows;
    if (!prepare_rect(read_surface(dest, format), r, rows)) return 0;
    if (static_cast<int64_t>(rows.clipped.w) * rows.clipped.h <= kOffsetTablePixels) {
        walk_rect_rows(rows, [&](uint8_t* row, int32_t n) { kernel(row, n, o); });
    } else {
        OffsetTables t;
        fill_offset_tables(o, t);
        walk_rect_rows(rows, [&](uint8_t* row, int32_t n) { kernel(row, n, static_cast<const OffsetTables&>(t)); });
    }
    return 0;
}

}  // namespace

extern "C" {

int32_t PIXMILL_CALL Render_GammaCorrect24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t redOffset,
                                           int32_t greenOffset, int32_t blueOffset)
{
    return apply_offsets(dest, kBgr24, {x, y, w, h}, {redOffset, greenOffset, blueOffset, 0},
                         [](uint8_t* row, int32_t n, const auto& how) { offset_row_24(row, n, how); });
}

int32_t PIXMILL_CALL Render_GammaCorrect24TColor(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                 int32_t redOffset, int32_t greenOffset, int32_t blueOffset,
                                                 int32_t keyRed, int32_t keyGreen, int32_t keyBlue)
{
    const ColorKey key = make_key(keyRed, keyGreen, keyBlue);
    return apply_offsets(dest, kBgr24, {x, y, w, h}, {redOffset, greenOffset, blueOffset, 0},
                         [key](uint8_t* row, int32_t n, const auto& how) { offset_row_24_keyed(row, n, how, key); });
}

int32_t PIXMILL_CALL Render_GammaCorrect32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t redOffset,
                                           int32_t greenOffset, int32_t blueOffset, int32_t alphaOffset)
{
    return apply_offsets(dest, kBgra32, {x, y, w, h}, {redOffset, greenOffset, blueOffset, alphaOffset},
                         [](uint8_t* row, int32_t n, const auto& how) { offset_row_32(row, n, how); });
}

}  // extern "C"
