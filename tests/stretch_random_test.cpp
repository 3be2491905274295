// Every scaled copy against the reference on random surfaces (odd widths,
// padded rows, same-surface calls) and random rectangles biased towards the
// edges: the whole destination array, padding included, must come out byte
// for byte as the reference draws it, and the reference checks that every
// pixel it reads or writes lies on its surface.
#include <gtest/gtest.h>

#include <random>

#include "stretch_reference.h"
#include "test_surface.h"

using pixmill_test::TestSurface;
using stretch_test::Args;

TEST(StretchRandom, EveryExportMatchesTheReference)
{
    std::mt19937 rng(2024);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    const int32_t alphas[] = {0, 255, 128, 1, 256, -1, 300};
    int drawn = 0;
    for (const stretch_test::Variant& v : stretch_test::variants()) {
        for (int iter = 0; iter < 400; ++iter) {
            const bool same = v.src_bits == v.dst_bits && iter % 4 == 0;
            TestSurface src(pick(1, 19), pick(1, 9), v.src_bits, pick(0, 5));
            TestSurface dst(pick(1, 23), pick(1, 11), v.dst_bits, pick(0, 5));
            TestSurface& from = same ? dst : src;
            // Half the time a palette of three colours, so keys and keyed
            // neighbours turn up often.
            src.fill_random(rng);
            dst.fill_random(rng);
            if (iter % 2) {
                const uint8_t palette[3] = {uint8_t(rng()), uint8_t(rng()), uint8_t(rng())};
                for (auto& b : from.bytes()) b = palette[rng() % 3];
                for (int y = 0; y < from.height() && v.src_bits == 32; ++y)
                    for (int x = 0; x < from.width(); ++x) from.px(x, y)[3] = uint8_t(pick(0, 2) * 255 / 2);
            }
            const int Sw = from.width(), Sr = from.height(), Dw = dst.width(), Dr = dst.height();
            // Two calls in three start inside both surfaces; the rest anywhere
            // around and beyond them.
            const int m = iter % 3 ? 0 : 1;
            Args a{pick(-8 * m, Dw - 1 + 2 * m), pick(-5 * m, Dr - 1 + 2 * m), pick(-2 * m, 30), pick(-2 * m, 14),
                   pick(-8 * m, Sw - 1 + 2 * m), pick(-5 * m, Sr - 1 + 2 * m), pick(-2 * m, 25), pick(-2 * m, 12)};
            const uint8_t* k = from.px(pick(0, Sw - 1), pick(0, Sr - 1));
            a.blue = k[0] | (pick(0, 3) << 8), a.green = k[1], a.red = k[2] - (pick(0, 1) << 8);
            a.alpha = alphas[pick(0, 6)];

            drawn += stretch_test::call_matches_reference(v, dst, src, same, a);
            ASSERT_FALSE(HasFailure()) << "iteration " << iter;
        }
    }
    // The rectangles must actually draw often enough to mean something.
    EXPECT_GT(drawn, 22 * 400 / 2);
}

// Rows wider than the columns worked out at once, and equal sizes (a ratio
// of 1, drawn as runs) with the source its own destination, the runs
// overlapping by a few bytes either way (padded 24-bit rows put rows at
// every byte offset of each other): all byte for byte as the reference.
TEST(StretchRandom, WideRowsAndOverlappingUnitRuns)
{
    std::mt19937 rng(77);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (const stretch_test::Variant& v : stretch_test::variants()) {
        for (int iter = 0; iter < 60; ++iter) {
            const bool wide = iter < 4;
            const bool same = !wide && v.src_bits == v.dst_bits;
            TestSurface src(wide ? 4300 : pick(2, 40), wide ? 3 : pick(1, 6), v.src_bits, pick(0, 5));
            TestSurface dst(wide ? 4400 : pick(2, 40), wide ? 4 : pick(1, 6), v.dst_bits, pick(0, 5));
            TestSurface& from = same ? dst : src;
            src.fill_random(rng);
            dst.fill_random(rng);
            Args a{};
            if (wide) {
                // 1:1, 2x up, 0.5x down and a ratio just off 1, all past 4096 columns.
                const int32_t sws[] = {4297, 2100, 4200, 4298};
                const int32_t dws[] = {4297, 4200, 2100, 4297};
                a = Args{pick(0, 3), 0, dws[iter], 4, pick(0, 1), 0, sws[iter], 3};
            } else {
                const int32_t w = pick(1, from.width() - 1), h = pick(1, from.height());
                a = Args{pick(-2, 3), pick(-1, 1), w, h, pick(0, 3), pick(0, 1), w, h};
                if (same) a.dx += a.sx, a.dy += a.sy;  // a few pixels or rows from the source
            }
            const uint8_t* k = from.px(0, 0);
            a.blue = k[0], a.green = k[1], a.red = k[2], a.alpha = iter % 2 ? 255 : 90;

            stretch_test::call_matches_reference(v, dst, src, same, a);
            ASSERT_FALSE(HasFailure()) << "iteration " << iter;
        }
    }
}
