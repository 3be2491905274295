#include "image_files.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "bmp.h"
#include "output_file.h"
#include "tool_error.h"

namespace pixmill_tool {

namespace {

template <size_t N>
bool starts_with(const std::vector<uint8_t>& file, const char (&magic)[N], size_t at = 0)
{
    const size_t n = N - 1;  // the literal's bytes, embedded zeros included
    return file.size() >= at + n && std::memcmp(file.data() + at, magic, n) == 0;
}

std::vector<uint8_t> read_whole_file(const std::string& path)
{
    struct Closer {
        void operator()(FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<FILE, Closer> f(std::fopen(path.c_str(), "rb"));
    if (!f) throw ToolError(path + ": cannot open (" + std::strerror(errno) + ")");
    struct stat st {};
    if (fstat(fileno(f.get()), &st) != 0) throw ToolError(path + ": cannot read (" + std::strerror(errno) + ")");
    if (S_ISDIR(st.st_mode)) throw ToolError(path + ": is a directory");
    if (!S_ISREG(st.st_mode)) throw ToolError(path + ": not a regular file");
    // A bitmap's pixel block, the largest of the three, is bounded by kMaxPixelBytes.
    if (st.st_size > kMaxPixelBytes + (int64_t{1} << 20)) throw ToolError(path + ": file too large");
    std::vector<uint8_t> bytes(static_cast<size_t>(st.st_size));
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), f.get());
    if (std::ferror(f.get())) throw ToolError(path + ": cannot read (" + std::strerror(errno) + ")");
    bytes.resize(got);  // the file may have shrunk meanwhile; the decoders see what is there
    return bytes;
}

bool ends_with_ignoring_case(const std::string& s, const char* suffix)
{
    const size_t n = std::strlen(suffix);
    if (s.size() < n) return false;
    for (size_t i = 0; i < n; ++i) {
        char c = s[s.size() - n + i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != suffix[i]) return false;
    }
    return true;
}

}  // namespace

int PictureFile::natural_bits() const
{
    if (format == FileFormat::kBmp) return image.bits();
    return has_alpha ? 32 : 24;
}

Image PictureFile::at_depth(int bits, const std::string& name) const
{
    if (image.bits() == bits) return image;
    if (format == FileFormat::kBmp)
        throw ToolError(name + ": a " + std::to_string(image.bits()) + "-bit BMP, not " + std::to_string(bits) + "-bit");
    // Decoded pictures are held at 32 bits; only the drop to 24 is left.
    Image out(image.width(), image.height(), 24);
    for (int32_t y = 0; y < image.height(); ++y) {
        const uint8_t* from = image.row(y);
        uint8_t* to = out.row(y);
        for (int32_t x = 0; x < image.width(); ++x) std::memcpy(to + 3 * x, from + 4 * x, 3);
    }
    return out;
}

PictureFile decode_picture(const std::vector<uint8_t>& file, const std::string& name)
{
    PictureFile p;
    if (starts_with(file, "\x89PNG\r\n\x1a\n")) {
        p.format = FileFormat::kPng;
        p.image = decode_png(file, name, &p.has_alpha);
    } else if (starts_with(file, "\xff\xd8\xff")) {
        p.format = FileFormat::kJpeg;
        p.image = decode_jpeg(file, name);
    } else if (starts_with(file, "BM")) {
        p.image = decode_bmp(file, name);
        return p;
    } else if (starts_with(file, "GIF8")) {
        throw ToolError(name + ": unsupported image format (GIF); the tool reads BMP, PNG and JPEG");
    } else if (starts_with(file, "II*\0") || starts_with(file, "MM\0*")) {
        throw ToolError(name + ": unsupported image format (TIFF); the tool reads BMP, PNG and JPEG");
    } else if (starts_with(file, "RIFF") && starts_with(file, "WEBP", 8)) {
        throw ToolError(name + ": unsupported image format (WebP); the tool reads BMP, PNG and JPEG");
    } else {
        throw ToolError(name + ": not a BMP, PNG or JPEG file");
    }
    // 32-bit images read from PNG or JPEG are written to bitmaps with their
    // channel masks, so that readers take the alpha byte as alpha.
    p.image.set_bitfields(true);
    return p;
}

PictureFile read_picture(const std::string& path) { return decode_picture(read_whole_file(path), path); }

FileFormat output_format(const std::string& path)
{
    if (ends_with_ignoring_case(path, ".bmp")) return FileFormat::kBmp;
    if (ends_with_ignoring_case(path, ".png")) return FileFormat::kPng;
    throw ToolError(path + ": cannot tell the output format from the name (end it in .png or .bmp)");
}

void write_picture(const std::string& path, const Image& image)
{
    replace_file(path, output_format(path) == FileFormat::kPng ? encode_png(image, path) : encode_bmp(image));
}

}  // namespace pixmill_tool
