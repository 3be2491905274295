// The pixmill program end to end.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "bmp.h"
#include "demo.h"
#include "exports.h"
#include "tool_test_util.h"

using namespace pixmill_tool;
using namespace tool_test;

namespace {

std::map<std::string, std::vector<uint8_t>> snapshot(const TempDir& dir)
{
    std::map<std::string, std::vector<uint8_t>> files;
    for (const std::string& name : dir.names())
        if (fs::is_regular_file(dir.path() / name)) files[name] = read_file(dir / name);
    return files;
}

int blend(int s, int d, int a) { return (s * a + d * (255 - a)) / 255; }

}  // namespace

TEST(PixmillRun, CopiesIntoA32BitSurfaceKeepingItsAlpha)
{
    TempDir dir;
    Image dest(4, 3, 32), src(5, 2, 24);
    dest.set_bitfields(true);
    for (int32_t y = 0; y < 3; ++y)
        for (int32_t x = 0; x < 4; ++x) {
            uint8_t* p = dest.pixel(x, y);
            p[0] = static_cast<uint8_t>(10 * x + y), p[1] = static_cast<uint8_t>(50 + x);
            p[2] = static_cast<uint8_t>(90 + y), p[3] = static_cast<uint8_t>(7 * x + y);
        }
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 5; ++x) {
            uint8_t* p = src.pixel(x, y);
            p[0] = static_cast<uint8_t>(200 + x), p[1] = static_cast<uint8_t>(150 + y);
            p[2] = static_cast<uint8_t>(100 + x + y);
        }
    write_bmp(dir / "dest.bmp", dest);
    write_bmp(dir / "src.bmp", src);
    const auto before = snapshot(dir);

    const RunResult r = run_pixmill(dir.path(), {"run", "Render_BitBlt24to32", "--dest", "dest.bmp", "--dx=1", "--dy",
                                                 "1", "--w", "2", "--h", "1", "--src", "src.bmp", "--sx", "2",
                                                 "--sy", "1", "-o", "out.bmp"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "wrote out.bmp (4x3, 32-bit)\n");

    // Destination pixels (1, 1) and (2, 1) take the colours of source pixels
    // (2, 1) and (3, 1); every alpha byte stays.
    Image expected = decode_bmp(before.at("dest.bmp"), "dest.bmp");
    for (int32_t i = 0; i < 2; ++i)
        for (int c = 0; c < 3; ++c) expected.pixel(1 + i, 1)[c] = src.pixel(2 + i, 1)[c];
    const Image out = read_bmp(dir / "out.bmp");
    EXPECT_TRUE(out.bitfields());
    ASSERT_EQ(out.byte_count(), expected.byte_count());
    EXPECT_TRUE(std::equal(out.bytes(), out.bytes() + out.byte_count(), expected.bytes()));
    EXPECT_EQ(read_file(dir / "dest.bmp"), before.at("dest.bmp"));
    EXPECT_EQ(read_file(dir / "src.bmp"), before.at("src.bmp"));
}

TEST(PixmillRun, BlendsByAlphaOntoAnOddWidthSurfaceThroughTheClip)
{
    TempDir dir;
    Image dest(3, 2, 24), src(3, 2, 32);
    const uint8_t alphas[2][3] = {{255, 128, 255}, {9, 0, 77}};  // [y][x]
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            for (int c = 0; c < 3; ++c) {
                dest.pixel(x, y)[c] = static_cast<uint8_t>(30 + 40 * c + 5 * x + y);
                src.pixel(x, y)[c] = static_cast<uint8_t>(250 - 60 * c - 3 * x - 20 * y);
                src.pixel(x, y)[3] = alphas[y][x];
            }
    write_bmp(dir / "back.bmp", dest);
    write_bmp(dir / "sprite.bmp", src);

    // dx = -1 moves the copy's start to source column 1 and narrows it to 2.
    const RunResult r = run_pixmill(dir.path(), {"run", "Render_BitBlt32to24", "--dest", "back.bmp", "--dx", "-1",
                                                 "--dy", "0", "--w", "3", "--h", "2", "--src", "sprite.bmp", "--sx",
                                                 "0", "--sy", "0", "-o", "out.bmp"});
    ASSERT_EQ(r.status, 0) << r.err;
    const Image out = read_bmp(dir / "out.bmp");
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 3; ++x)
            for (int c = 0; c < 3; ++c) {
                const int d = dest.pixel(x, y)[c];
                const int want = x == 2 ? d : blend(src.pixel(x + 1, y)[c], d, alphas[y][x + 1]);
                EXPECT_EQ(out.pixel(x, y)[c], want) << "pixel " << x << "," << y << " byte " << c;
            }
}

