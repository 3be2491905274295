// Nearest-sample scaled copies: the clip, the sample mapping, the per-pixel
// rules of all 22 exports on single pixels, and in-place calls.
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "frame/stretch_clip.h"
#include "stretch/sample_map.h"
#include "stretch_reference.h"
#include "test_surface.h"

using pixmill::StretchRect;
using pixmill_test::TestSurface;
using stretch_test::Args;
using stretch_test::Variant;

TEST(StretchClip, Cases)
{
    // Destination 100 x 50, source 80 x 40 unless a case says otherwise.
    struct Case {
        const char* what;
        StretchRect in;
        bool draws;
        StretchRect out;
        int32_t srows = 40;
    };
    const Case cases[] = {
        {"inside: unchanged", {1, 2, 30, 20, 3, 4, 10, 5}, true, {1, 2, 30, 20, 3, 4, 10, 5}},
        {"negative dx moves sx unscaled", {-10, 0, 100, 10, 0, 0, 50, 10}, true, {0, 0, 90, 10, 10, 0, 50, 10}},
        {"negative dy moves sy unscaled", {0, -3, 10, 20, 0, 0, 10, 20}, true, {0, 0, 10, 17, 0, 3, 10, 20}},
        {"negative sx shortens sw", {5, 0, 10, 10, -4, 0, 12, 10}, true, {5, 0, 10, 10, 0, 0, 8, 10}},
        {"negative sy shortens sh", {0, 0, 10, 10, 0, -2, 10, 6}, true, {0, 0, 10, 10, 0, 0, 10, 4}},
        {"destination far edges", {95, 45, 10, 10, 0, 0, 5, 5}, true, {95, 45, 5, 5, 0, 0, 5, 5}},
        {"reaching the source's right edge drops its last column", {0, 0, 10, 10, 70, 0, 10, 10}, true,
         {0, 0, 10, 10, 70, 0, 9, 10}},
        {"reaching the source's bottom edge cuts nothing", {0, 0, 10, 10, 0, 30, 10, 10}, true,
         {0, 0, 10, 10, 0, 30, 10, 10}},
        {"passing the bottom edge cuts to it", {0, 0, 10, 10, 0, 30, 10, 15}, true, {0, 0, 10, 10, 0, 30, 10, 10}},
        {"sx on the last column leaves sw = 0", {0, 0, 10, 10, 79, 0, 5, 10}, true, {0, 0, 10, 10, 79, 0, 0, 10}},
        {"sizes overflowing 32 bits are cut", {10, 0, INT32_MAX, 5, 0, 0, INT32_MAX, INT32_MAX}, true,
         {10, 0, 90, 5, 0, 0, 79, 40}},
        {"dx = D.Width passes the first test, then empties", {100, 0, 10, 10, 0, 0, 10, 10}, false, {}},
        {"dy = D.Rows likewise", {0, 50, 10, 10, 0, 0, 10, 10}, false, {}},
        {"origins past a surface", {101, 0, 10, 10, 0, 0, 10, 10}, false, {}},
        {"sx past the source", {0, 0, 10, 10, 81, 0, 10, 10}, false, {}},
        {"sy past the source", {0, 0, 10, 10, 0, 41, 10, 10}, false, {}},
        {"empty destination", {0, 0, 0, 10, 0, 0, 10, 10}, false, {}},
        // The first sample would lie outside the source: rejected.
        {"sx = S.Width leaves sw < 0", {0, 0, 10, 10, 80, 0, 5, 10}, false, {}},
        {"sy = S.Rows leaves a row outside", {0, 0, 10, 10, 0, 40, 10, 5}, false, {}},
        {"dx far left pushes sx past the source", {-90, 0, 100, 10, 0, 0, 10, 10}, false, {}},
        {"dy far up pushes sy past the source", {0, -45, 10, 50, 0, 0, 10, 10}, false, {}},
        {"negative sw", {0, 0, 10, 10, 0, 0, -3, 10}, false, {}},
        {"negative sh", {0, 0, 10, 10, 0, 0, 10, -1}, false, {}},
        {"most negative origins", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX,
                                   INT32_MAX}, false, {}},
        {"source with no rows", {0, 0, 10, 10, 0, 0, 10, 10}, false, {}, 0},
        {"source without an array", {0, 0, 10, 10, 0, 0, 10, 10}, false, {}, -1},
    };
    for (const Case& c : cases) {
        StretchRect r = c.in;
        ASSERT_EQ(pixmill::clip_stretch(r, 100, 50, 80, c.srows), c.draws) << c.what;
        if (!c.draws) continue;
        const StretchRect& o = c.out;
        EXPECT_TRUE(r.dx == o.dx && r.dy == o.dy && r.dw == o.dw && r.dh == o.dh && r.sx == o.sx && r.sy == o.sy &&
                    r.sw == o.sw && r.sh == o.sh)
            << c.what << ": got " << r.dx << ' ' << r.dy << ' ' << r.dw << ' ' << r.dh << ' ' << r.sx << ' '
            << r.sy << ' ' << r.sw << ' ' << r.sh;
    }
}

