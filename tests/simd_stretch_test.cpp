// The scaled-copy vector kernels against the scalar kernels at every level
// this CPU has, and the exports that use them against the reference on
// surfaces wide enough for several vector blocks per row.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "stretch/sample_map.h"
#include "stretch/stretch_rows_table.h"
#include "stretch_reference.h"
#include "test_surface.h"
#include "simd_levels.h"

using pixmill::Isa;
using pixmill::SourceRows;
using pixmill::stretch_kernels;

namespace {

using pixmill_test::random_bytes;

using Run = void (*)(Isa isa, uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n);

struct KernelCase {
    const char* name;
    int sbpp, dbpp;
    Run run;
};

#define ROW(expr) [](Isa i, uint8_t* d, const SourceRows& s, const int32_t* c, int32_t n) { expr; }
const KernelCase kCases[] = {
    {"sample 24to24", 3, 3, ROW(stretch_kernels(i).sample_24to24(d, s.row, c, n))},
    {"sample 24to32", 3, 4, ROW(stretch_kernels(i).sample_24to32(d, s.row, c, n))},
    {"sample 32to32 whole", 4, 4, ROW(stretch_kernels(i).sample_32to32_whole(d, s.row, c, n))},
    {"smooth 24to24", 3, 3, ROW(stretch_kernels(i).smooth_24to24(d, s, c, n))},
    {"smooth 24to32", 3, 4, ROW(stretch_kernels(i).smooth_24to32(d, s, c, n))},
    {"smooth 32to32 whole", 4, 4, ROW(stretch_kernels(i).smooth_32to32_whole(d, s, c, n))},
};
#undef ROW

// Source sizes per destination width n: doubling, halving, ratios just off a
// simple one, shrinking beyond what one vector window holds, and a single
// repeated column (sw = 0).
int32_t source_width(int k, int32_t n)
{
    switch (k) {
        case 0: return n / 2;
        case 1: return 2 * n;
        case 2: return n * 7 / 10;
        case 3: return 3 * n + 1;
        case 4: return n * 5 / 2;
        default: return 0;
    }
}
constexpr int kRatios = 6;

// The columns of n destination pixels as the walk finds them, for a source
// rectangle of sw columns from sx on a surface whose last column is last.
std::vector<int32_t> columns(int32_t n, int32_t sx, int32_t sw, int32_t last)
{
    std::vector<int32_t> cols(static_cast<size_t>(n));
    const float rx = pixmill::stretch_ratio(sw, std::max(n, 1));
    for (int32_t i = 0; i < n; ++i) cols[static_cast<size_t>(i)] = sx + pixmill::sample_index(i, rx, last - sx);
    return cols;
}

class SimdStretch : public pixmill_test::IsaLevel {};

}  // namespace

// Separate source rows, each exactly as long as the surface's row (so a
// sanitized build sees any read past it), the upper or lower row missing
// (the sample row stands in) now and then; columns from sx = 0 (no left
// neighbour) to rectangles that reach the surface's last column (no right
// neighbour).
TEST_P(SimdStretch, EveryWidthAndRatioGivesTheScalarBytes)
{
    constexpr int32_t kMaxWidth = 4 * 16 + 7;
    std::mt19937 rng(321);
    int compared = 0;
    for (const KernelCase& c : kCases)
        for (int32_t n = 0; n <= kMaxWidth + 200; n += n < kMaxWidth ? 1 : 67)
            for (int k = 0; k < kRatios; ++k) {
                const int32_t sw = source_width(k, n), sx = static_cast<int32_t>(rng() % 3);
                // Surfaces whose last column is sampled, or only its neighbour, or neither.
                const int32_t width = sx + sw + static_cast<int32_t>(rng() % 3);
                const size_t row_bytes = static_cast<size_t>(std::max(width, 1)) * c.sbpp;
                const auto above = random_bytes(row_bytes, rng), row = random_bytes(row_bytes, rng),
                           below = random_bytes(row_bytes, rng);
                const SourceRows s{rng() % 4 ? above.data() : row.data(), row.data(),
                                   rng() % 4 ? below.data() : row.data(), std::max(width, 1) - 1, false};
                const auto cols = columns(n, sx, sw, s.last_col);
                auto want = random_bytes(static_cast<size_t>(n) * c.dbpp, rng);
                auto got = want;
                c.run(Isa::kScalar, want.data(), s, cols.data(), n);
                c.run(GetParam(), got.data(), s, cols.data(), n);
                ASSERT_EQ(got, want) << c.name << " width " << n << " source " << sx << '+' << sw << " of " << width;
                ++compared;
            }
    EXPECT_GT(compared, 6 * 72 * kRatios);
}

