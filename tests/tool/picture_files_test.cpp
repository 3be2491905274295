// Reading and writing picture files. (Files the reader refuses are in the
// program's bad-input table, cli_test.cpp.)
#include <gtest/gtest.h>

#include <tuple>

#include "bmp.h"
#include "image_files.h"
#include "tool_error.h"
#include "tool_test_util.h"

using namespace pixmill_tool;
using namespace tool_test;

// Each form of bitmap the reader takes, assembled by hand: the rows land
// bottom-up in memory whichever order the file stores them in, padding
// included, and the descriptor carries the padded stride. The writer gives
// back a bottom-up file of the form the image was read in (channel masks
// kept) holding the same rows.
TEST(Bmp, EveryFormReadAndWrittenRowForRow)
{
    // Depth, header size, channel masks (BI_BITFIELDS) when given, header size written.
    const std::tuple<uint16_t, uint32_t, std::vector<uint32_t>, uint32_t> forms[] = {
        {24, 40, {}, 40}, {32, 40, {}, 40}, {32, 40, {0xFF0000, 0xFF00, 0xFF}, 108},  // masks after the header
        {32, 124, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 108},                          // masks inside it
    };
    for (const auto& [bits, info_size, masks, written_info_size] : forms)
        for (int32_t width : {1, 2, 3, 4})
            for (bool top_down : {false, true}) {
                SCOPED_TRACE(testing::Message() << bits << "-bit, header " << info_size << ", masks "
                                                << masks.size() << ", width " << width << ", top-down " << top_down);
                BmpLayout s;
                s.width = width, s.height = top_down ? -2 : 2, s.bits = bits;
                s.compression = masks.empty() ? 0 : 3, s.info_size = info_size, s.masks = masks;
                // Byte k of file row r is 64 r + k + 1, padding included.
                const size_t row_bytes = (bits / 8 * width + 3) / 4 * 4;
                for (int r = 0; r < 2; ++r) {
                    s.file_rows.emplace_back(row_bytes);
                    for (size_t k = 0; k < row_bytes; ++k) s.file_rows[r][k] = static_cast<uint8_t>(64 * r + k + 1);
                }
                std::vector<uint8_t> bottom_up(s.file_rows[top_down]), top(s.file_rows[!top_down]);
                bottom_up.insert(bottom_up.end(), top.begin(), top.end());

                Image image = decode_bmp(build_bmp(s), "x.bmp");
                ASSERT_TRUE(image.width() == width && image.height() == 2 && image.bits() == bits);
                EXPECT_EQ(image.bitfields(), !masks.empty());
                EXPECT_EQ(pixel_bytes(image), bottom_up);
                const Surface* d = image.surface();  // the descriptor: rows, padded stride, the image's bytes
                EXPECT_TRUE(d->Width == width && mUBOUNDType(d->Pixels, 2) == 2 &&
                            mUBOUNDType(d->Pixels, 1) == (bits == 24 ? static_cast<int32_t>(row_bytes) : width) &&
                            reinterpret_cast<uint8_t*>(VBArrayPointerType(d->Pixels)) == image.bytes());

                const std::vector<uint8_t> file = encode_bmp(image);
                EXPECT_EQ(file[14], written_info_size);
                EXPECT_EQ(file[22], 2u);  // bottom-up
                EXPECT_EQ(std::vector<uint8_t>(file.begin() + file[10], file.end()), bottom_up);
                const Image back = decode_bmp(file, "y.bmp");
                EXPECT_EQ(back.bitfields(), image.bitfields());
                EXPECT_EQ(pixel_bytes(back), bottom_up);
            }
}

