// Reading and writing bitmap files.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "bmp.h"
#include "tool_error.h"
#include "tool_test_util.h"

using namespace pixmill_tool;
using namespace tool_test;

namespace {

// Fills the pixel bytes (not the row padding) with random values.
void fill_pixels(Image& image, std::mt19937& rng)
{
    for (int32_t y = 0; y < image.height(); ++y)
        for (int32_t i = 0; i < image.width() * image.bits() / 8; ++i) image.row(y)[i] = static_cast<uint8_t>(rng());
}

std::string decode_error(const std::vector<uint8_t>& file)
{
    try {
        decode_bmp(file, "in.bmp");
    } catch (const ToolError& e) {
        return e.what();
    }
    return "(no error)";
}

}  // namespace

TEST(BmpRoundTrip, EveryFormatAndOddWidthKeepsEveryByte)
{
    std::mt19937 rng(5);
    struct Form {
        int bits;
        bool bitfields;
        uint32_t header;  // expected info header size
    };
    for (const Form form : {Form{24, false, 40}, Form{32, false, 40}, Form{32, true, 108}})
        for (int32_t width : {1, 2, 3, 5, 7, 8})
            for (int32_t height : {1, 4}) {
                SCOPED_TRACE(testing::Message() << form.bits << "-bit bitfields " << form.bitfields << " " << width
                                                << "x" << height);
                Image image(width, height, form.bits);
                image.set_bitfields(form.bitfields);
                fill_pixels(image, rng);
                const std::vector<uint8_t> file = encode_bmp(image);
                EXPECT_EQ(file[14], form.header);
                EXPECT_EQ(file.size(), 14 + form.header + image.byte_count());
                const Image back = decode_bmp(file, "x.bmp");
                EXPECT_EQ(back.width(), width);
                EXPECT_EQ(back.height(), height);
                EXPECT_EQ(back.bits(), form.bits);
                EXPECT_EQ(back.bitfields(), form.bitfields);
                EXPECT_EQ(std::vector<uint8_t>(back.bytes(), back.bytes() + back.byte_count()),
                          std::vector<uint8_t>(image.bytes(), image.bytes() + image.byte_count()));
            }
}

TEST(BmpRoundTrip, ThroughAFileLeavesNothingElseBehind)
{
    TempDir dir;
    std::mt19937 rng(9);
    Image image(3, 2, 24);
    fill_pixels(image, rng);
    write_bmp(dir / "a.bmp", image);
    write_bmp(dir / "a.bmp", image);  // replacing an existing file
    const Image back = read_bmp(dir / "a.bmp");
    EXPECT_EQ(std::vector<uint8_t>(back.bytes(), back.bytes() + back.byte_count()),
              std::vector<uint8_t>(image.bytes(), image.bytes() + image.byte_count()));
    EXPECT_EQ(dir.names(), std::vector<std::string>{"a.bmp"});
}

// Files assembled by hand: rows come out bottom-up in memory whichever order
// the file stores them in, and the descriptor carries the padded stride.
TEST(BmpRead, RowOrderPaddingAndStrideOfHandBuiltFiles)
{
    struct Case {
        const char* name;
        uint16_t bits;
        uint32_t compression;
        uint32_t info_size;
        std::vector<uint32_t> masks;
        int32_t stride;  // expected upper bound of dimension 1
    };
    const Case cases[] = {
        {"24-bit", 24, 0, 40, {}, 12},
        {"32-bit BI_RGB", 32, 0, 40, {}, 3},
        {"32-bit masks after a 40-byte header", 32, 3, 40, {0xFF0000, 0xFF00, 0xFF}, 3},
        {"32-bit masks inside a 124-byte header", 32, 3, 124, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 3},
    };
    for (const Case& c : cases)
        for (bool top_down : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.name << (top_down ? " top-down" : " bottom-up"));
            // 3 x 2 image; byte k of file row r is 16 r + k (padding included).
            BmpLayout s;
            s.width = 3;
            s.height = top_down ? -2 : 2;
            s.bits = c.bits;
            s.compression = c.compression;
            s.info_size = c.info_size;
            s.masks = c.masks;
            const int row_bytes = 12;  // 9 bytes padded, or 3 pixels of 4
            for (int r = 0; r < 2; ++r) {
                std::vector<uint8_t> row(row_bytes);
                for (int k = 0; k < row_bytes; ++k) row[k] = static_cast<uint8_t>(16 * r + k);
                s.file_rows.push_back(row);
            }
            Image image = decode_bmp(build_bmp(s), "x.bmp");
            ASSERT_EQ(image.width(), 3);
            ASSERT_EQ(image.height(), 2);
            ASSERT_EQ(image.bits(), c.bits);
            // The top row of the picture is file row 0 of a top-down file and
            // file row 1 of a bottom-up one.
            const int top_file_row = top_down ? 0 : 1;
            EXPECT_EQ(image.pixel(0, 0)[0], 16 * top_file_row);
            EXPECT_EQ(image.pixel(2, 1)[1], 16 * (1 - top_file_row) + (c.bits / 8) * 2 + 1);
            // Array row 0 (the first bytes in memory) is the bottom row.
            EXPECT_EQ(image.bytes()[0], 16 * (1 - top_file_row));

            Surface* surface = image.surface();
            EXPECT_EQ(surface->Width, 3);
            EXPECT_EQ(mUBOUNDType(surface->Pixels, 1), c.stride);
            EXPECT_EQ(mUBOUNDType(surface->Pixels, 2), 2);
            EXPECT_EQ(reinterpret_cast<uint8_t*>(VBArrayPointerType(surface->Pixels)), image.bytes());
        }
}

