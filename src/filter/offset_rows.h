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

// What the rules above make of each byte value, per channel.
struct OffsetTables {
    uint8_t blue[256], green[256], red[256], alpha[256];
};

// The offsets as saturating steps: a byte rises by the offset cut to 0..255,
// saturating at 255, then falls by the negated offset cut to 0..255,
// saturating at 0. One of the two is always 0, and an offset beyond +-255
// takes every byte to the same bound as +-255 does, so the steps give the
// rules above exactly; the vector kernels take them.
struct OffsetSteps {
    // For 24-bit rows, byte j steps byte j of the stream blue, green, red,
    // blue, ...: enough for a 64-byte vector from any of the first three.
    uint8_t rise24[66], fall24[66];
    // For 32-bit rows, one pixel's four bytes.
    uint32_t rise32, fall32;
};

// The per-call constants of the offset kernels: the amounts, the pixels the
// whole call covers, and what the kernels make from them at their first row.
// Filling the tables costs 1024 byte results, so the scalar kernels fill them
// only when the call has more pixels than kOffsetTablePixels and read them
// from then on; below that they compute each byte.
struct OffsetCall {
    OffsetCall(const ChannelOffsets& o, int64_t call_pixels) : offsets(o), pixels(call_pixels) {}
    ChannelOffsets offsets;
    int64_t pixels;
    bool filled = false;  // whether tables holds the results yet
    OffsetTables tables;
    bool stepped = false;  // whether steps does
    OffsetSteps steps;
};
constexpr int64_t kOffsetTablePixels = 1024;

// The call's steps, worked out at the first use.
const OffsetSteps& offset_steps(OffsetCall& c);

// The rules above for one row of a call, computed or read from its tables.
void offset_call_24(uint8_t* row, int32_t w, OffsetCall& c);
void offset_call_24_keyed(uint8_t* row, int32_t w, OffsetCall& c, ColorKey key);
void offset_call_32(uint8_t* row, int32_t w, OffsetCall& c);

}  // namespace pixmill
