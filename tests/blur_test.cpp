// The in-place five-point blur's worked examples, one value in every colour
// byte (byte 3 of 32-bit pixels must stay). Random rectangles against the
// sweep written out are in effect_reference_test.cpp.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "test_surface.h"

TEST(Blur, WorkedExamples)
{
    const struct {
        const char* what;
        int w, h;
        std::vector<int> before;
        int rx, ry, rw, rh;
        std::vector<int> after;
    } cases[] = {
        // The bottom row is the surface's last: it stands in for its lower neighbours.
        {"3x2 whole", 3, 2, {10, 20, 30, 40, 50, 60}, 0, 0, 3, 2, {18, 27, 35, 37, 44, 51}},
        // The second row reads the third, which is never written.
        {"3x3, h = 2", 3, 3, {10, 20, 30, 40, 50, 60, 70, 80, 90}, 0, 0, 3, 2, {18, 27, 35, 43, 52, 59, 70, 80, 90}},
        {"1x1 above the bottom row", 1, 2, {100, 7}, 0, 0, 1, 1, {81, 7}},  // (4 self + down) / 5
        {"1x1 on the bottom row", 1, 2, {100, 7}, 0, 1, 1, 1, {100, 7}},
        // Uniform stays uniform, except where the last row takes in the row below.
        {"uniform", 2, 3, {50, 50, 50, 50, 0, 100}, 0, 0, 2, 2, {50, 50, 40, 58, 0, 100}},
        // The sweep carries a bright pixel right and down through already
        // blurred neighbours; the row above sees only the original.
        {"one bright pixel", 4, 4, {0, 0, 0, 0, 0, 125, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0, 0, 4, 4,
         {0, 25, 5, 1, 25, 35, 8, 1, 5, 8, 3, 0, 1, 1, 0, 0}},
    };
    for (int bits : {24, 32})
        for (const auto& c : cases) {
            pixmill_test::TestSurface s(c.w, c.h, bits);
            s.fill(200);
            for (int i = 0; i < c.w * c.h; ++i) s.set(i % c.w, i / c.w, std::vector<int>(3, c.before[i]));
            EXPECT_EQ((bits == 24 ? Render_Blur24 : Render_Blur32)(s.get(), c.rx, c.ry, c.rw, c.rh), 0);
            for (int i = 0; i < c.w * c.h; ++i) {
                std::vector<uint8_t> p(bits / 8, 200);
                std::fill_n(p.begin(), 3, static_cast<uint8_t>(c.after[i]));
                EXPECT_EQ(s.pixel(i % c.w, i / c.w), p) << c.what << " pixel " << i << " bits " << bits;
            }
        }
}
