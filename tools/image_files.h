// Picture files the tool reads and writes: BMP, PNG and JPEG are read, told
// apart by their first bytes whatever the file is called; BMP and PNG are
// written, chosen by the output file's extension.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

namespace pixmill_tool {

enum class FileFormat { kBmp, kPng, kJpeg };

// A picture as read. A bitmap's rows are a Surface's rows, so it keeps the
// depth it was stored in; a PNG or JPEG is decoded to 32-bit blue, green, red,
// alpha (alpha 255 where the file has none) and takes the depth a call needs.
struct PictureFile {
    FileFormat format = FileFormat::kBmp;
    Image image;
    bool has_alpha = false;  // PNG and JPEG: the file carries an alpha channel

    // The depth the picture takes when a call accepts either: a bitmap's own,
    // else 32 with alpha and 24 without.
    int natural_bits() const;
    // The picture as a bits-deep image (24 or 32). Throws ToolError for a
    // bitmap of the other depth: its rows are handed over as they are stored.
    Image at_depth(int bits, const std::string& name) const;
};

// Reads a BMP, PNG or JPEG file. Throws ToolError ("PATH: problem") for a
// missing or unreadable file, a file of another kind, a truncated or damaged
// file, a form of a format that is not supported, or absurd dimensions.
PictureFile read_picture(const std::string& path);
PictureFile decode_picture(const std::vector<uint8_t>& file, const std::string& name);

// Codecs over memory; name is used in error messages. The decoders give
// 32-bit images with the rows bottom-up, as every Image has them.
Image decode_png(const std::vector<uint8_t>& file, const std::string& name, bool* has_alpha);
Image decode_jpeg(const std::vector<uint8_t>& file, const std::string& name);
// An 8-bit-per-channel PNG: RGB for a 24-bit image, RGBA for a 32-bit one.
std::vector<uint8_t> encode_png(const Image& image, const std::string& name);

// The format an output file gets from its extension (.bmp or .png, in any
// case). Throws ToolError naming the file for any other name.
FileFormat output_format(const std::string& path);

// Writes the image in the format of the path's extension, through a temporary
// file and a rename, so an interrupted write never leaves a half-written file.
void write_picture(const std::string& path, const Image& image);

}  // namespace pixmill_tool
