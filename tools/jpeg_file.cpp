// JPEG files through libjpeg. libjpeg reports errors through a callback that
// must not return; it longjmps back, and every object that lives across a
// libjpeg call is owned by the caller of the function that calls setjmp.
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first

#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>

#include "image_files.h"
#include "tool_error.h"

namespace pixmill_tool {

namespace {

struct JpegReader {
    jpeg_decompress_struct cinfo{};
    jpeg_error_mgr errors{};
    std::jmp_buf jump{};
    bool started = false;
    char message[JMSG_LENGTH_MAX] = "";
    bool plain = false;  // message is the whole complaint
    Image image;
    std::vector<uint8_t> cmyk_row;
    ~JpegReader()
    {
        if (started) jpeg_destroy_decompress(&cinfo);
    }
};

JpegReader& reader_of(j_common_ptr c) { return *reinterpret_cast<JpegReader*>(c->client_data); }

void on_error(j_common_ptr c)
{
    JpegReader& r = reader_of(c);
    (*c->err->format_message)(c, r.message);
    std::longjmp(r.jump, 1);
}

// Warnings are damaged data the decoder would paper over (grey blocks for a
// cut file): they stop the read like errors. Trace messages are dropped.
void on_message(j_common_ptr c, int level)
{
    if (level >= 0) return;
    JpegReader& r = reader_of(c);
    if (c->err->msg_code == JWRN_JPEG_EOF) {
        std::snprintf(r.message, sizeof r.message, "truncated JPEG file");
        r.plain = true;
    } else {
        (*c->err->format_message)(c, r.message);
    }
    std::longjmp(r.jump, 1);
}

// Stored CMYK is inverted in files with an Adobe marker (as those writers
// store it); either way ink c and black k leave 255 - c of 255 - k light.
uint8_t cmyk_light(uint8_t c, uint8_t k, bool inverted)
{
    if (!inverted) c = static_cast<uint8_t>(255 - c), k = static_cast<uint8_t>(255 - k);
    return static_cast<uint8_t>((c * k + 127) / 255);
}

bool read_jpeg(JpegReader& r, const std::vector<uint8_t>& file)
{
    if (setjmp(r.jump)) return false;
    jpeg_create_decompress(&r.cinfo);
    r.started = true;
    jpeg_mem_src(&r.cinfo, file.data(), static_cast<unsigned long>(file.size()));
    jpeg_read_header(&r.cinfo, TRUE);
    const bool cmyk = r.cinfo.jpeg_color_space == JCS_CMYK || r.cinfo.jpeg_color_space == JCS_YCCK;
    r.cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRA;  // alpha 255
    const JDIMENSION width = r.cinfo.image_width, height = r.cinfo.image_height;
    if (int64_t{width} * 4 * height > kMaxPixelBytes) {
        std::snprintf(r.message, sizeof r.message, "JPEG dimensions %ux%u are too large", width, height);
        r.plain = true;
        return false;
    }
    jpeg_start_decompress(&r.cinfo);
    r.image = Image(static_cast<int32_t>(r.cinfo.output_width), static_cast<int32_t>(r.cinfo.output_height), 32);
    if (cmyk) r.cmyk_row.resize(size_t{r.cinfo.output_width} * 4);
    while (r.cinfo.output_scanline < r.cinfo.output_height) {
        uint8_t* row = r.image.row(static_cast<int32_t>(r.cinfo.output_scanline));
        JSAMPROW into = cmyk ? r.cmyk_row.data() : row;
        jpeg_read_scanlines(&r.cinfo, &into, 1);
        if (!cmyk) continue;
        const bool inverted = r.cinfo.saw_Adobe_marker;
        for (size_t x = 0; x < r.cinfo.output_width; ++x) {
            const uint8_t* p = &r.cmyk_row[4 * x];
            uint8_t* q = row + 4 * x;
            q[0] = cmyk_light(p[2], p[3], inverted);
            q[1] = cmyk_light(p[1], p[3], inverted);
            q[2] = cmyk_light(p[0], p[3], inverted);
            q[3] = 255;
        }
    }
    jpeg_finish_decompress(&r.cinfo);
    return true;
}

}  // namespace

Image decode_jpeg(const std::vector<uint8_t>& file, const std::string& name)
{
    JpegReader r;
    r.cinfo.err = jpeg_std_error(&r.errors);
    r.errors.error_exit = on_error;
    r.errors.emit_message = on_message;
    r.cinfo.client_data = &r;
    if (!read_jpeg(r, file)) {
        if (r.plain) throw ToolError(name + ": " + r.message);
        throw ToolError(name + ": bad JPEG file (" + r.message + ")");
    }
    return std::move(r.image);
}

}  // namespace pixmill_tool
