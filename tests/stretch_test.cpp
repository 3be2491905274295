// The scaled copies: the clip, the sample mapping, the per-pixel rules of all
// 22 exports on single pixels, and which neighbours the five-point average
// takes in.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "frame/stretch_clip.h"
#include "stretch/sample_map.h"
#include "stretch_reference.h"
#include "test_surface.h"

using pixmill::StretchRect;
using pixmill_test::TestSurface;

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
        {"negative dx moves sx unscaled", {-10, 0, 100, 10, 0, 0, 50, 10}, true, {0, 0, 90, 10, 10, 0, 50, 10}},
        {"reaching the source's right edge drops its last column", {0, 0, 10, 10, 70, 0, 10, 10}, true,
         {0, 0, 10, 10, 70, 0, 9, 10}},
        {"reaching the bottom edge cuts nothing", {0, 0, 10, 10, 0, 30, 10, 10}, true, {0, 0, 10, 10, 0, 30, 10, 10}},
        {"sx on the last column leaves sw = 0", {0, 0, 10, 10, 79, 0, 5, 10}, true, {0, 0, 10, 10, 79, 0, 0, 10}},
        {"sizes overflowing 32 bits are cut", {10, 0, INT32_MAX, 5, 0, 0, INT32_MAX, INT32_MAX}, true,
         {10, 0, 90, 5, 0, 0, 79, 40}},
        {"dx = D.Width passes the first test, then empties", {100, 0, 10, 10, 0, 0, 10, 10}, false, {}},
        // The first sample would lie outside the source: rejected.
        {"sx = S.Width leaves sw < 0", {0, 0, 10, 10, 80, 0, 5, 10}, false, {}},
        {"dx far left pushes sx past the source", {-90, 0, 100, 10, 0, 0, 10, 10}, false, {}},
        {"most negative origins", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX,
                                   INT32_MAX}, false, {}},
        {"source with no rows", {0, 0, 10, 10, 0, 0, 10, 10}, false, {}, 0},
        {"source without an array", {0, 0, 10, 10, 0, 0, 10, 10}, false, {}, -1},
    };
    auto fields = [](const StretchRect& r) {
        return std::vector<int32_t>{r.dx, r.dy, r.dw, r.dh, r.sx, r.sy, r.sw, r.sh};
    };
    for (const Case& c : cases) {
        StretchRect r = c.in;
        ASSERT_EQ(pixmill::clip_stretch(r, 100, 50, 80, c.srows), c.draws) << c.what;
        if (c.draws) {
            EXPECT_EQ(fields(r), fields(c.out)) << c.what;
        }
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
    for (const Case& c : cases)
        for (bool rows : {false, true}) {
            TestSurface src(rows ? 2 : c.size, rows ? c.size : 1, 24), dst(rows ? 1 : 24, rows ? 24 : 1, 24);
            for (int k = 0; k < c.size; ++k) src.set(rows ? 0 : k, rows ? k : 0, {k, 0, 0});
            if (rows)
                Render_StretchBlt24to24(dst.get(), 0, 0, 1, c.dst_len, src.get(), 0, c.origin, 1, c.src_len);
            else
                Render_StretchBlt24to24(dst.get(), 0, 0, c.dst_len, 1, src.get(), c.origin, 0, c.src_len, 1);
            for (size_t i = 0; i < c.expect.size(); ++i)
                EXPECT_EQ(dst.px(rows ? 0 : int(i), rows ? int(i) : 0)[0], c.expect[i])
                    << c.what << (rows ? " (rows) " : " (columns) ") << i;
        }
}

