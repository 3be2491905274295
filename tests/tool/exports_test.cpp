// The table of exports behind `pixmill run`, generated from the header.
#include <gtest/gtest.h>

#include "exports.h"

using namespace pixmill_tool;

// `run` and the reliability checks give each surface its role by name, and
// `--help` is the tool's own option.
TEST(ExportTable, SurfacesAndOnlySurfacesAreNamedForTheirRoles)
{
    ASSERT_GT(export_table().size(), 60u);
    for (const ExportEntry& e : export_table())
        for (size_t i = 0; i < e.arg_names.size(); ++i) {
            const std::string& n = e.arg_names[i];
            EXPECT_EQ(e.kinds[i] == ArgKind::kSurface, n == "dest" || n == "src" || n == "mask") << e.name << " " << n;
            EXPECT_NE(n, "help") << e.name;
        }
}

TEST(ExportTable, SurfaceDepthsFollowTheName)
{
    const struct {
        const char *name, *arg;
        int bits;
    } cases[] = {
        {"Render_BitBlt24to32", "src", 24}, {"Render_BitBlt24to32", "dest", 32}, {"Render_BitBlt32to24", "src", 32},
        {"Render_BitBlt32to24", "dest", 24}, {"Render_BitBlt32Maskto24", "src", 32},
        {"Render_BitBlt24to32Mask24", "mask", 24}, {"Render_BitBlt24to32Mask24", "dest", 32},
        {"Render_BitBlt24to32TColorAlphaPostProcess", "src", 24}, {"Render_StretchBltBillinear32to32F", "dest", 32},
        {"Render_Rotate32to24", "src", 32}, {"Render_DrawBar24Mask24", "mask", 24}, {"Render_AjustHLS32", "dest", 32},
        {"Render_CalcColor24", "dest", 24}, {"Render_BitBlt24to32", "mask", 0}, {"Render_Anything", "dest", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(required_bits(c.name, c.arg), c.bits) << c.name << " " << c.arg;
}
