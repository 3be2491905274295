// The pixmill program end to end.
#include <gtest/gtest.h>

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <tuple>

#include "bmp.h"
#include "image_files.h"
#include "numbers.h"
#include "pictures.h"
#include "tool_test_util.h"

using namespace pixmill_tool;
using namespace tool_test;

// `run` reads each surface from a bitmap, or a PNG or JPEG ImageMagick made of
// it, hands every argument to the export by name (integers, a float, and the
// integers it writes back, printed) and writes the destination to -o: a bitmap
// (channel masks kept) holds what the export gives called directly on the same
// pixels, a PNG the same pixels as ImageMagick reads them. A second run
// replaces the output; inputs stay as they were and nothing else appears.
TEST(PixmillRun, GivesWhatTheExportGivesCalledDirectly)
{
    TempDir dir;
    Image pic = landscape(40, 30), sprite = soft_sprite(16);
    sprite.set_bitfields(true);
    write_picture(dir / "pic.bmp", pic);
    write_picture(dir / "sprite.bmp", sprite);
    const std::string magick = "cd " + dir.path() + " && convert pic.bmp pic.png && convert sprite.bmp PNG32:sprite.png"
                               " && convert pic.bmp -quality 85 pic.jpg && convert pic.jpg jpeg.bmp";
    ASSERT_EQ(std::system(magick.c_str()), 0);
    Image jpeg = read_picture(dir / "jpeg.bmp").image;  // the JPEG's pixels as ImageMagick decodes them
    const auto before = snapshot(dir);

    Image blend = pic, lift = sprite, contrast = jpeg;
    Render_BitBlt32to24(blend.surface(), 3, -2, 30, 20, sprite.surface(), 1, 0);
    Render_BitBlt24to32(lift.surface(), -1, 1, 30, 20, jpeg.surface(), 1, 0);
    Render_Contrast24(contrast.surface(), 2, 1, 30, 20, 1.75f);
    int32_t sums[3] = {};
    Render_CalcColor24(pic.surface(), 0, 1, 4, 2, &sums[0], &sums[1], &sums[2]);
    const std::vector<std::string> at = {"--w", "30", "--h", "20", "--sx", "1", "--sy", "0"};
    auto blit = [&](const char* name, const char* dest, const char* dx, const char* dy, const char* src) {
        std::vector<std::string> a = {"run", name, "--dest", dest, "--dx", dx, "--dy=" + std::string(dy), "--src", src};
        return a.insert(a.end(), at.begin(), at.end()), a;
    };
    const std::tuple<std::vector<std::string>, const Image&, std::string> cases[] = {  // args, result, printed
        {blit("Render_BitBlt32to24", "pic.bmp", "3", "-2", "sprite.bmp"), blend, ""},
        {blit("Render_BitBlt32to24", "pic.png", "3", "-2", "sprite.png"), blend, ""},
        {blit("Render_BitBlt24to32", "sprite.png", "-1", "1", "pic.jpg"), lift, ""},
        {{"run", "Render_Contrast24", "--dest", "pic.jpg", "--x=2", "--y=1", "--w=30", "--h=20", "--factor=1.75"},
         contrast, ""},
        {{"run", "Render_CalcColor24", "--dest", "pic.png", "--x", "0", "--y", "1", "--w", "4", "--h", "2"}, pic,
         "redSum = " + std::to_string(sums[0]) + "\ngreenSum = " + std::to_string(sums[1]) +
             "\nblueSum = " + std::to_string(sums[2]) + "\n"},
    };
    for (const auto& [words, e, printed] : cases)
        for (const std::string out : {"out.bmp", "out.png"}) {
            SCOPED_TRACE(words[1] + " --dest " + words[3] + " -o " + out);
            std::vector<std::string> args = words;
            args.insert(args.end(), {"-o", out});
            for (int pass = 0; pass < 2; ++pass) {
                const RunResult r = run_pixmill(dir.path(), args);
                ASSERT_EQ(r.status, 0) << r.err;
                EXPECT_EQ(r.out, printed + "wrote " + out + " (" + std::to_string(e.width()) + "x" +
                                     std::to_string(e.height()) + ", " + std::to_string(e.bits()) + "-bit)\n");
            }
            const std::string cmd = "convert " + (dir / out) + " -depth 8 rgba:" + (dir / out) + ".rgba";
            ASSERT_EQ(std::system(cmd.c_str()), 0);
            if (out == "out.bmp") {
                const Image got = read_picture(dir / out).image;
                EXPECT_EQ(got.bitfields(), e.bitfields());
                EXPECT_EQ(pixel_bytes(got), pixel_bytes(e));
            } else {
                EXPECT_EQ(read_file(dir / "out.png.rgba"), read_file(dir / "out.bmp.rgba"));
            }
        }
    auto after = snapshot(dir);
    for (const char* made : {"out.bmp", "out.png", "out.bmp.rgba", "out.png.rgba"}) EXPECT_EQ(after.erase(made), 1u);
    EXPECT_TRUE(after == before) << "an input changed, or another file appeared";
}