TEST(BmpRead, BadInputNamesTheFileAndTheProblem)
{
    struct Case {
        const char* what;
        std::vector<uint8_t> file;
        const char* message;
    };
    // A valid 24-bit 5 x 3 file (rows of 15 bytes padded to 16), and changes to it.
    auto with = [](auto change) { return bmp_with(5, 3, change, 7); };
    auto valid = with([](BmpLayout&) {});
    auto cut = [&](size_t n) { return std::vector<uint8_t>(valid.begin(), valid.begin() + n); };
    // A 32-bit file whose masks follow a 40-byte header, ending inside them.
    auto cut_masked = [&](size_t n) {
        auto b = with([](BmpLayout& s) { s.bits = 32, s.compression = 3, s.masks = {0xFF0000, 0xFF00, 0xFF}; });
        b.resize(n);
        return b;
    };
    auto patched = [&](size_t at, uint32_t v) {
        auto b = valid;
        put_le(b, at, v);
        return b;
    };

    const Case cases[] = {
        {"empty file", {}, "not a BMP file"},
        {"text", {'h', 'e', 'l', 'l', 'o', '\n'}, "not a BMP file"},
        {"header cut in the file header", cut(12), "truncated BMP header"},
        {"header cut in the info header", cut(40), "truncated BMP header"},
        {"pixel block one byte short", cut(valid.size() - 1), "truncated pixel data (47 of 48 bytes)"},
        {"pixel offset past the end", patched(10, 4000), "truncated pixel data"},
        {"pixel offset inside the header", patched(10, 20), "bad BMP pixel data offset"},
        {"OS/2 core header", patched(14, 12), "OS/2"},
        {"unknown header size", patched(14, 64), "header size 64"},
        {"8-bit palette", with([](BmpLayout& s) { s.bits = 8; }), "8-bit palette"},
        {"4-bit palette", with([](BmpLayout& s) { s.bits = 4; }), "4-bit palette"},
        {"1-bit palette", with([](BmpLayout& s) { s.bits = 1; }), "1-bit palette"},
        {"RLE8", with([](BmpLayout& s) { s.bits = 8, s.compression = 1; }), "RLE"},
        {"RLE4", with([](BmpLayout& s) { s.bits = 4, s.compression = 2; }), "RLE"},
        {"16-bit", with([](BmpLayout& s) { s.bits = 16; }), "16-bit"},
        {"embedded PNG", with([](BmpLayout& s) { s.compression = 5; }), "JPEG or PNG"},
        {"24-bit with masks", with([](BmpLayout& s) { s.compression = 3, s.masks = {0xFF0000, 0xFF00, 0xFF}; }),
         "24-bit with channel masks"},
        {"32-bit RGBA masks",
         with([](BmpLayout& s) {
             s.bits = 32, s.compression = 3, s.info_size = 108, s.masks = {0xFF, 0xFF00, 0xFF0000, 0xFF000000};
         }),
         "channel masks"},
        {"masks cut off", cut_masked(60), "truncated BMP header"},
        {"two planes", with([](BmpLayout& s) { s.planes = 2; }), "2 planes"},
        {"zero width", with([](BmpLayout& s) { s.width = 0; }), "bad BMP dimensions 0x3"},
        {"negative width", with([](BmpLayout& s) { s.width = -5; }), "bad BMP dimensions -5x3"},
        {"zero height", with([](BmpLayout& s) { s.height = 0; }), "bad BMP dimensions 5x0"},
        {"absurd size", with([](BmpLayout& s) { s.width = 100000, s.height = 100000; }), "100000x100000 are too large"},
        {"most negative height", with([](BmpLayout& s) { s.height = INT32_MIN; }), "5x2147483648 are too large"},
        {"widest row", with([](BmpLayout& s) { s.width = INT32_MAX, s.height = 1; }), "are too large"},
    };
    for (const Case& c : cases) {
        const std::string error = decode_error(c.file);
        EXPECT_EQ(error.rfind("in.bmp: ", 0), 0u) << c.what << ": " << error;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.what << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << c.what;
    }
}

// An outside reader sees the pixels where the tool put them: the picture's
// top-left pixel, the padding of odd widths and both 32-bit forms.
TEST(BmpWrite, ImageMagickReadsThePixelsWhereTheyWere)
{
    if (std::system("command -v convert >/dev/null 2>&1") != 0) GTEST_SKIP() << "ImageMagick is not installed";
    TempDir dir;
    struct Form {
        int bits;
        bool bitfields;
    };
    for (const Form form : {Form{24, false}, Form{32, false}, Form{32, true}}) {
        SCOPED_TRACE(testing::Message() << form.bits << "-bit bitfields " << form.bitfields);
        Image image(3, 2, form.bits);
        image.set_bitfields(form.bitfields);
        for (int32_t y = 0; y < 2; ++y)
            for (int32_t x = 0; x < 3; ++x) {
                uint8_t* p = image.pixel(x, y);
                p[0] = static_cast<uint8_t>(10 * x + 1);   // blue
                p[1] = static_cast<uint8_t>(100 + y);      // green
                p[2] = static_cast<uint8_t>(200 + x + y);  // red
                if (form.bits == 32) p[3] = 255;
            }
        write_bmp(dir / "m.bmp", image);
        const std::string cmd = "convert " + (dir / "m.bmp") + " -alpha off -depth 8 txt:- > " + (dir / "m.txt");
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        const auto txt = read_file(dir / "m.txt");
        const std::string text(txt.begin(), txt.end());
        EXPECT_NE(text.find("0,0: (200,100,1)"), std::string::npos) << text;
        EXPECT_NE(text.find("2,0: (202,100,21)"), std::string::npos) << text;
        EXPECT_NE(text.find("2,1: (203,101,21)"), std::string::npos) << text;
    }
}
