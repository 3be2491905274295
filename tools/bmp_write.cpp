// Writing bottom-up images as bitmap files.
#include <algorithm>

#include "bmp.h"

namespace pixmill_tool {

namespace {

void put16(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void put32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(v >> (8 * i));
}

}  // namespace

std::vector<uint8_t> encode_bmp(const Image& image)
{
    const bool masks = image.bits() == 32 && image.bitfields();
    const uint32_t info_size = masks ? 108 : 40;
    const uint32_t offset = 14 + info_size;
    const uint32_t pixel_bytes = static_cast<uint32_t>(image.byte_count());

    std::vector<uint8_t> out(offset + image.byte_count(), 0);
    out[0] = 'B';
    out[1] = 'M';
    put32(out, 2, offset + pixel_bytes);
    put32(out, 10, offset);
    put32(out, 14, info_size);
    put32(out, 18, static_cast<uint32_t>(image.width()));
    put32(out, 22, static_cast<uint32_t>(image.height()));  // positive: bottom-up, as in memory
    put16(out, 26, 1);
    put16(out, 28, static_cast<uint32_t>(image.bits()));
    put32(out, 30, masks ? 3 : 0);
    put32(out, 34, pixel_bytes);
    put32(out, 38, 2835);  // 72 dots per inch
    put32(out, 42, 2835);
    if (masks) {
        put32(out, 54, 0x00FF0000u);
        put32(out, 58, 0x0000FF00u);
        put32(out, 62, 0x000000FFu);
        put32(out, 66, 0xFF000000u);
        put32(out, 70, 0x73524742u);  // 'sRGB' colour space
    }
    std::copy(image.bytes(), image.bytes() + image.byte_count(), out.begin() + offset);
    return out;
}

}  // namespace pixmill_tool
