// `pixmill gallery DIR`: the page must show what is in the directory, and each
// call's command must make the picture shown under it.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

#include "bmp.h"
#include "tool_error.h"
#include "tool_test_util.h"

using namespace pixmill_tool;
using namespace tool_test;

namespace {

std::vector<std::string> split(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

}  // namespace

TEST(PixmillGallery, PageShowsReadableBitmapsAndCommandsThatRemakeThem)
{
    TempDir dir;
    const RunResult r = run_pixmill(dir.path(), {"gallery", "g"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string gallery = dir / "g";
    const auto bytes = read_file(gallery + "/index.html");
    const std::string page(bytes.begin(), bytes.end());

    // Every picture the page shows is in the directory at the size and depth it states.
    const std::regex figure(R"re(<img src="([^"/]+)" width="(\d+)" height="(\d+)"[^>]*>.*?, (\d+)-bit</span>)re");
    size_t figures = 0;
    for (std::sregex_iterator m(page.begin(), page.end(), figure), end; m != end; ++m, ++figures) {
        const std::string file = (*m)[1];
        SCOPED_TRACE(file);
        try {
            const Image image = read_bmp(gallery + "/" + file);
            EXPECT_EQ(image.width(), std::stoi((*m)[2]));
            EXPECT_EQ(image.height(), std::stoi((*m)[3]));
            EXPECT_EQ(image.bits(), std::stoi((*m)[4]));
        } catch (const ToolError& e) {
            ADD_FAILURE() << e.what();
        }
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
        std::vector<std::string> words = split((*m)[1]);
        SCOPED_TRACE((*m)[0].str());
        ASSERT_GE(words.size(), 2u);
        exports.insert(words[1]);
        EXPECT_NE(page.find("<img src=\"" + (*m)[2].str() + "\""), std::string::npos) << "output not shown";
        words.insert(words.end(), {"-o", "again.bmp"});
        const RunResult again = run_pixmill(gallery, words);
        ASSERT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(read_file(gallery + "/again.bmp"), read_file(gallery + "/" + (*m)[2].str()));
    }

    // Every family of exports appears.
    const std::vector<std::vector<std::string>> families = {
        {"Render_BitBlt24to24", "Render_BitBlt24to32", "Render_BitBlt32to24", "Render_BitBlt32to32"},
        {"Render_BitBlt24to24TColor", "Render_BitBlt24to24Alpha", "Render_BitBlt24to24TColorAlpha",
         "Render_BitBlt24to32Alpha"},
        {"Render_BitBlt32Maskto24", "Render_BitBlt24to32Mask", "Render_BitBlt24to24Mask24",
         "Render_BitBlt24to32Mask24", "Render_BitBlt24to32TColorAlphaPostProcess"},
        {"Render_StretchBlt24to24", "Render_StretchBlt32to24", "Render_StretchBlt32to32F"},
        {"Render_StretchBltBillinear24to24", "Render_StretchBltBillinear32to24"},
        {"Render_DrawBar24", "Render_DrawBar24Alpha", "Render_DrawBar32", "Render_DrawBar24Mask24"},
        {"Render_DrawRect24", "Render_DrawRect24Alpha", "Render_DrawRect32"},
        {"Render_GammaCorrect24", "Render_GammaCorrect32", "Render_Contrast24"},
        {"Render_Invert24", "Render_Invert32", "Render_InvertAlpha32", "Render_AlphaAdd32", "Render_HorizontalFlip32"},
        {"Render_AjustHLS32"},
        {"Render_Blur24", "Render_Blur32"},
        {"Render_RoundsFromWater24", "Render_RoundsFromWater32"},
        {"Render_Rotate24to24", "Render_Rotate32to32", "Render_Rotate32to24"},
    };
    for (const auto& family : families) {
        bool shown = false;
        for (const std::string& name : family) shown = shown || exports.count(name);
        EXPECT_TRUE(shown) << "no call of the family of " << family[0];
    }
}
