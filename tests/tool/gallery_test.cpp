// `pixmill gallery DIR`: the page must show what is in the directory, and each
// call's command must make the picture shown under it.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>

#include "image_files.h"
#include "tool_test_util.h"

using namespace pixmill_tool;
using namespace tool_test;

TEST(PixmillGallery, PageShowsReadableBitmapsAndCommandsThatRemakeThem)
{
    TempDir dir;
    const RunResult r = run_pixmill(dir.path(), {"gallery", "g"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string gallery = dir / "g";
    const auto bytes = read_file(gallery + "/index.html");
    const std::string page(bytes.begin(), bytes.end());

    // Every picture the page shows is a PNG in the directory at the size and depth it states.
    const std::regex figure(R"re(<img src="([^"/]+)" width="(\d+)" height="(\d+)"[^>]*>.*?, (\d+)-bit</span>)re");
    size_t figures = 0;
    for (std::sregex_iterator m(page.begin(), page.end(), figure), end; m != end; ++m, ++figures) {
        const std::string file = (*m)[1];
        const PictureFile p = read_picture(gallery + "/" + file);
        EXPECT_EQ(p.format, FileFormat::kPng) << file;
        EXPECT_EQ(p.image.width(), std::stoi((*m)[2])) << file;
        EXPECT_EQ(p.image.height(), std::stoi((*m)[3])) << file;
        EXPECT_EQ(p.natural_bits(), std::stoi((*m)[4])) << file;
    }
    size_t images = 0;
    for (size_t at = page.find("<img "); at != std::string::npos; at = page.find("<img ", at + 1)) ++images;
    EXPECT_GT(figures, 0u);
    EXPECT_EQ(figures, images) << "an <img> the pattern does not read";

    // Each command, run again in the directory, writes the same bytes as the
    // picture the page shows after it.
    const std::regex command("<code class=\"run\">pixmill (run [^<]+) -o ([^ <]+)</code>");
    std::set<std::string> exports;
    for (std::sregex_iterator m(page.begin(), page.end(), command), end; m != end; ++m) {
        std::istringstream line((*m)[1]);
        std::vector<std::string> words{std::istream_iterator<std::string>(line), {}};
        SCOPED_TRACE((*m)[0].str());
        ASSERT_GE(words.size(), 2u);
        exports.insert(words[1]);
        EXPECT_NE(page.find("<img src=\"" + (*m)[2].str() + "\""), std::string::npos) << "output not shown";
        words.insert(words.end(), {"-o", "again.png"});
        const RunResult again = run_pixmill(gallery, words);
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(read_file(gallery + "/again.png"), read_file(gallery + "/" + (*m)[2].str()));
    }

    // Every family of exports appears (each family a pattern of names).
    const char* const families[] = {
        "BitBlt(24|32)to(24|32)",  "BitBlt24to(24|32)(TColor)?Alpha|BitBlt24to24TColor",
        "BitBlt.*Mask.*|.*PostProcess", "StretchBlt(24|32)to(24|32)F?", "StretchBltBillinear.*", "DrawBar.*",
        "DrawRect.*", "GammaCorrect.*|Contrast.*", "Invert.*|AlphaAdd32|HorizontalFlip32", "AjustHLS32", "Blur.*",
        "RoundsFromWater.*", "Rotate.*",
    };
    for (const char* family : families) {
        const std::regex pattern(std::string("Render_(") + family + ")");
        EXPECT_TRUE(std::any_of(exports.begin(), exports.end(), [&](auto& n) { return std::regex_match(n, pattern); }))
            << "no call of the family " << family;
    }
}
