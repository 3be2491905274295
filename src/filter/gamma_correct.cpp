// The channel offsets (named after gamma, though they add): a signed amount
// per channel, the result cut to 0..255.
#include "filter/offset_rows.h"
#include "filter/tone_rows_table.h"
#include "frame/rect_walk.h"

using namespace pixmill;

namespace {

// Each row goes through direct(row, n, o), which computes every byte from the
// offsets, or, for rectangles large enough to repay filling them, through
// tabled(row, n, t) with the tables made from them; both give the same bytes.
template <class Direct, class Tabled>
int32_t apply_offsets(const Surface* dest, PixelFormat format, Rect r, const ChannelOffsets& o, Direct direct,
                      Tabled tabled)
{
    RectRows rows;
    if (!prepare_rect(read_surface(dest, format), r, rows)) return 0;
    if (static_cast<int64_t>(rows.clipped.w) * rows.clipped.h <= kOffsetTablePixels) {
        walk_rect_rows(rows, [&](uint8_t* row, int32_t n) { direct(row, n, o); });
    } else {
        OffsetTables t;
        fill_offset_tables(o, t);
        walk_rect_rows(rows, [&](uint8_t* row, int32_t n) { tabled(row, n, static_cast<const OffsetTables&>(t)); });
    }
    return 0;
}

}  // namespace

extern "C" {

int32_t PIXMILL_CALL Render_GammaCorrect24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t redOffset,
                                           int32_t greenOffset, int32_t blueOffset)
{
    const ToneKernels& k = tone_kernels(active_isa());
    return apply_offsets(
        dest, kBgr24, {x, y, w, h}, {redOffset, greenOffset, blueOffset, 0},
        [](uint8_t* row, int32_t n, const ChannelOffsets& o) { offset_row_24(row, n, o); },
        [&k](uint8_t* row, int32_t n, const OffsetTables& t) { k.offset_24(row, n, t); });
}

int32_t PIXMILL_CALL Render_GammaCorrect24TColor(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                 int32_t redOffset, int32_t greenOffset, int32_t blueOffset,
                                                 int32_t keyRed, int32_t keyGreen, int32_t keyBlue)
{
    const ColorKey key = make_key(keyRed, keyGreen, keyBlue);
    const ToneKernels& k = tone_kernels(active_isa());
    return apply_offsets(
        dest, kBgr24, {x, y, w, h}, {redOffset, greenOffset, blueOffset, 0},
        [key](uint8_t* row, int32_t n, const ChannelOffsets& o) { offset_row_24_keyed(row, n, o, key); },
        [&k, key](uint8_t* row, int32_t n, const OffsetTables& t) { k.offset_24_keyed(row, n, t, key); });
}

int32_t PIXMILL_CALL Render_GammaCorrect32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t redOffset,
                                           int32_t greenOffset, int32_t blueOffset, int32_t alphaOffset)
{
    const ToneKernels& k = tone_kernels(active_isa());
    return apply_offsets(
        dest, kBgra32, {x, y, w, h}, {redOffset, greenOffset, blueOffset, alphaOffset},
        [](uint8_t* row, int32_t n, const ChannelOffsets& o) { offset_row_32(row, n, o); },
        [&k](uint8_t* row, int32_t n, const OffsetTables& t) { k.offset_32(row, n, t); });
}

}  // extern "C"
