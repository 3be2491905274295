// The table of exports behind `pixmill run`.
#include <gtest/gtest.h>

#include <cctype>
#include <set>

#include "exports.h"

using namespace pixmill_tool;

// Every row, including the ones other families add, must follow the tool's
// conventions, or `run` would hand the wrong thing to an argument.
TEST(ExportTable, EveryRowIsUsable)
{
    std::set<std::string> exports;
    ASSERT_FALSE(export_table().empty());
    for (const ExportEntry& e : export_table()) {
        SCOPED_TRACE(e.name);
        EXPECT_TRUE(exports.insert(e.name).second) << "listed twice";
        EXPECT_EQ(e.arg_names.size(), e.kinds.size());
        EXPECT_NE(e.invoke, nullptr);
        std::set<std::string> names;
        for (size_t i = 0; i < e.arg_names.size(); ++i) {
            const std::string& n = e.arg_names[i];
            EXPECT_TRUE(names.insert(n).second) << n << " named twice";
            EXPECT_NE(n, "help");
            for (char c : n) EXPECT_TRUE(std::isalnum(static_cast<unsigned char>(c)) || c == '_') << n;
            // Surfaces, and only surfaces, carry the surface names.
            const bool surface_name = n == "dest" || n == "src" || n == "mask";
            EXPECT_EQ(e.kinds[i] == ArgKind::kSurface, surface_name) << n;
            if (e.kinds[i] == ArgKind::kSurface) {
                const int bits = required_bits(e.name, n);
                EXPECT_TRUE(bits == 0 || bits == 24 || bits == 32) << n;
            }
        }
    }
}

TEST(ExportTable, SurfaceDepthsFollowTheName)
{
    struct Case {
        const char* name;
        const char* arg;
        int bits;
    };
    const Case cases[] = {
        {"Render_BitBlt24to32", "src", 24},       {"Render_BitBlt24to32", "dest", 32},
        {"Render_BitBlt32to24", "src", 32},       {"Render_BitBlt32to24", "dest", 24},
        {"Render_BitBlt32Maskto24", "src", 32},   {"Render_BitBlt32Maskto24", "dest", 24},
        {"Render_BitBlt24to32Mask24", "mask", 24}, {"Render_BitBlt24to32Mask24", "dest", 32},
        {"Render_BitBlt24to32TColorAlphaPostProcess", "src", 24}, {"Render_StretchBltBillinear32to32F", "dest", 32},
        {"Render_Rotate32to24", "src", 32},       {"Render_DrawBar24Mask24", "dest", 24},
        {"Render_DrawBar24Mask24", "mask", 24},   {"Render_DrawRect32AlphaT", "dest", 32},
        {"Render_AjustHLS32", "dest", 32},        {"Render_CalcColor24", "dest", 24},
        {"Render_BitBlt24to32", "mask", 0},       {"Render_Anything", "dest", 0},
    };
    for (const Case& c : cases) EXPECT_EQ(required_bits(c.name, c.arg), c.bits) << c.name << " " << c.arg;
}

namespace {

// Records what it was called with, so the invoker's argument order shows.
Surface* seen_surface;
int32_t seen_int;
float seen_float;

int32_t PIXMILL_CALL probe(int32_t a, Surface* s, float f, int32_t* out, int32_t b)
{
    seen_surface = s;
    seen_int = a - b;
    seen_float = f;
    *out = a + b;
    return 0;
}

}  // namespace

TEST(ExportTable, KindsAndInvokerComeFromTheDeclaration)
{
    const ExportEntry e = make_export_entry<&probe>("probe", "a src f sum b");
    EXPECT_EQ(e.arg_names, (std::vector<std::string>{"a", "src", "f", "sum", "b"}));
    EXPECT_EQ(e.kinds, (std::vector<ArgKind>{ArgKind::kInt, ArgKind::kSurface, ArgKind::kFloat, ArgKind::kIntOut,
                                             ArgKind::kInt}));
    Surface surface{};
    int32_t sum = 0;
    ArgValue args[5];
    args[0].integer = 10;
    args[1].surface = &surface;
    args[2].real = 1.5f;
    args[3].out = &sum;
    args[4].integer = 3;
    EXPECT_EQ(e.invoke(args), 0);
    EXPECT_EQ(seen_surface, &surface);
    EXPECT_EQ(seen_int, 7);
    EXPECT_EQ(seen_float, 1.5f);
    EXPECT_EQ(sum, 13);
}
