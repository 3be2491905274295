// Windows bitmap files: uncompressed 24-bit and 32-bit images (BI_RGB, and
// 32-bit BI_BITFIELDS with the usual blue-green-red-alpha masks), stored
// bottom-up or top-down. In memory every image is bottom-up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace pixmill_tool {

// Reads a bitmap file. Throws ToolError ("PATH: problem") for a missing or
// unreadable file, a file that is not a bitmap, a truncated header or pixel
// block, an unsupported format, or absurd dimensions.
Image read_bmp(const std::string& path);

// Decodes a bitmap held in memory; name is used in error messages.
Image decode_bmp(const std::vector<uint8_t>& file, const std::string& name);

// The complete file for an image: a 40-byte header for 24-bit and plain 32-bit
// images, a 108-byte header with channel masks for 32-bit BI_BITFIELDS images.
std::vector<uint8_t> encode_bmp(const Image& image);

// Writes the file through a temporary file in the same directory and a rename,
// so an interrupted write never leaves a half-written file at path.
void write_bmp(const std::string& path, const Image& image);

}  // namespace pixmill_tool
