// Reading and writing bitmap files. (Files the reader refuses are in the
// program's bad-input table, cli_test.cpp.)
#include <gtest/gtest.h>

#include "bmp.h"
#include "tool_test_util.h"

using namespace pixmill_tool;
using namespace tool_test;

// Each form the reader takes, assembled by hand: the rows land bottom-up in
// memory whichever order the file stores them in, padding included, and the
// descriptor carries the padded stride. The writer gives back a bottom-up
// file of the form the image was read in (channel masks kept) holding the
// same rows, which ImageMagick reads with every pixel where it was.
TEST(Bmp, EveryFormReadAndWrittenRowForRow)
{
    const bool magick = std::system("command -v convert >/dev/null 2>&1") == 0;
    TempDir dir;
    struct Form {
        const char* name;
        uint16_t bits;
        uint32_t info_size;
        std::vector<uint32_t> masks;  // channel masks (BI_BITFIELDS) when given
        uint32_t written_info_size;
    };
    const Form forms[] = {
        {"24-bit", 24, 40, {}, 40},
        {"32-bit", 32, 40, {}, 40},
        {"32-bit, masks after a 40-byte header", 32, 40, {0xFF0000, 0xFF00, 0xFF}, 108},
        {"32-bit, masks inside a 124-byte header", 32, 124, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, 108},
    };
    auto le32 = [](const std::vector<uint8_t>& b, size_t at) {
        return static_cast<uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
    };
    for (const Form& f : forms)
        for (int32_t width : {1, 2, 3, 4})
            for (bool top_down : {false, true}) {
                SCOPED_TRACE(testing::Message() << f.name << ", width " << width << (top_down ? ", top-down" : ""));
                BmpLayout s;
                s.width = width;
                s.height = top_down ? -2 : 2;
                s.bits = f.bits;
                s.compression = f.masks.empty() ? 0 : 3;
                s.info_size = f.info_size;
                s.masks = f.masks;
                // Byte k of file row r is 64 r + k + 1, padding included.
                const size_t row_bytes = (f.bits / 8 * width + 3) / 4 * 4;
                for (int r = 0; r < 2; ++r) {
                    s.file_rows.emplace_back(row_bytes);
                    for (size_t k = 0; k < row_bytes; ++k) s.file_rows[r][k] = static_cast<uint8_t>(64 * r + k + 1);
                }
                const std::vector<uint8_t>& top = s.file_rows[top_down ? 0 : 1];
                const std::vector<uint8_t>& bottom = s.file_rows[top_down ? 1 : 0];
                std::vector<uint8_t> bottom_up(bottom);
                bottom_up.insert(bottom_up.end(), top.begin(), top.end());

                Image image = decode_bmp(build_bmp(s), "x.bmp");
                ASSERT_EQ(image.width(), width);
                ASSERT_EQ(image.height(), 2);
                ASSERT_EQ(image.bits(), f.bits);
                EXPECT_EQ(image.bitfields(), !f.masks.empty());
                EXPECT_EQ(std::vector<uint8_t>(image.bytes(), image.bytes() + image.byte_count()), bottom_up);
                Surface* surface = image.surface();
                EXPECT_EQ(surface->Width, width);
                EXPECT_EQ(mUBOUNDType(surface->Pixels, 1), f.bits == 24 ? static_cast<int32_t>(row_bytes) : width);
                EXPECT_EQ(mUBOUNDType(surface->Pixels, 2), 2);
                EXPECT_EQ(reinterpret_cast<uint8_t*>(VBArrayPointerType(surface->Pixels)), image.bytes());

                const std::vector<uint8_t> file = encode_bmp(image);
                EXPECT_EQ(le32(file, 14), f.written_info_size);
                EXPECT_EQ(le32(file, 22), 2u);  // bottom-up
                EXPECT_EQ(std::vector<uint8_t>(file.begin() + le32(file, 10), file.end()), bottom_up);
                const Image back = decode_bmp(file, "y.bmp");
                EXPECT_EQ(back.bitfields(), image.bitfields());
                EXPECT_EQ(std::vector<uint8_t>(back.bytes(), back.bytes() + back.byte_count()), bottom_up);

                if (!magick || width != 3 || top_down) continue;
                write_file(dir / "m.bmp", file);
                const std::string cmd = "convert " + (dir / "m.bmp") + " -alpha off -depth 8 txt:- >" + (dir / "m.txt");
                ASSERT_EQ(std::system(cmd.c_str()), 0);
                const auto txt = read_file(dir / "m.txt");
                const std::string text(txt.begin(), txt.end());
                for (int32_t y = 0; y < 2; ++y)
                    for (int32_t x = 0; x < width; ++x) {
                        const uint8_t* p = (y == 0 ? top : bottom).data() + x * f.bits / 8;  // blue, green, red
                        const std::string pixel = std::to_string(x) + "," + std::to_string(y) + ": (" +
                                                  std::to_string(p[2]) + "," + std::to_string(p[1]) + "," +
                                                  std::to_string(p[0]) + ")";
                        EXPECT_NE(text.find(pixel), std::string::npos) << pixel << " in\n" << text;
                    }
            }
}
