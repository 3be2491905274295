// PNG files through libpng. libpng reports errors by longjmp, so every object
// that lives across a libpng call is owned by the caller of the function that
// calls setjmp, and nothing with a destructor is in the frames a jump leaves.
#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <new>

#include "image_files.h"
#include "tool_error.h"

namespace pixmill_tool {

namespace {

// What a libpng call shares with its callbacks.
struct PngState {
    png_structp png = nullptr;
    png_infop info = nullptr;
    const std::vector<uint8_t>* in = nullptr;  // reading: the file
    size_t at = 0;
    std::vector<uint8_t>* out = nullptr;       // writing: the file so far
    char message[200] = "";
    bool plain = false;  // message is the whole complaint, not libpng's words about a bad file
};

void on_error(png_structp png, png_const_charp message)
{
    PngState* s = static_cast<PngState*>(png_get_error_ptr(png));
    std::snprintf(s->message, sizeof s->message, "%s", message);
    png_longjmp(png, 1);
}

void on_warning(png_structp, png_const_charp) {}  // the tool's output is one line, or none

void read_bytes(png_structp png, png_bytep data, size_t n)
{
    PngState* s = static_cast<PngState*>(png_get_io_ptr(png));
    if (s->in->size() - s->at < n) {
        s->plain = true;
        png_error(png, "truncated PNG file");
    }
    std::memcpy(data, s->in->data() + s->at, n);
    s->at += n;
}

void write_bytes(png_structp png, png_bytep data, size_t n)
{
    PngState* s = static_cast<PngState*>(png_get_io_ptr(png));
    bool full = false;
    try {
        s->out->insert(s->out->end(), data, data + n);
    } catch (const std::bad_alloc&) {
        full = true;
    }
    if (full) png_error(png, "out of memory");
}

void flush_nothing(png_structp) {}

struct PngReader : PngState {
    Image image;
    std::vector<png_bytep> rows;
    bool has_alpha = false;
    ~PngReader() { png_destroy_read_struct(&png, &info, nullptr); }
};

struct PngWriter : PngState {
    std::vector<png_bytep> rows;
    ~PngWriter() { png_destroy_write_struct(&png, &info); }
};

// Returns false with r.message set when libpng stops on the file.
bool read_png(PngReader& r)
{
    if (setjmp(png_jmpbuf(r.png))) return false;
    png_set_read_fn(r.png, &r, read_bytes);
    // Dimensions within what an Image may hold; libpng refuses larger ones itself.
    png_set_user_limits(r.png, 1u << 28, 1u << 28);
    png_read_info(r.png, r.info);
    const png_byte type = png_get_color_type(r.png, r.info);
    const png_uint_32 width = png_get_image_width(r.png, r.info), height = png_get_image_height(r.png, r.info);
    if (int64_t{width} * 4 * height > kMaxPixelBytes) {  // before libpng sizes its row buffers
        std::snprintf(r.message, sizeof r.message, "PNG dimensions %ux%u are too large", width, height);
        r.plain = true;
        return false;
    }
    r.has_alpha = (type & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(r.png, r.info, PNG_INFO_tRNS) != 0;
    // Whatever the form: palette and greyscale expanded to colour, samples
    // below 8 bits widened and 16-bit ones scaled to 8, transparency made
    // alpha, alpha 255 added where there is none, in blue-green-red-alpha order.
    png_set_expand(r.png);
    png_set_scale_16(r.png);
    png_set_gray_to_rgb(r.png);
    png_set_filler(r.png, 0xFF, PNG_FILLER_AFTER);
    png_set_bgr(r.png);
    png_set_interlace_handling(r.png);
    png_read_update_info(r.png, r.info);
    if (png_get_rowbytes(r.png, r.info) != size_t{width} * 4) png_error(r.png, "unexpected row layout");
    r.image = Image(static_cast<int32_t>(width), static_cast<int32_t>(height), 32);
    r.rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) r.rows[y] = r.image.row(static_cast<int32_t>(y));
    png_read_image(r.png, r.rows.data());
    png_read_end(r.png, nullptr);  // a file cut before its end is refused
    return true;
}

bool write_png(PngWriter& w, const Image& image)
{
    if (setjmp(png_jmpbuf(w.png))) return false;
    png_set_write_fn(w.png, &w, write_bytes, flush_nothing);
    const bool alpha = image.bits() == 32;
    png_set_IHDR(w.png, w.info, static_cast<png_uint_32>(image.width()), static_cast<png_uint_32>(image.height()), 8,
                 alpha ? PNG_COLOR_TYPE_RGB_ALPHA : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(w.png, w.info);
    png_set_bgr(w.png);
    w.rows.resize(static_cast<size_t>(image.height()));
    for (int32_t y = 0; y < image.height(); ++y) w.rows[static_cast<size_t>(y)] = const_cast<png_bytep>(image.row(y));
    png_write_image(w.png, w.rows.data());
    png_write_end(w.png, nullptr);
    return true;
}

}  // namespace

Image decode_png(const std::vector<uint8_t>& file, const std::string& name, bool* has_alpha)
{
    PngReader r;
    r.in = &file;
    r.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, static_cast<PngState*>(&r), on_error, on_warning);
    if (r.png) r.info = png_create_info_struct(r.png);
    if (!r.png || !r.info) throw ToolError(name + ": cannot start the PNG reader");
    if (!read_png(r)) {
        if (r.plain) throw ToolError(name + ": " + r.message);
        throw ToolError(name + ": bad PNG file (" + r.message + ")");
    }
    *has_alpha = r.has_alpha;
    return std::move(r.image);
}

std::vector<uint8_t> encode_png(const Image& image, const std::string& name)
{
    std::vector<uint8_t> file;
    PngWriter w;
    w.out = &file;
    w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, static_cast<PngState*>(&w), on_error, on_warning);
    if (w.png) w.info = png_create_info_struct(w.png);
    if (!w.png || !w.info) throw ToolError(name + ": cannot start the PNG writer");
    if (!write_png(w, image)) throw ToolError(name + ": cannot write PNG (" + w.message + ")");
    return file;
}

}  // namespace pixmill_tool