TEST(PixmillRun, BadInputGivesOneLineAndTouchesNothing)
{
    TempDir dir;
    write_bmp(dir / "d24.bmp", Image(4, 3, 24));
    write_bmp(dir / "s24.bmp", Image(4, 3, 24));
    write_bmp(dir / "d32.bmp", Image(4, 3, 32));
    write_file(dir / "text.bmp", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'a', 'g', 'e', '\n'});
    const auto good = read_file(dir / "s24.bmp");
    write_file(dir / "short.bmp", std::vector<uint8_t>(good.begin(), good.begin() + 30));
    write_file(dir / "cut.bmp", std::vector<uint8_t>(good.begin(), good.end() - 1));
    auto variant = [](auto change) { return bmp_with(4, 3, change); };
    write_file(dir / "pal8.bmp", variant([](BmpLayout& s) { s.bits = 8; }));
    write_file(dir / "rle.bmp", variant([](BmpLayout& s) { s.bits = 8, s.compression = 1; }));
    write_file(dir / "p16.bmp", variant([](BmpLayout& s) { s.bits = 16; }));
    write_file(dir / "huge.bmp", variant([](BmpLayout& s) { s.width = 100000, s.height = -100000; }));

    auto blit = [](const std::string& src, std::vector<std::string> extra = {"-o", "out.bmp"}) {
        std::vector<std::string> a = {"run", "Render_BitBlt24to24", "--dest", "d24.bmp", "--dx", "0", "--dy", "0",
                                      "--w", "2", "--h", "2", "--src", src, "--sx", "0", "--sy", "0"};
        a.insert(a.end(), extra.begin(), extra.end());
        return a;
    };
    auto with = [](std::vector<std::string> a, const std::string& after, const std::string& value) {
        *(std::find(a.begin(), a.end(), after) + 1) = value;
        return a;
    };
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {blit("missing.bmp"), "missing.bmp: cannot open (No such file or directory)"},
        {blit("."), ".: is a directory"},
        {blit("text.bmp"), "text.bmp: not a BMP file (no BM signature)"},
        {blit("short.bmp"), "short.bmp: truncated BMP header"},
        {blit("cut.bmp"), "cut.bmp: truncated pixel data (35 of 36 bytes)"},
        {blit("pal8.bmp"), "pal8.bmp: unsupported BMP format (8-bit palette image)"},
        {blit("rle.bmp"), "rle.bmp: unsupported BMP format (RLE compression)"},
        {blit("p16.bmp"), "p16.bmp: unsupported BMP format (16-bit pixels)"},
        {blit("huge.bmp"), "huge.bmp: BMP dimensions 100000x100000 are too large"},
        {blit("d32.bmp"), "d32.bmp: Render_BitBlt24to24 needs a 24-bit BMP for --src, this one is 32-bit"},
        {with(blit("s24.bmp"), "run", "Render_BitBlt24to32"),
         "d24.bmp: Render_BitBlt24to32 needs a 32-bit BMP for --dest, this one is 24-bit"},
        {{"run", "Render_Nothing", "--dest", "d24.bmp"}, "unknown export 'Render_Nothing'"},
        {{"run"}, "run: missing export name"},
        {{"run", "Render_BitBlt24to24", "--dest", "d24.bmp", "-o", "out.bmp"}, "missing argument --dx"},
        {blit("s24.bmp", {"--dx", "3", "-o", "out.bmp"}), "option --dx given twice"},
        {blit("s24.bmp", {"--alpha", "3", "-o", "out.bmp"}), "unknown option --alpha for Render_BitBlt24to24"},
        {blit("s24.bmp", {"-o", "out.bmp", "extra"}), "unexpected argument 'extra'"},
        {blit("s24.bmp", {"-o"}), "option -o needs a file name"},
        {with(blit("s24.bmp"), "--dx", "ten"), "argument --dx: 'ten' is not an integer"},
        {with(blit("s24.bmp"), "--w", "4294967296"),
         "argument --w: '4294967296' is outside the 32-bit integer range"},
        {{"run", "Render_BitBlt24to24", "--dest", "d24.bmp", "--sy"}, "option --sy needs a value"},
        {blit("s24.bmp", {}), "missing -o OUT.bmp"},
        {blit("s24.bmp", {"-o", "d24.bmp"}), "d24.bmp: is the input given to --dest; refusing to overwrite it"},
        {blit("s24.bmp", {"-o", "./s24.bmp"}), "./s24.bmp: is the input given to --src; refusing to overwrite it"},
        {blit("s24.bmp", {"-o", "no/dir/out.bmp"}), "no/dir/out.bmp: cannot create a file in its directory"},
        {{"frobnicate"}, "unknown command 'frobnicate'"},
        {{"info", "now"}, "info: unexpected argument 'now'"},
        {{"demo", "a.bmp", "b.bmp"}, "demo: unexpected argument 'b.bmp'"},
        {{"gallery"}, "gallery: expected one directory"},
        {{"gallery", "d24.bmp"}, "d24.bmp: cannot make a directory there"},
    };
    const auto before = snapshot(dir);
    for (const Case& c : cases) {
        std::string line;
        for (const std::string& a : c.args) line += a + " ";
        SCOPED_TRACE(line);
        const RunResult r = run_pixmill(dir.path(), c.args);
        EXPECT_NE(r.status, 0);
        EXPECT_EQ(r.err.rfind("pixmill: " + c.message, 0), 0u) << r.err;
        EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_EQ(snapshot(dir), before);  // inputs untouched, no output, no temporary file
    }
}

