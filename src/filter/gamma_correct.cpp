// The channel offsets (named after gamma, though they add): a signed amount
// per channel, the result cut to 0..255.
#include "filter/offset_rows.h"
#include "frame/rect_walk.h"

using namespace pixmill;

extern "C" {

int32_t PIXMILL_CALL Render_GammaCorrect24(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t redOffset,
                                           int32_t greenOffset, int32_t blueOffset)
{
    const ChannelOffsets o{redOffset, greenOffset, blueOffset, 0};
    return for_each_rect_row(dest, kBgr24, {x, y, w, h}, [&](uint8_t* row, int32_t n) { offset_row_24(row, n, o); });
}

int32_t PIXMILL_CALL Render_GammaCorrect24TColor(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h,
                                                 int32_t redOffset, int32_t greenOffset, int32_t blueOffset,
                                                 int32_t keyRed, int32_t keyGreen, int32_t keyBlue)
{
    const ChannelOffsets o{redOffset, greenOffset, blueOffset, 0};
    const KeyColour key{static_cast<uint8_t>(keyRed), static_cast<uint8_t>(keyGreen), static_cast<uint8_t>(keyBlue)};
    return for_each_rect_row(dest, kBgr24, {x, y, w, h},
                             [&](uint8_t* row, int32_t n) { offset_row_24_keyed(row, n, o, key); });
}

int32_t PIXMILL_CALL Render_GammaCorrect32(Surface* dest, int32_t x, int32_t y, int32_t w, int32_t h, int32_t redOffset,
                                           int32_t greenOffset, int32_t blueOffset, int32_t alphaOffset)
{
    const ChannelOffsets o{redOffset, greenOffset, blueOffset, alphaOffset};
    return for_each_rect_row(dest, kBgra32, {x, y, w, h}, [&](uint8_t* row, int32_t n) { offset_row_32(row, n, o); });
}

}  // extern "C"
