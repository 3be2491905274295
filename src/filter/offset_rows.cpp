#include "filter/offset_rows.h"

#include <cstddef>

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

// The call's tables, filled at the first row that reads them; null while the
// call is too small to repay filling them.
const OffsetTables* tables_of(OffsetCall& c)
{
    if (c.pixels <= kOffsetTablePixels) return nullptr;
    if (!c.filled) {
        for (int32_t b = 0; b < 256; ++b) {
            const auto v = static_cast<uint8_t>(b);
            c.tables.blue[b] = add_clamped(v, c.offsets.blue);
            c.tables.green[b] = add_clamped(v, c.offsets.green);
            c.tables.red[b] = add_clamped(v, c.offsets.red);
            c.tables.alpha[b] = add_clamped(v, c.offsets.alpha);
        }
        c.filled = true;
    }
    return &c.tables;
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

const OffsetSteps& offset_steps(OffsetCall& c)
{
    if (!c.stepped) {
        const ChannelOffsets& o = c.offsets;
        auto rise = [](int32_t v) { return add_clamped(0, v); };
        auto fall = [](int32_t v) { return static_cast<uint8_t>(255 - add_clamped(255, v)); };
        const uint8_t up[3] = {rise(o.blue), rise(o.green), rise(o.red)};
        const uint8_t down[3] = {fall(o.blue), fall(o.green), fall(o.red)};
        for (size_t j = 0; j < sizeof c.steps.rise24; j += 3)
            for (size_t k = 0; k < 3; ++k) {
                c.steps.rise24[j + k] = up[k];
                c.steps.fall24[j + k] = down[k];
            }
        auto pixel = [](const uint8_t colour[3], uint8_t alpha) {
            return uint32_t{colour[0]} | uint32_t{colour[1]} << 8 | uint32_t{colour[2]} << 16 | uint32_t{alpha} << 24;
        };
        c.steps.rise32 = pixel(up, rise(o.alpha));
        c.steps.fall32 = pixel(down, fall(o.alpha));
        c.stepped = true;
    }
    return c.steps;
}

void offset_call_24(uint8_t* row, int32_t w, OffsetCall& c)
{
    const OffsetTables* t = tables_of(c);
    if (t == nullptr) return offset_row_24(row, w, c.offsets);
    for (int32_t i = 0; i < w; ++i, row += 3) offset_colour(row, *t);
}

void offset_call_24_keyed(uint8_t* row, int32_t w, OffsetCall& c, ColorKey key)
{
    const OffsetTables* t = tables_of(c);
    if (t == nullptr) return offset_row_24_keyed(row, w, c.offsets, key);
    for (int32_t i = 0; i < w; ++i, row += 3) {
        if (key.matches(row)) continue;
        offset_colour(row, *t);
    }
}

void offset_call_32(uint8_t* row, int32_t w, OffsetCall& c)
{
    const OffsetTables* t = tables_of(c);
    if (t == nullptr) return offset_row_32(row, w, c.offsets);
    for (int32_t i = 0; i < w; ++i, row += 4) {
        offset_colour(row, *t);
        row[3] = t->alpha[row[3]];
    }
}

}  // namespace pixmill
