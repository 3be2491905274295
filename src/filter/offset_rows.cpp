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

inline void offset_colour(uint8_t* p, const OffsetTables& t)
{
    p[0] = t.blue[p[0]];
    p[1] = t.green[p[1]];
    p[2] = t.red[p[2]];
}

}  // namespace

void offset_row_24(uint8_t* row, int32_t w, const ChannelOffsets& o)
{
    for (int32_t i = 0; i < w; ++i, row += 3) offset_colour(row, o);
}

void offset_row_24_keyed(uint8_t* row, int32_t w, const ChannelOffsets& o, ColorKey key)
{
    for (int32_t i = 0; i < w; ++i, row += 3) {
        if (key.matches(row)) continue;
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

void fill_offset_tables(const ChannelOffsets& o, OffsetTables& t)
{
    for (int32_t b = 0; b < 256; ++b) {
        const auto v = static_cast<uint8_t>(b);
        t.blue[b] = add_clamped(v, o.blue);
        t.green[b] = add_clamped(v, o.green);
        t.red[b] = add_clamped(v, o.red);
        t.alpha[b] = add_clamped(v, o.alpha);
    }
}

void offset_row_24(uint8_t* row, int32_t w, const OffsetTables& t)
{
    for (int32_t i = 0; i < w; ++i, row += 3) offset_colour(row, t);
}

void offset_row_24_keyed(uint8_t* row, int32_t w, const OffsetTables& t, ColorKey key)
{
    for (int32_t i = 0; i < w; ++i, row += 3) {
        if (key.matches(row)) continue;
        offset_colour(row, t);
    }
}

void offset_row_32(uint8_t* row, int32_t w, const OffsetTables& t)
{
    for (int32_t i = 0; i < w; ++i, row += 4) {
        offset_colour(row, t);
        row[3] = t.alpha[row[3]];
    }
}

}  // namespace pixmill