// Bad input of every kind: one line on stderr naming the problem, a non-zero
// exit, nothing on stdout, and the directory as it was (no input changed, no
// output or temporary file).
TEST(PixmillRun, BadInputGivesOneLineAndTouchesNothing)
{
    TempDir dir;
    Image s24(4, 3, 24);
    std::fill_n(s24.bytes(), s24.byte_count(), 9);  // unlike the destination, so a copy over it would show
    write_picture(dir / "s24.bmp", s24);
    write_picture(dir / "d24.bmp", Image(4, 3, 24));
    write_picture(dir / "d32.bmp", Image(4, 3, 32));

    // A valid 24-bit 5 x 3 file (rows of 15 bytes padded to 16), and changes to it.
    auto with = [](auto change) {
        BmpLayout s;
        s.width = 5, s.height = 3, s.file_rows.assign(3, std::vector<uint8_t>(16, 7));
        return change(s), build_bmp(s);
    };
    const auto valid = with([](BmpLayout&) {});
    auto cut = [](std::vector<uint8_t> b, size_t n) { return b.resize(n), b; };
    auto patched = [&](size_t at, uint32_t v) { auto b = valid; return put_le(b, at, v), b; };
    // A valid PNG (a field patched, its checksum made right or not) and JPEG.
    const std::vector<uint8_t> png = encode_png(Image(5, 3, 32), "p.png");
    auto patched_png = [&](size_t at, uint32_t v, bool crc) {
        auto b = png;
        for (int i = 0; i < 4; ++i) b[at + i] = static_cast<uint8_t>(v >> (24 - 8 * i));  // big-endian
        const uint32_t sum = crc ? static_cast<uint32_t>(crc32(0, &b[12], 17)) : 0;
        for (int i = 0; crc && i < 4; ++i) b[29 + i] = static_cast<uint8_t>(sum >> (24 - 8 * i));
        return b;
    };
    ASSERT_EQ(std::system(("convert -size 16x16 gradient:red-blue " + (dir / "ok.jpg")).c_str()), 0);
    const std::vector<uint8_t> jpeg = read_file(dir / "ok.jpg");
    auto masks = [](BmpLayout& s) { s.bits = 32, s.compression = 3, s.masks = {0xFF0000, 0xFF00, 0xFF}; };
    const std::tuple<const char*, std::vector<uint8_t>, const char*> files[] = {  // name, bytes, complaint
        {"empty.bmp", {}, "not a BMP, PNG or JPEG file"},
        {"text.bmp", {'h', 'i', '\n'}, "not a BMP, PNG or JPEG file"},
        {"BM.bmp", {'B', 'M'}, "truncated BMP header"},
        {"anim.gif", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, "unsupported image format (GIF)"},
        {"cut.png", cut(png, png.size() - 13), "truncated PNG file"},
        {"crc.png", patched_png(29, 1, false), "bad PNG file (IHDR: CRC error)"},
        {"huge.png", patched_png(16, 1u << 28, true), "PNG dimensions 268435456x3 are too large"},
        {"cut.jpg", cut(jpeg, jpeg.size() / 2), "truncated JPEG file"},
        {"soi.jpg", {0xFF, 0xD8, 0xFF, 0xD9}, "bad JPEG file ("},
        {"cut-in-file-header.bmp", cut(valid, 12), "truncated BMP header"},
        {"cut-in-info-header.bmp", cut(valid, 40), "truncated BMP header"},
        {"cut-in-masks.bmp", cut(with(masks), 60), "truncated BMP header"},
        {"cut-pixels.bmp", cut(valid, valid.size() - 1), "truncated pixel data (47 of 48 bytes)"},
        {"offset-past-end.bmp", patched(10, 4000), "truncated pixel data (0 of 48 bytes)"},
        {"offset-in-header.bmp", patched(10, 20), "bad BMP pixel data offset 20"},
        {"os2.bmp", patched(14, 12), "unsupported BMP format (OS/2 core header)"},
        {"header-64.bmp", patched(14, 64), "unsupported BMP header size 64"},
        {"pal8.bmp", with([](BmpLayout& s) { s.bits = 8; }), "unsupported BMP format (8-bit palette image)"},
        {"rle4.bmp", with([](BmpLayout& s) { s.bits = 4, s.compression = 2; }),
         "unsupported BMP format (RLE compression)"},
        {"p16.bmp", with([](BmpLayout& s) { s.bits = 16; }), "unsupported BMP format (16-bit pixels)"},
        {"png.bmp", with([](BmpLayout& s) { s.compression = 5; }), "unsupported BMP format (embedded JPEG or PNG)"},
        {"masked24.bmp", with([&](BmpLayout& s) { masks(s), s.bits = 24; }),
         "unsupported BMP format (24-bit with channel masks)"},
        {"rgba.bmp", with([&](BmpLayout& s) { masks(s), s.info_size = 108, s.masks = {0xFF, 0xFF00, 0xFF0000, 0}; }),
         "unsupported BMP channel masks"},
        {"planes.bmp", with([](BmpLayout& s) { s.planes = 2; }), "bad BMP header (2 planes)"},
        {"width-0.bmp", with([](BmpLayout& s) { s.width = 0; }), "bad BMP dimensions 0x3"},
        {"width-neg.bmp", with([](BmpLayout& s) { s.width = -5; }), "bad BMP dimensions -5x3"},
        {"height-0.bmp", with([](BmpLayout& s) { s.height = 0; }), "bad BMP dimensions 5x0"},
        {"huge.bmp", with([](BmpLayout& s) { s.width = 100000, s.height = -100000; }),
         "BMP dimensions 100000x100000 are too large"},
        {"height-min.bmp", with([](BmpLayout& s) { s.height = INT32_MIN; }),
         "BMP dimensions 5x2147483648 are too large"},
        {"widest.bmp", with([](BmpLayout& s) { s.width = INT32_MAX, s.height = 1; }),
         "BMP dimensions 2147483647x1 are too large"},
    };

    auto blit = [](const std::string& src, std::vector<std::string> extra = {"-o", "out.bmp"}) {
        std::vector<std::string> a = {"run", "Render_BitBlt24to24", "--dest", "d24.bmp", "--dx", "0", "--dy", "0",
                                      "--w", "2", "--h", "2", "--src", src, "--sx", "0", "--sy", "0"};
        return a.insert(a.end(), extra.begin(), extra.end()), a;
    };
    auto set = [](std::vector<std::string> a, const std::string& after, const std::string& value) {
        return *(std::find(a.begin(), a.end(), after) + 1) = value, a;
    };
    std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {blit("missing.bmp"), "missing.bmp: cannot open (No such file or directory)"},
        {blit("."), ".: is a directory"},
        {blit("d32.bmp"), "d32.bmp: Render_BitBlt24to24 needs a 24-bit BMP for --src, this one is 32-bit"},
        {set(blit("s24.bmp"), "run", "Render_BitBlt24to32"),
         "d24.bmp: Render_BitBlt24to32 needs a 32-bit BMP for --dest, this one is 24-bit"},
        {{"run", "Render_Nothing", "--dest", "d24.bmp"}, "unknown export 'Render_Nothing'"},
        {{"run"}, "run: missing export name"},
        {{"run", "Render_BitBlt24to24", "--dest", "d24.bmp", "-o", "out.bmp"}, "missing argument --dx"},
        {blit("s24.bmp", {"--dx", "3", "-o", "out.bmp"}), "option --dx given twice"},
        {blit("s24.bmp", {"--alpha", "3", "-o", "out.bmp"}), "unknown option --alpha for Render_BitBlt24to24"},
        {blit("s24.bmp", {"-o", "out.bmp", "extra"}), "unexpected argument 'extra'"},
        {blit("s24.bmp", {"-o"}), "option -o needs a file name"},
        {{"run", "Render_BitBlt24to24", "--dest", "d24.bmp", "--sy"}, "option --sy needs a value"},
        {blit("s24.bmp", {}), "missing -o OUT.png"},
        {blit("s24.bmp", {"-o", "out.jpg"}), "out.jpg: cannot tell the output format from the name"},
        {{"demo", "scene.gif"}, "scene.gif: cannot tell the output format from the name"},
        {set(set(blit("ok.jpg"), "--dest", "ok.jpg"), "run", "Render_BitBlt24to32"),
         "ok.jpg: Render_BitBlt24to32 needs a 24-bit image for --src and a 32-bit one for --dest; give two files"},
        {blit("s24.bmp", {"-o", "d24.bmp"}), "d24.bmp: is the input given to --dest; refusing to overwrite it"},
        {blit("s24.bmp", {"-o", "./s24.bmp"}), "./s24.bmp: is the input given to --src; refusing to overwrite it"},
        {blit("s24.bmp", {"-o", "no/dir/out.bmp"}), "no/dir/out.bmp: cannot create a file in its directory"},
        {{"frobnicate"}, "unknown command 'frobnicate'"},
        {{"info", "now"}, "info: unexpected argument 'now'"},
        {{"demo", "a.bmp", "b.bmp"}, "demo: unexpected argument 'b.bmp'"},
        {{"gallery"}, "gallery: expected one directory"},
        {{"gallery", "d24.bmp"}, "d24.bmp: cannot make a directory there"},
    };
    for (const auto& [name, bytes, message] : files) {
        write_file(dir / name, bytes);
        cases.push_back({blit(name), std::string(name) + ": " + message});
    }
    // Numbers: the whole word, in range (and finite), for an integer (--dx) or a float (--factor).
    const std::vector<std::string> contrast = {"run", "Render_Contrast24", "--dest", "d24.bmp", "--x", "0", "--y",
                                               "0", "--w", "1", "--h", "1", "--factor", "1", "-o", "out.bmp"};
    const char *const integer = "is not an integer", *range = "is outside the 32-bit integer range",
                      *number = "is not a number", *finite = "is not a finite number";
    const char* const numbers[][3] = {
        {"dx", "", integer}, {"dx", "-", integer}, {"dx", "12px", integer}, {"dx", " 12", integer},
        {"dx", "1.5", integer}, {"dx", "0x10", integer}, {"dx", "2147483648", range}, {"dx", "-2147483649", range},
        {"dx", "99999999999999999999999", range}, {"factor", "", number}, {"factor", "1.5.2", number},
        {"factor", " 1", number}, {"factor", "nan", finite}, {"factor", "-inf", finite}, {"factor", "1e400", finite},
        {"factor", "1e39", "is outside the float range"},
    };
    for (const auto& [option, text, complaint] : numbers) {
        const std::string name = std::string("--") + option;
        cases.push_back({set(name == "--dx" ? blit("s24.bmp") : contrast, name, text),
                         "argument " + name + ": '" + text + "' " + complaint});
    }

    const auto before = snapshot(dir);
    for (const auto& [args, message] : cases) {
        std::string line;
        for (const std::string& a : args) line += a + " ";
        SCOPED_TRACE(line);
        const RunResult r = run_pixmill(dir.path(), args);
        EXPECT_NE(r.status, 0);
        EXPECT_EQ(r.err.rfind("pixmill: " + message, 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_TRUE(snapshot(dir) == before) << "a file in the directory changed, appeared or went";
    }
}

TEST(PixmillRun, NumbersAcceptedWholeAndInRange)
{
    const std::pair<const char*, int32_t> ints[] = {{"0", 0},           {"-5", -5},          {"+7", 7},
                                                    {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}, {"007", 7}};
    for (const auto& [text, value] : ints) EXPECT_EQ(parse_int32("--dx", text), value) << text;
    const std::pair<const char*, float> floats[] = {{"1", 1.0f}, {"-0.5", -0.5f}, {"2.5e1", 25.0f}, {"1e-60", 0.0f}};
    for (const auto& [text, value] : floats) EXPECT_EQ(parse_float("--factor", text), value) << text;
}