// Source pixel byte 0 holds the column (or row) it came from; a stretch along
// one axis shows which source column (or row) each destination pixel took.
TEST(Stretch, SampleMappingAlongEachAxis)
{
    struct Case {
        const char* what;
        int size, origin, src_len, dst_len;  // source Width (or Rows), sx (or sy), sw (or sh), dw (or dh)
        std::vector<int> expect;
    };
    const Case cases[] = {
        {"the float nearest 0.7 falls one short", 16, 0, 14, 20, {0, 0, 1, 2, 2, 3, 4, 4, 5, 6, 6}},
        {"10 onto 4", 12, 0, 10, 4, {0, 2, 5, 7}},
        {"2 onto 5", 12, 0, 2, 5, {0, 0, 0, 1, 1}},
        {"origin added after scaling", 12, 3, 2, 5, {3, 3, 3, 4, 4}},
        {"equal sizes copy", 12, 2, 5, 5, {2, 3, 4, 5, 6}},
        {"zero size repeats the origin", 12, 3, 0, 4, {3, 3, 3, 3}},
    };
    for (const Case& c : cases) {
        for (bool rows : {false, true}) {
            TestSurface src(rows ? 2 : c.size, rows ? c.size : 1, 24), dst(rows ? 1 : 24, rows ? 24 : 1, 24);
            for (int k = 0; k < c.size; ++k) src.set(rows ? 0 : k, rows ? k : 0, {k, 0, 0});
            dst.fill(0xEE);
            if (rows)
                Render_StretchBlt24to24(dst.get(), 0, 0, 1, c.dst_len, src.get(), 0, c.origin, 1, c.src_len);
            else
                Render_StretchBlt24to24(dst.get(), 0, 0, c.dst_len, 1, src.get(), c.origin, 0, c.src_len, 1);
            for (size_t i = 0; i < c.expect.size(); ++i)
                EXPECT_EQ(dst.px(rows ? 0 : int(i), rows ? int(i) : 0)[0], c.expect[i])
                    << c.what << (rows ? " (rows) " : " (columns) ") << i;
        }
    }
}

// Very large sizes: the float ratio's rounding can carry the last index past
// the rectangle and the surface; the limit keeps it on the surface.
TEST(Stretch, SampleIndexHeldOnTheSurface)
{
    struct Case {
        int32_t src_len, dst_len, limit;
    };
    const Case cases[] = {{2, 1447900659, 1}, {40, 1299087989, 39}, {1281932432, 1424384441, 1281932432}};
    for (const Case& c : cases) {
        const float ratio = pixmill::stretch_ratio(c.src_len, c.dst_len);
        const int32_t last = c.dst_len - 1;
        ASSERT_GT(std::trunc(last * double(ratio)), double(c.limit)) << c.src_len << " onto " << c.dst_len;
        EXPECT_EQ(pixmill::sample_index(last, ratio, c.limit), c.limit);
        EXPECT_EQ(pixmill::sample_index(last / 2, ratio, c.limit), int32_t(std::trunc(last / 2 * double(ratio))));
    }
}

