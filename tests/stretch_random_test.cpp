// Every scaled copy against the reference (whole destination array, padding
// included): random padded surfaces, rectangles around and beyond their edges,
// keys present, same-surface calls (top-down, left-to-right reading of what
// was written) and rows wider than the columns worked out at once.
#include <gtest/gtest.h>

#include <random>

#include "stretch_reference.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

TEST(StretchRandom, EveryExportMatchesTheReference)
{
    std::mt19937 rng(2024);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int32_t alphas[] = {0, 255, 128, 1, 256, -1, 300};
    int drawn = 0;
    for (const stretch_test::Variant& v : stretch_test::variants()) {
        for (int iter = 0; iter < 300; ++iter) {
            // The first calls go past 4096 columns: 1:1, 2x up, 0.5x down and just off 1.
            const bool wide = iter < 4, same = !wide && v.src_bits == v.dst_bits && iter % 3 == 0;
            TestSurface src(wide ? 4300 : pick(1, 19), wide ? 3 : pick(1, 9), v.src_bits, pick(0, 5));
            TestSurface dst(wide ? 4400 : pick(1, 23), wide ? 4 : pick(1, 11), v.dst_bits, pick(0, 5));
            TestSurface& from = same ? dst : src;
            src.fill_random(rng);
            dst.fill_random(rng);
            if (iter % 2) {  // three colours, so keys and keyed neighbours are common; alpha 0, 127, 255
                const uint8_t palette[3] = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
                for (auto& b : from.bytes()) b = palette[rng() % 3];
                for (int y = 0; y < from.height() && v.src_bits == 32; ++y)
                    for (int x = 0; x < from.width(); ++x) from.px(x, y)[3] = uint8_t(pick(0, 2) * 255 / 2);
            }
            const int Sw = from.width(), Sr = from.height(), Dw = dst.width(), Dr = dst.height();
            // Two calls in three start inside both surfaces, the rest anywhere around them.
            const int m = iter % 3 == 1;
            stretch_test::Args a{pick(-8 * m, Dw - 1 + 2 * m), pick(-5 * m, Dr - 1 + 2 * m), pick(-2 * m, 30),
                                 pick(-2 * m, 14), pick(-8 * m, Sw - 1 + 2 * m), pick(-5 * m, Sr - 1 + 2 * m),
                                 pick(-2 * m, 25), pick(-2 * m, 12)};
            const int32_t sws[] = {4297, 2100, 4200, 4298}, dws[] = {4297, 4200, 2100, 4297};
            if (wide) a = stretch_test::Args{pick(0, 3), 0, dws[iter], 4, pick(0, 1), 0, sws[iter], 3};
            if (same && iter % 2 == 0) {  // equal sizes, destination a few pixels or rows from its source
                a.dw = a.sw = pick(1, Sw), a.dh = a.sh = pick(1, Sr);
                a.dx = a.sx + pick(-2, 3), a.dy = a.sy + pick(-1, 1);
            }
            const uint8_t* k = from.px(pick(0, Sw - 1), pick(0, Sr - 1));
            a.blue = k[0] | (pick(0, 3) << 8), a.green = k[1], a.red = k[2] - (pick(0, 1) << 8);
            a.alpha = alphas[pick(0, 6)];
            drawn += stretch_test::call_matches_reference(v, dst, src, same, a);
            ASSERT_FALSE(HasFailure()) << "iteration " << iter;
        }
    }
    EXPECT_GT(drawn, 22 * 300 / 2);  // the rectangles draw often enough to mean something
}