TEST(PixmillRun, HelpListsEveryArgumentOfEveryExport)
{
    TempDir dir;
    for (const ExportEntry& e : export_table()) {
        const RunResult r = run_pixmill(dir.path(), {"run", e.name, "--help"});
        EXPECT_EQ(r.status, 0) << e.name;
        for (size_t i = 0; i < e.arg_names.size(); ++i) {
            const std::string shown = (e.kinds[i] == ArgKind::kIntOut ? "" : "--") + e.arg_names[i];
            EXPECT_NE(r.out.find(" " + shown + " "), std::string::npos) << e.name << " " << shown << "\n" << r.out;
        }
    }
    EXPECT_TRUE(dir.names().empty());
}

TEST(PixmillInfo, VersionDescriptionAndEveryExport)
{
    TempDir dir;
    const RunResult r = run_pixmill(dir.path(), {"info"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("Pixmill version 100: Pixmill v1.01 based. Alpha Edition.\n", 0), 0u) << r.out;
    for (const ExportEntry& e : export_table()) {
        std::string names;
        for (const std::string& n : e.arg_names) names += (names.empty() ? "" : " ") + n;
        EXPECT_NE(r.out.find(e.name), std::string::npos) << e.name;
        EXPECT_NE(r.out.find(names + "\n", r.out.find(e.name)), std::string::npos) << e.name;
    }
}

TEST(PixmillDemo, WritesAReadableSceneAndReportsEachStep)
{
    TempDir dir;
    const RunResult r = run_pixmill(dir.path(), {"demo"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(dir.names(), std::vector<std::string>{"pixmill-demo.bmp"});

    size_t timed_lines = 0;
    for (size_t at = r.out.find(" ms\n"); at != std::string::npos; at = r.out.find(" ms\n", at + 1)) ++timed_lines;
    EXPECT_EQ(timed_lines, demo_steps().size()) << r.out;
    EXPECT_NE(r.out.find("wrote pixmill-demo.bmp (680x344, 24-bit)"), std::string::npos) << r.out;

    const Image scene = read_bmp(dir / "pixmill-demo.bmp");
    EXPECT_EQ(scene.width(), kCanvasWidth);
    EXPECT_EQ(scene.height(), kCanvasHeight);
    EXPECT_EQ(scene.bits(), 24);
    // Something was drawn: the blended panel differs from the plain picture.
    const Panel plain = panel(kPanelPlain), copy = panel(kPanelKeyed);
    int differing = 0;
    for (int32_t y = 0; y < kPanelSize; ++y)
        for (int32_t x = 0; x < kPanelSize; ++x)
            differing += scene.pixel(plain.x + x, plain.y + y)[1] != scene.pixel(copy.x + x, copy.y + y)[1];
    EXPECT_GT(differing, kPanelSize * kPanelSize / 4);

    if (std::system("command -v identify >/dev/null 2>&1") == 0) {
        const std::string cmd = "identify -format '%m %w %h' " + (dir / "pixmill-demo.bmp") + " > " + (dir / "id");
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        const auto id = read_file(dir / "id");
        const std::string format_and_size(id.begin(), id.end());  // BMP or BMP3, by header version
        EXPECT_EQ(format_and_size.rfind("BMP", 0), 0u) << format_and_size;
        EXPECT_NE(format_and_size.find(" 680 344"), std::string::npos) << format_and_size;
    }

    const RunResult named = run_pixmill(dir.path(), {"demo", "scene.bmp"});
    ASSERT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(read_file(dir / "scene.bmp"), read_file(dir / "pixmill-demo.bmp"));
}
