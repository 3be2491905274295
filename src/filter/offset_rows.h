// Row kernels of the channel offsets: a signed amount added to each channel
// and the result cut to 0..255.
#pragma once

#include <cstdint>

#include "frame/colour_key.h"

namespace pixmill {

struct ChannelOffsets {
    int32_t red, green, blue, alpha;  // alpha is used by the 32-bit kernel only
};

// 24-bit: bytes 0, 1, 2 get blue, green, red.
void offset_row_24(uint8_t* row, int32_t w, const ChannelOffsets& o);
// 24-bit, but a pixel whose three bytes equal the key is skipped whole.
void offset_row_24_keyed(uint8_t* row, int32_t w, const ChannelOffsets& o, ColorKey key);
// 32-bit: all four bytes, the alpha byte included.
void offset_row_32(uint8_t* row, int32_t w, const ChannelOffsets& o);

// The same three rules read from a table per channel: entry b holds what the
// kernels above make of byte value b. Filling the tables costs 1024 byte
// results, so a call uses them only when its rectangle has more pixels than
// that (kOffsetTablePixels); below, the kernels above compute each byte.
struct OffsetTables {
    uint8_t blue[256], green[256], red[256], alpha[256];
};
constexpr int64_t kOffsetTablePixels = 1024;

void fill_offset_tables(const ChannelOffsets& o, OffsetTables& t);
void offset_row_24(uint8_t* row, int32_t w, const OffsetTables& t);
void offset_row_24_keyed(uint8_t* row, int32_t w, const OffsetTables& t, ColorKey key);
void offset_row_32(uint8_t* row, int32_t w, const OffsetTables& t);

}  // namespace pixmill
