#include "filter/offset_rows.h"

#include "filter/byte_clamp.h"

namespace pixmill {

namespace {

inline void offset_colour(uint8_t* p, const ChannelOffsets& o)
{
    p[0] = add_clamped(p[0], o.blue);
    p[1] = add_clamped(p[1], o.green);
    p[2] = add_clamped(p[2], o.red);
}

}  // namespace

void offset_row_24(uint8_t* row, int32_t w, const ChannelOffsets& o)
{
    for (int32_t i = 0; i < w; ++i, row += 3) offset_colour(row, o);
}

void offset_row_24_keyed(uint8_t* row, int32_t w, const ChannelOffsets& o, KeyColour key)
{
    for (int32_t i = 0; i < w; ++i, row += 3) {
        if (row[0] == key.blue && row[1] == key.green && row[2] == key.red) continue;
        offset_colour(row, o);
    }
}

void offset_row_32(uint8_t* row, int32_t w, const ChannelOffsets& o)
{
    for (int32_t i = 0; i < w; ++i, row += 4) {
        offset_colour(row, o);
        row[3] = add_clamped(row[3], o.alpha);
    }
}

}  // namespace pixmill