// Very large sizes: the float ratio's rounding can carry the last index past
// the rectangle and the surface; the limit keeps it on the surface.
TEST(Stretch, SampleIndexHeldOnTheSurface)
{
    const struct {
        int32_t src_len, dst_len, limit;
    } cases[] = {{2, 1447900659, 1}, {40, 1299087989, 39}, {1281932432, 1424384441, 1281932432}};
    for (const auto& c : cases) {
        const float ratio = pixmill::stretch_ratio(c.src_len, c.dst_len);
        const int32_t last = c.dst_len - 1;
        ASSERT_GT(std::trunc(last * double(ratio)), double(c.limit)) << c.src_len << " onto " << c.dst_len;
        EXPECT_EQ(pixmill::sample_index(last, ratio, c.limit), c.limit);
        EXPECT_EQ(pixmill::sample_index(last / 2, ratio, c.limit), int32_t(std::trunc(last / 2 * double(ratio))));
    }
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
        {"copy keeps the fourth byte", "24to32", {1, 2, 3}, {9, 9, 9, 77}, {1, 2, 3, 77}},
        {"alpha 128", "24to24Alpha", {255, 100, 0}, {0, 0, 0}, {128, 50, 0}, 128},
        {"alpha 0 keeps", "24to24Alpha", {255, 100, 0}, {7, 8, 9}, {7, 8, 9}, 0},
        {"alpha 255 copies", "24to32Alpha", {255, 100, 0}, {7, 8, 9, 10}, {255, 100, 0, 10}, 255},
        {"alpha 256 used whole", "24to24Alpha", {200, 200, 200}, {100, 100, 100}, {200, 200, 200}, 256},
        {"alpha -1 used whole", "24to32Alpha", {200, 200, 200}, {100, 100, 100, 5}, {99, 99, 99, 5}, -1},
        {"key skips", "24to24TColor", {1, 2, 3}, {9, 9, 9}, {9, 9, 9}, 255, 0x1203, 0x7702, -255},
        {"key differs in blue", "24to32TColor", {1, 2, 3}, {9, 9, 9, 4}, {1, 2, 3, 4}, 255, 3, 2, 0},
        {"key then alpha", "24to24TColorAlpha", {255, 100, 0}, {0, 0, 0}, {128, 50, 0}, 128, 1, 2, 3},
        {"source alpha blends", "32to24", {255, 0, 100, 128}, {0, 255, 200}, {128, 127, 149}},
        {"source alpha keeps the fourth byte", "32to32", {255, 0, 100, 128}, {0, 255, 200, 50}, {128, 127, 149, 50}},
        {"source alpha 0 keeps", "32to32", {1, 2, 3, 0}, {9, 8, 7, 6}, {9, 8, 7, 6}},
        {"whole pixels", "32to32F", {1, 2, 3, 0}, {9, 8, 7, 6}, {1, 2, 3, 0}},
    };
    for (const Case& c : cases)
        for (std::string name : {std::string(c.suffix), "Billinear" + std::string(c.suffix)}) {
            const stretch_test::Variant* v = nullptr;
            for (const auto& each : stretch_test::variants())
                if (name == each.name) v = &each;
            ASSERT_NE(v, nullptr) << name;
            TestSurface src(1, 1, v->src_bits), dst(1, 1, v->dst_bits);
            src.set(0, 0, c.src);
            dst.set(0, 0, c.dst);
            v->call(dst.get(), src.get(), {0, 0, 1, 1, 0, 0, 1, 1, c.red, c.green, c.blue, c.alpha});
            EXPECT_EQ(dst.pixel(0, 0), std::vector<uint8_t>(c.result.begin(), c.result.end()))
                << c.what << " in " << name;
        }
}

// Which neighbours the smoothed copies average, on a grey source whose pixel
// (x, y) holds 10 + 11 x + 43 y (one column of it when the source is 1 wide):
//   10  21  32  43
//   53  64  75  86
//   96 107 118 129
// The pixel checked is the last destination row's (dw = 1).
TEST(StretchSmooth, WhichNeighboursCount)
{
    struct Case {
        const char* what;
        int32_t width, sx, sy, sw, sh, dh;
        int expect;
    };
    const Case cases[] = {
        {"first row of the rectangle: the sample is its own upper neighbour", 4, 1, 1, 1, 1, 1,
         (64 + 53 + 75 + 64 + 107) / 5},
        {"a later row takes the row above it", 4, 1, 0, 1, 2, 2, (64 + 53 + 75 + 21 + 107) / 5},
        {"column 0 counts the sample as its left neighbour", 4, 0, 1, 1, 1, 1, (53 + 53 + 64 + 53 + 96) / 5},
        {"the surface's last column counts it as its right one", 4, 3, 1, 0, 1, 1, (86 + 75 + 86 + 86 + 129) / 5},
        {"the surface's last row counts it as its lower one", 4, 1, 1, 1, 2, 2, (107 + 96 + 118 + 64 + 107) / 5},
        {"the right neighbour may lie outside the rectangle", 4, 1, 0, 0, 1, 1, (21 + 10 + 32 + 21 + 64) / 5},
        {"a source one column wide: both sides are the sample", 1, 0, 0, 5, 3, 3, (3 * 96 + 53 + 96) / 5},
    };
    for (const Case& c : cases) {
        TestSurface src(c.width, 3, 24), dst(1, 3, 24);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < c.width; ++x) src.set(x, y, std::vector<int>(3, 10 + 11 * x + 43 * y));
        Render_StretchBltBillinear24to24(dst.get(), 0, 0, 1, c.dh, src.get(), c.sx, c.sy, c.sw, c.sh);
        EXPECT_EQ(dst.pixel(0, c.dh - 1), std::vector<uint8_t>(3, uint8_t(c.expect))) << c.what;
    }
}
