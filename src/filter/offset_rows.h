// Row kernels of the channel offsets: a signed amount added to each channel
// and the result cut to 0..255.
#pragma once

#include <cstdint>

namespace pixmill {

struct ChannelOffsets {
    int32_t red, green, blue, alpha;  // alpha is used by the 32-bit kernel only
};

// The colour a keyed row leaves alone, as its three pixel bytes.
struct KeyColour {
    uint8_t red, green, blue;
};

// 24-bit: bytes 0, 1, 2 get blue, green, red.
void offset_row_24(uint8_t* row, int32_t w, const ChannelOffsets& o);
// 24-bit, but a pixel whose three bytes equal the key is skipped whole.
void offset_row_24_keyed(uint8_t* row, int32_t w, const ChannelOffsets& o, KeyColour key);
// 32-bit: all four bytes, the alpha byte included.
void offset_row_32(uint8_t* row, int32_t w, const ChannelOffsets& o);

}  // namespace pixmill
