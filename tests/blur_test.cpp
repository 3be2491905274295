// The in-place five-point blur.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "frame/clip.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

namespace {

using BlurFn = int32_t(PIXMILL_CALL*)(Surface*, int32_t, int32_t, int32_t, int32_t);
const struct {
    BlurFn fn;
    int bits;
} kFormats[] = {{Render_Blur24, 24}, {Render_Blur32, 32}};

// Channel c holds the example's value plus 60 c (the mean moves by the same
// 60 c), byte 3 a value no blur may change.
std::vector<uint8_t> pixel_for(int v, int x, int y, int bits)
{
    std::vector<uint8_t> p = {uint8_t(v), uint8_t(v + 60), uint8_t(v + 120), uint8_t(200 + x + y)};
    p.resize(bits / 8);
    return p;
}

}  // namespace

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
        // Left and right edges use the pixel itself even where the surface goes on.
        {"middle column", 3, 1, {0, 100, 0}, 1, 0, 1, 1, {0, 100, 0}},
        {"negative origin", 3, 2, {10, 20, 30, 40, 50, 60}, -1, -1, 2, 2, {16, 20, 30, 40, 50, 60}},
        // The sweep carries a bright pixel right and down through already
        // blurred neighbours; the row above sees only the original.
        {"one bright pixel", 4, 4, {0, 0, 0, 0, 0, 125, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 0, 0, 4, 4,
         {0, 25, 5, 1, 25, 35, 8, 1, 5, 8, 3, 0, 1, 1, 0, 0}},
    };
    for (const auto& f : kFormats)
        for (const auto& c : cases) {
            TestSurface s(c.w, c.h, f.bits);
            for (int i = 0; i < c.w * c.h; ++i) {
                const auto p = pixel_for(c.before[i], i % c.w, i / c.w, f.bits);
                std::copy(p.begin(), p.end(), s.px(i % c.w, i / c.w));
            }
            EXPECT_EQ(f.fn(s.get(), c.rx, c.ry, c.rw, c.rh), 0);
            for (int i = 0; i < c.w * c.h; ++i)
                EXPECT_EQ(s.pixel(i % c.w, i / c.w), pixel_for(c.after[i], i % c.w, i / c.w, f.bits))
                    << c.what << " pixel " << i << " bits " << f.bits;
        }
}

