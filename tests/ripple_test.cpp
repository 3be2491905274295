// The in-place water ripple.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "test_surface.h"

using pixmill_test::TestSurface;

namespace {

using RippleFn = int32_t(PIXMILL_CALL*)(Surface*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);
const struct {
    RippleFn fn;
    int bits;
} kFormats[] = {{Render_RoundsFromWater24, 24}, {Render_RoundsFromWater32, 32}};

using Grid = std::vector<std::vector<int>>;

// Value v in every byte, each byte differently, so a moved pixel shows it
// moved whole (the fourth byte included).
std::vector<uint8_t> pixel_for(int v, int bits)
{
    std::vector<uint8_t> p = {uint8_t(v), uint8_t(255 - v), uint8_t(v ^ 0x55), uint8_t(v + 100)};
    p.resize(bits / 8);
    return p;
}

// Loads before, ripples and compares with after, in both formats.
void check(const Grid& before, int x, int y, int w, int h, const Grid& after, const char* what)
{
    const int rows = static_cast<int>(before.size()), cols = static_cast<int>(before[0].size());
    for (const auto& f : kFormats) {
        TestSurface s(cols, rows, f.bits);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                const auto p = pixel_for(before[r][c], f.bits);
                std::copy(p.begin(), p.end(), s.px(c, r));
            }
        EXPECT_EQ(f.fn(s.get(), x, y, w, h, 20, 50), 0);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                EXPECT_EQ(s.pixel(c, r), pixel_for(after[r][c], f.bits)) << what << " " << c << "," << r << " " << f.bits;
    }
}

}  // namespace

// 10 x 6, pixel (c, r) = 10 r + c, rippled whole with amplitude 20 and
// spread 50. Pixel (2, 2) takes (5, 0); (0, 3), on the disc's rim, then takes
// (2, 2) as already moved: 5, not 22.
TEST(Ripple, WorkedExample)
{
    Grid before(6, std::vector<int>(10));
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 10; ++c) before[r][c] = 10 * r + c;
    check(before, 0, 0, 10, 6,
          {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9},
           {10, 4, 12, 13, 14, 15, 16, 17, 18, 19},
           {20, 4, 5, 6, 16, 16, 18, 27, 28, 29},
           {5, 14, 15, 16, 16, 35, 27, 37, 38, 39},
           {40, 16, 16, 18, 27, 27, 38, 47, 48, 49},
           {50, 27, 35, 27, 37, 38, 39, 57, 58, 59}},
          "worked example");
}

// The same picture at (4, 1) on a 16 x 9 surface, away from its bottom-left
// corner, amid pixels 100 and up: a sample is taken wherever it lies on the
// surface, above, beside or below the rectangle. Where the worked example's
// samples fell off its surface, these come from the surroundings.
TEST(Ripple, RectangleAwayFromTheCornerSamplesTheWholeSurface)
{
    Grid before(9, std::vector<int>(16));
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 16; ++c)
            before[r][c] = r >= 1 && r < 7 && c >= 4 && c < 14 ? 10 * (r - 1) + c - 4 : 100 + (r * 16 + c) % 150;
    check(before, 4, 1, 10, 6,
          {{100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110, 111, 112, 113, 114, 115},
           {116, 117, 118, 119, 0, 107, 2, 3, 4, 5, 6, 7, 8, 115, 130, 131},
           {132, 133, 134, 135, 10, 4, 109, 110, 111, 112, 113, 114, 115, 19, 146, 147},
           {148, 149, 150, 151, 20, 4, 5, 6, 113, 113, 115, 130, 131, 29, 162, 163},
           {164, 165, 166, 167, 5, 111, 112, 113, 113, 35, 130, 146, 147, 39, 178, 179},
           {180, 181, 182, 183, 40, 113, 113, 115, 130, 130, 147, 162, 163, 49, 194, 195},
           {196, 197, 198, 199, 50, 130, 35, 130, 146, 147, 39, 178, 179, 59, 210, 211},
           {212, 213, 214, 215, 216, 217, 218, 219, 220, 221, 222, 223, 224, 225, 226, 227},
           {228, 229, 230, 231, 232, 233, 234, 235, 236, 237, 238, 239, 240, 241, 242, 243}},
          "away from the corner");
}
