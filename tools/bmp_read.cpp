// Reading bitmap files into bottom-up images.
#include <cstring>

#include "bmp.h"
#include "tool_error.h"

namespace pixmill_tool {

namespace {

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kJpeg = 4, kPng = 5;
constexpr size_t kFileHeader = 14;

uint32_t u32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// What the header says about the pixels.
struct Layout {
    int32_t width = 0;
    int32_t height = 0;   // always positive
    bool top_down = false;
    int bits = 24;
    bool bitfields = false;
    int64_t offset = 0;   // of the pixel block
    int64_t row_bytes = 0;
};

std::string dims(int64_t w, int64_t h) { return std::to_string(w) + "x" + std::to_string(h); }

// Validates the header of the file_size bytes at p.
Layout parse_header(const uint8_t* p, uint64_t file_size, const std::string& name)
{
    auto bad = [&](const std::string& what) { return ToolError(name + ": " + what); };
    if (file_size < 2 || p[0] != 'B' || p[1] != 'M') throw bad("not a BMP file (no BM signature)");
    if (file_size < kFileHeader + 4) throw bad("truncated BMP header");
    const uint32_t info_size = u32(p + 14);
    if (info_size == 12) throw bad("unsupported BMP format (OS/2 core header)");
    if (info_size != 40 && info_size != 52 && info_size != 56 && info_size != 108 && info_size != 124)
        throw bad("unsupported BMP header size " + std::to_string(info_size));
    if (file_size < kFileHeader + info_size) throw bad("truncated BMP header");

    Layout l;
    const int32_t width = static_cast<int32_t>(u32(p + 18));
    const int32_t height = static_cast<int32_t>(u32(p + 22));
    const uint16_t planes = u16(p + 26);
    const uint16_t bits = u16(p + 28);
    const uint32_t compression = u32(p + 30);

    if (compression == kRle8 || compression == kRle4) throw bad("unsupported BMP format (RLE compression)");
    if (compression == kJpeg || compression == kPng) throw bad("unsupported BMP format (embedded JPEG or PNG)");
    if (compression != kRgb && compression != kBitfields)
        throw bad("unsupported BMP compression " + std::to_string(compression));
    if (bits == 1 || bits == 2 || bits == 4 || bits == 8)
        throw bad("unsupported BMP format (" + std::to_string(bits) + "-bit palette image)");
    if (bits == 16) throw bad("unsupported BMP format (16-bit pixels)");
    if (bits != 24 && bits != 32) throw bad("unsupported BMP bit depth " + std::to_string(bits));
    if (planes != 1) throw bad("bad BMP header (" + std::to_string(planes) + " planes)");

    size_t header_end = kFileHeader + info_size;
    if (compression == kBitfields) {
        if (bits != 32) throw bad("unsupported BMP format (24-bit with channel masks)");
        // A 40-byte header is followed by the red, green and blue masks; the
        // longer headers carry them (and from 56 bytes on the alpha mask) inside.
        if (info_size == 40) {
            header_end += 12;
            if (file_size < header_end) throw bad("truncated BMP header");
        }
        const uint8_t* m = p + kFileHeader + 40;
        const uint32_t alpha = info_size >= 56 ? u32(m + 12) : 0;
        if (u32(m) != 0x00FF0000u || u32(m + 4) != 0x0000FF00u || u32(m + 8) != 0x000000FFu ||
            (alpha != 0 && alpha != 0xFF000000u))
            throw bad("unsupported BMP channel masks (only blue, green, red, alpha bytes in order)");
        l.bitfields = true;
    }

    const int64_t h = height < 0 ? -static_cast<int64_t>(height) : height;
    if (width <= 0 || h == 0) throw bad("bad BMP dimensions " + dims(width, height));
    l.row_bytes = padded_row_bytes(width, bits);
    if (l.row_bytes * h > kMaxPixelBytes) throw bad("BMP dimensions " + dims(width, h) + " are too large");
    l.width = width;
    l.height = static_cast<int32_t>(h);
    l.top_down = height < 0;
    l.bits = bits;

    l.offset = u32(p + 10);
    if (l.offset < static_cast<int64_t>(header_end))
        throw bad("bad BMP pixel data offset " + std::to_string(l.offset));
    const int64_t need = l.row_bytes * h;
    const int64_t have = static_cast<int64_t>(file_size) - l.offset;
    if (have < need)
        throw bad("truncated pixel data (" + std::to_string(have < 0 ? 0 : have) + " of " + std::to_string(need) +
                  " bytes)");
    return l;
}

// Fills the image from the file's rows, first file row first; read_row(dst)
// reads the next row_bytes bytes into dst.
template <class ReadRow>
Image fill_image(const Layout& l, ReadRow&& read_row)
{
    Image image(l.width, l.height, l.bits);
    image.set_bitfields(l.bitfields);
    for (int32_t i = 0; i < l.height; ++i) {
        // A top-down file starts with the picture's top row, which is the last
        // array row in memory.
        const int32_t array_row = l.top_down ? l.height - 1 - i : i;
        read_row(image.bytes() + static_cast<size_t>(array_row) * image.row_bytes());
    }
    return image;
}

}  // namespace

Image decode_bmp(const std::vector<uint8_t>& file, const std::string& name)
{
    const Layout l = parse_header(file.data(), file.size(), name);
    const uint8_t* next = file.data() + l.offset;
    return fill_image(l, [&](uint8_t* dst) {
        std::memcpy(dst, next, static_cast<size_t>(l.row_bytes));
        next += l.row_bytes;
    });
}

}  // namespace pixmill_tool