const Variant& variant(const std::string& name)
{
    for (const Variant& v : stretch_test::variants())
        if (name == v.name) return v;
    throw std::runtime_error("no variant " + name);
}

// One source pixel onto one destination pixel. A 1 x 1 source has no
// neighbours, so the five-point average is the pixel itself and every case
// holds for both families.
TEST(Stretch, PixelRulesOfEveryExport)
{
    struct Case {
        const char* what;
        const char* suffix;
        std::vector<int> src, dst, result;
        int32_t alpha = 255, red = 0, green = 0, blue = 0;
    };
    const Case cases[] = {
        {"copy", "24to24", {1, 2, 3}, {9, 9, 9}, {1, 2, 3}},
        {"copy keeps the fourth byte", "24to32", {1, 2, 3}, {9, 9, 9, 77}, {1, 2, 3, 77}},
        {"alpha 128", "24to24Alpha", {255, 100, 0}, {0, 0, 0}, {128, 50, 0}, 128},
        {"alpha 0 keeps", "24to24Alpha", {255, 100, 0}, {7, 8, 9}, {7, 8, 9}, 0},
        {"alpha 255 copies", "24to32Alpha", {255, 100, 0}, {7, 8, 9, 10}, {255, 100, 0, 10}, 255},
        {"alpha 256 used whole", "24to24Alpha", {200, 200, 200}, {100, 100, 100}, {200, 200, 200}, 256},
        {"alpha -1 used whole", "24to32Alpha", {200, 200, 200}, {100, 100, 100, 5}, {99, 99, 99, 5}, -1},
        {"key skips", "24to24TColor", {1, 2, 3}, {9, 9, 9}, {9, 9, 9}, 255, 0x1203, 0x7702, -255},
        {"key differs in blue", "24to32TColor", {1, 2, 3}, {9, 9, 9, 4}, {1, 2, 3, 4}, 255, 3, 2, 0},
        {"key differs in green", "24to24TColor", {1, 2, 3}, {9, 9, 9}, {1, 2, 3}, 255, 3, 0, 1},
        {"key differs in red", "24to24TColor", {1, 2, 3}, {9, 9, 9}, {1, 2, 3}, 255, 4, 2, 1},
        {"key then alpha", "24to24TColorAlpha", {255, 100, 0}, {0, 0, 0}, {128, 50, 0}, 128, 1, 2, 3},
        {"keyed with alpha skips", "24to32TColorAlpha", {1, 2, 3}, {9, 9, 9, 9}, {9, 9, 9, 9}, 128, 3, 2, 1},
        {"source alpha blends", "32to24", {255, 0, 100, 128}, {0, 255, 200}, {128, 127, 149}},
        {"source alpha keeps the fourth byte", "32to32", {255, 0, 100, 128}, {0, 255, 200, 50}, {128, 127, 149, 50}},
        {"source alpha 0 keeps", "32to32", {1, 2, 3, 0}, {9, 8, 7, 6}, {9, 8, 7, 6}},
        {"source alpha 255 copies", "32to24", {1, 2, 3, 255}, {9, 8, 7}, {1, 2, 3}},
        {"whole pixels", "32to32F", {1, 2, 3, 0}, {9, 8, 7, 6}, {1, 2, 3, 0}},
    };
    for (const Case& c : cases) {
        for (std::string family : {"", "Billinear"}) {
            const Variant& v = variant(family + c.suffix);
            TestSurface src(1, 1, v.src_bits), dst(1, 1, v.dst_bits);
            src.set(0, 0, c.src);
            dst.set(0, 0, c.dst);
            Args a{0, 0, 1, 1, 0, 0, 1, 1, c.red, c.green, c.blue, c.alpha};
            v.call(dst.get(), src.get(), a);
            EXPECT_EQ(dst.pixel(0, 0), std::vector<uint8_t>(c.result.begin(), c.result.end()))
                << c.what << " in " << v.name;
        }
    }
}

