// Windows bitmap files: uncompressed 24-bit and 32-bit images (BI_RGB, and
// 32-bit BI_BITFIELDS with the usual blue-green-red-alpha masks), stored
// bottom-up or top-down. In memory every image is bottom-up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace pixmill_tool {

// Decodes a bitmap held in memory. Throws ToolError ("NAME: problem") for a
// file that is not a bitmap, a truncated header or pixel block, an
// unsupported format, or absurd dimensions.
Image decode_bmp(const std::vector<uint8_t>& file, const std::string& name);

// The complete file for an image: a 40-byte header for 24-bit and plain 32-bit
// images, a 108-byte header with channel masks for 32-bit BI_BITFIELDS images.
std::vector<uint8_t> encode_bmp(const Image& image);

}  // namespace pixmill_tool
