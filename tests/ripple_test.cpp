// The in-place water ripple's worked example. Random rectangles, amplitudes
// and spreads against the sweep written out are in effect_reference_test.cpp.
#include <gtest/gtest.h>

#include <vector>

#include "test_surface.h"

using pixmill_test::TestSurface;

// 10 x 6, pixel (c, r) = 10 r + c in every byte (byte 3: + 100, to show it
// moves along), rippled whole with amplitude 20 and spread 50. Pixel (2, 2)
// takes (5, 0); (0, 3), on the disc's rim, then takes (2, 2) as already
// moved: 5, not 22.
TEST(Ripple, WorkedExample)
{
    const int after[6][10] = {{0, 1, 2, 3, 4, 5, 6, 7, 8, 9},        {10, 4, 12, 13, 14, 15, 16, 17, 18, 19},
                              {20, 4, 5, 6, 16, 16, 18, 27, 28, 29},  {5, 14, 15, 16, 16, 35, 27, 37, 38, 39},
                              {40, 16, 16, 18, 27, 27, 38, 47, 48, 49}, {50, 27, 35, 27, 37, 38, 39, 57, 58, 59}};
    for (int bits : {24, 32}) {
        TestSurface s(10, 6, bits);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 10; ++c) {
                std::vector<int> p = {10 * r + c, 10 * r + c, 10 * r + c, 100 + 10 * r + c};
                p.resize(bits / 8);
                s.set(c, r, p);
            }
        EXPECT_EQ((bits == 24 ? Render_RoundsFromWater24 : Render_RoundsFromWater32)(s.get(), 0, 0, 10, 6, 20, 50), 0);
        for (int r = 0; r < 6; ++r)
            for (int c = 0; c < 10; ++c) {
                const auto v = static_cast<uint8_t>(after[r][c]);
                std::vector<uint8_t> p = {v, v, v, uint8_t(v + 100)};
                p.resize(bits / 8);
                EXPECT_EQ(s.pixel(c, r), p) << c << "," << r << " bits " << bits;
            }
    }
}