// Each form of PNG and JPEG, made by ImageMagick from a 32-bit bitmap, is read
// into either surface a call may need with the pixels ImageMagick reads from
// the same file: alpha kept where the file has it and 255 where it has none.
// (CMYK is turned into colour by arithmetic of its own, within 2.)
TEST(PictureFiles, EveryFormOfPngAndJpegReadAsEitherSurface)
{
    TempDir dir;
    // 7 x 5, so that rows pad and the interlaced passes are uneven; few colours for a palette.
    Image colour(7, 5, 32);
    const uint8_t colours[][3] = {{10, 200, 30}, {250, 0, 0}, {0, 0, 255}, {128, 64, 32}, {5, 5, 5}, {200, 200, 90}};
    for (int32_t i = 0; i < 35; ++i) {
        const uint8_t *c = colours[(i % 7 + i / 7 * 2) % 6], alpha = i % 4 ? 40 * (i % 4) : 255;
        std::copy(c, c + 3, colour.pixel(i % 7, i / 7));
        colour.pixel(i % 7, i / 7)[3] = alpha;
    }
    colour.set_bitfields(true);
    write_file(dir / "colour.bmp", encode_bmp(colour));

    const struct {
        const char* convert;           // ImageMagick's options and output format
        std::vector<uint8_t> header;   // PNG: depth, colour type, 0, 0, interlace; JPEG: components
        bool alpha;
        int tolerance;
    } forms[] = {
        {"-alpha off PNG24", {8, 2, 0, 0, 0}, false, 0}, {"PNG32", {8, 6, 0, 0, 0}, true, 0},
        {"-alpha off PNG8", {8, 3, 0, 0, 0}, false, 0} /* palette */, {"PNG64", {16, 6, 0, 0, 0}, true, 0},
        {"-interlace PNG PNG32", {8, 6, 0, 0, 1}, true, 0}, {"-colorspace Gray PNG", {8, 4, 0, 0, 0}, true, 0},
        {"-alpha off -colorspace Gray PNG", {8, 0, 0, 0, 0}, false, 0}, {"PNG8", {8, 3, 0, 0, 0}, true, 0},
        {"-alpha off -colorspace Gray -define png:bit-depth=16 -define png:color-type=0 PNG", {16, 0, 0, 0, 0}, false, 0},
        {"-alpha off -colorspace Gray -define png:bit-depth=2 -define png:color-type=0 PNG", {2, 0, 0, 0, 0}, false, 0},
        {"-alpha off -quality 90 JPG", {3}, false, 0}, {"-alpha off -colorspace Gray JPG", {1}, false, 0},
        {"-alpha off -colorspace CMYK JPG", {4}, false, 2},
    };
    int n = 0;
    for (const auto& f : forms) {
        SCOPED_TRACE(f.convert);
        std::string options = f.convert;
        const std::string format = options.substr(options.rfind(' ') + 1);
        options.resize(options.size() - format.size());
        const std::string file = dir / ("form" + std::to_string(++n)), raw = file + ".rgba";
        const std::string cmd = "convert " + (dir / "colour.bmp ") + options + format + ":" + file +
                                " && convert " + file + " -depth 8 rgba:" + raw;
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        const std::vector<uint8_t> bytes = read_file(file), rgba = read_file(raw);
        const size_t at = format == "JPG" ? std::string(bytes.begin(), bytes.end()).find("\xff\xc0") + 9 : 24;
        ASSERT_LE(at + f.header.size(), bytes.size());
        EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + at, bytes.begin() + at + f.header.size()), f.header);
        const PictureFile p = read_picture(file);
        EXPECT_EQ(p.format, format == "JPG" ? FileFormat::kJpeg : FileFormat::kPng);
        EXPECT_EQ(p.has_alpha, f.alpha);
        EXPECT_EQ(p.natural_bits(), f.alpha ? 32 : 24);
        ASSERT_EQ(rgba.size(), 7u * 5 * 4);
        for (int bits : {24, 32}) {
            const Image image = p.at_depth(bits, file);
            ASSERT_TRUE(image.bits() == bits && image.width() == 7 && image.height() == 5);
            int worst = 0;  // ImageMagick gives red, green, blue, alpha (255 where the file has none)
            for (int32_t i = 0; i < 35; ++i)
                for (int c = 0; c < bits / 8; ++c)
                    worst = std::max(worst, std::abs(image.pixel(i % 7, i / 7)[c] - rgba[4 * i + (c == 3 ? 3 : 2 - c)]));
            EXPECT_LE(worst, f.tolerance) << bits << "-bit";
        }
    }
    // Bitmaps keep their depth.
    const PictureFile bmp = read_picture(dir / "colour.bmp");
    EXPECT_EQ(bmp.natural_bits(), 32);
    EXPECT_EQ(pixel_bytes(bmp.at_depth(32, "colour.bmp")), pixel_bytes(colour));
    EXPECT_THROW(bmp.at_depth(24, "colour.bmp"), ToolError);
}
