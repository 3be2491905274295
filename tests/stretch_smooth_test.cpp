// The five-point average of the smoothed scaled copies: which neighbours
// count, keys, and the sample's own alpha.
#include <gtest/gtest.h>

#include "test_surface.h"

using pixmill_test::TestSurface;

namespace {

// Grey source, 4 wide and 3 rows, every byte of a pixel the same:
//   10  20  30  40
//   50  60  70  80
//   90 100 110 120
void fill_grid(TestSurface& s)
{
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) {
            const int v = 10 + 10 * x + 40 * y;
            s.set(x, y, {v, v, v});
        }
}

}  // namespace

TEST(StretchSmooth, WhichNeighboursCount)
{
    struct Case {
        const char* what;
        int32_t sx, sy, sw, sh, dh;  // dw is 1; the pixel checked is the last row's
        int expect;
    };
    const Case cases[] = {
        {"first row of the rectangle: the sample counts as its upper neighbour", 1, 1, 1, 1, 1,
         (60 + 50 + 70 + 60 + 100) / 5},
        {"a later row takes the row above it", 1, 0, 1, 2, 2, (60 + 50 + 70 + 20 + 100) / 5},
        {"the rectangle's first row when sy = 0", 1, 0, 1, 2, 1, (20 + 10 + 30 + 20 + 60) / 5},
        {"column 0 counts the sample as its left neighbour", 0, 1, 1, 1, 1, (50 + 50 + 60 + 50 + 90) / 5},
        {"the surface's last column counts it as its right one", 3, 1, 0, 1, 1, (80 + 70 + 80 + 80 + 120) / 5},
        {"the surface's last row counts it as its lower one", 1, 1, 1, 2, 2, (100 + 90 + 110 + 60 + 100) / 5},
        {"the right neighbour may lie outside the rectangle", 1, 0, 0, 1, 1, (20 + 10 + 30 + 20 + 60) / 5},
    };
    for (const Case& c : cases) {
        TestSurface src(4, 3, 24), dst(1, 2, 24);
        fill_grid(src);
        dst.fill(0);
        Render_StretchBltBillinear24to24(dst.get(), 0, 0, 1, c.dh, src.get(), c.sx, c.sy, c.sw, c.sh);
        EXPECT_EQ(dst.pixel(0, c.dh - 1), std::vector<uint8_t>(3, uint8_t(c.expect))) << c.what;
    }
}

TEST(StretchSmooth, SumsAreTruncated)
{
    // One neighbour (the right) differs from a uniform 3 x 3 source.
    struct Case {
        int uniform, odd, expect;
    };
    const Case cases[] = {{10, 14, 10}, {0, 4, 0}, {7, 7, 7}, {255, 255, 255}, {0, 255, 51}, {200, 0, 160}};
    for (const Case& c : cases) {
        TestSurface src(3, 3, 32), dst(1, 1, 32);
        src.fill(uint8_t(c.uniform));
        src.set(2, 1, {c.odd, c.odd, c.odd, c.odd});
        dst.fill(1);
        Render_StretchBltBillinear32to32F(dst.get(), 0, 0, 1, 1, src.get(), 1, 1, 1, 1);
        EXPECT_EQ(dst.pixel(0, 0), std::vector<uint8_t>(4, uint8_t(c.expect))) << c.uniform << " with " << c.odd;
    }
}

TEST(StretchSmooth, SourceOneColumnWide)
{
    // Width 1 clips sw to 0: both horizontal neighbours are the sample.
    TestSurface src(1, 3, 24), dst(2, 3, 24);
    src.set(0, 0, {10, 10, 10});
    src.set(0, 1, {60, 60, 60});
    src.set(0, 2, {200, 200, 200});
    Render_StretchBltBillinear24to24(dst.get(), 0, 0, 2, 3, src.get(), 0, 0, 5, 3);
    EXPECT_EQ(dst.px(1, 1)[0], (3 * 60 + 10 + 200) / 5);
    EXPECT_EQ(dst.px(0, 0)[1], (4 * 10 + 60) / 5);
    EXPECT_EQ(dst.px(1, 2)[2], (3 * 200 + 60 + 200) / 5);
}

TEST(StretchSmooth, KeyedNeighboursCountAsTheSample)
{
    // A plus of five pixels around (1, 1) in a 3 x 3 source; K is the key.
    const std::vector<int> K = {1, 2, 3}, A = {100, 50, 0}, B = {0, 100, 200};
    struct Case {
        const char* what;
        std::vector<int> centre, left, right, above, below;
        std::vector<int> expect;  // the destination starts at 9, 9, 9
    };
    const Case cases[] = {
        {"a keyed sample leaves the pixel", K, A, A, A, A, {9, 9, 9}},
        {"all four neighbours keyed: the sample's own colour", A, K, K, K, K, {100, 50, 0}},
        {"one keyed neighbour counts as the sample", A, K, B, B, B, {40, 80, 120}},
        {"no keyed neighbour", A, B, B, B, B, {20, 90, 160}},
    };
    for (const Case& c : cases) {
        TestSurface src(3, 3, 24), dst(1, 2, 32);
        src.fill(77);
        src.set(1, 1, c.centre);
        src.set(0, 1, c.left);
        src.set(2, 1, c.right);
        src.set(1, 0, c.above);
        src.set(1, 2, c.below);
        dst.fill(9);
        // Second destination row samples (1, 1) with t = 1, so the row above counts.
        Render_StretchBltBillinear24to32TColor(dst.get(), 0, 0, 1, 2, src.get(), 1, 0, 1, 2, 3, 2, 1);
        std::vector<uint8_t> expect(c.expect.begin(), c.expect.end());
        expect.push_back(9);
        EXPECT_EQ(dst.pixel(0, 1), expect) << c.what;
    }
}

TEST(StretchSmooth, OnlyTheSampleAlphaCounts)
{
    struct Case {
        const char* what;
        int sample_alpha, neighbour_alpha;
        std::vector<int> expect;  // destination starts at 200, 200, 200, 33
    };
    // Sample bytes 100, neighbours 0: average 20.
    const Case cases[] = {
        {"transparent sample, opaque neighbours: untouched", 0, 255, {200, 200, 200, 33}},
        {"opaque sample, transparent neighbours: the plain average", 255, 0, {20, 20, 20, 33}},
        {"half alpha blends the average", 128, 255, {(20 * 128 + 200 * 127) / 255, (20 * 128 + 200 * 127) / 255,
                                                     (20 * 128 + 200 * 127) / 255, 33}},
    };
    for (const Case& c : cases) {
        for (bool to32 : {false, true}) {
            TestSurface src(3, 3, 32), dst(1, 2, to32 ? 32 : 24);
            for (int y = 0; y < 3; ++y)
                for (int x = 0; x < 3; ++x) src.set(x, y, {0, 0, 0, c.neighbour_alpha});
            src.set(1, 1, {100, 100, 100, c.sample_alpha});
            dst.fill(200);
            dst.set(0, 1, to32 ? std::vector<int>{200, 200, 200, 33} : std::vector<int>{200, 200, 200});
            if (to32)
                Render_StretchBltBillinear32to32(dst.get(), 0, 0, 1, 2, src.get(), 1, 0, 1, 2);
            else
                Render_StretchBltBillinear32to24(dst.get(), 0, 0, 1, 2, src.get(), 1, 0, 1, 2);
            std::vector<uint8_t> expect(c.expect.begin(), c.expect.begin() + (to32 ? 4 : 3));
            EXPECT_EQ(dst.pixel(0, 1), expect) << c.what << (to32 ? " (32)" : " (24)");
        }
    }
}