// A destination row lying across its own source rows (a same-surface call)
// at every byte offset near them keeps the scalar kernel's pixel-by-pixel
// result, reading what it has already written.
TEST_P(SimdStretch, DestinationOverlappingItsSourceRowsGivesTheScalarBytes)
{
    std::mt19937 rng(55);
    for (const KernelCase& c : kCases)
        for (int32_t n : {16, 33, 64}) {
            const int32_t width = 2 * n + 3;
            const size_t stride = static_cast<size_t>(width) * c.sbpp;
            const auto start = random_bytes(4 * stride, rng);
            for (size_t at = 0; at + static_cast<size_t>(n) * c.dbpp <= start.size(); at += 1 + rng() % 23) {
                auto want = start, got = start;
                const auto cols = columns(n, 1, n / 2 + static_cast<int32_t>(rng() % 2) * n, width - 1);
                auto run = [&](Isa isa, std::vector<uint8_t>& b) {
                    const SourceRows s{b.data() + 2 * stride, b.data() + stride, b.data(), width - 1, false};
                    c.run(isa, b.data() + at, s, cols.data(), n);
                };
                run(Isa::kScalar, want);
                run(GetParam(), got);
                ASSERT_EQ(got, want) << c.name << " width " << n << " destination at byte " << at;
            }
        }
}

PIXMILL_INSTANTIATE_LEVELS(SimdStretch, testing::ValuesIn(pixmill::kAllIsas));

// The exports with vector kernels on surfaces several blocks wide: doubling
// (where repeated destination rows are copied), halving, other ratios, the
// source's edge columns and rows, and same-surface calls, which must keep the
// top-down, left-to-right reading of what was written.
TEST(SimdStretchExports, WideSurfacesMatchTheReference)
{
    using pixmill_test::TestSurface;
    std::mt19937 rng(808);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    int drawn = 0;
    for (const stretch_test::Variant& v : stretch_test::variants()) {
        if (v.keyed || v.blended || (v.src_bits == 32 && !v.whole)) continue;
        for (int iter = 0; iter < 40; ++iter) {
            const bool same = v.src_bits == v.dst_bits && iter % 4 == 3;
            TestSurface src(pick(40, 150), pick(2, 12), v.src_bits, pick(0, 5));
            TestSurface dst(pick(60, 200), pick(4, 24), v.dst_bits, pick(0, 5));
            src.fill_random(rng);
            dst.fill_random(rng);
            TestSurface& from = same ? dst : src;
            stretch_test::Args a{pick(-3, 5), pick(-2, 2), pick(30, 200), pick(2, 24), 0, pick(0, 2), 0, 0};
            const int32_t sws[] = {a.dw / 2, 2 * a.dw, a.dw * 7 / 10, 3 * a.dw, 0};
            a.sw = sws[iter % 5];
            a.sh = iter % 2 ? a.dh / 2 : pick(0, from.height());
            // Half the rectangles reach the source's right edge.
            a.sx = iter % 2 ? from.width() - 1 - a.sw : pick(0, 3);
            drawn += stretch_test::call_matches_reference(v, dst, src, same, a);
            ASSERT_FALSE(HasFailure()) << "iteration " << iter;
        }
    }
    EXPECT_GT(drawn, 6 * 40 * 3 / 4);
}
