// The scaled-copy vector kernels against the scalar kernels at every level
// this CPU has, and the exports that use them against the reference on
// surfaces wide enough for several vector blocks per row. (A row whose
// destination overlaps a source row it reads never reaches a vector kernel:
// the walk hands it to the scalar one, checked through the exports.)
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "frame/kernels.h"
#include "stretch/sample_map.h"
#include "stretch_reference.h"
#include "test_surface.h"
#include "simd_levels.h"

using pixmill::Isa;
using pixmill::SourceRows;
using pixmill::kernels_at;

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
    {"sample 24to24", 3, 3, ROW(kernels_at(i).sample_24to24(d, s.row, c, n))},
    {"sample 24to32", 3, 4, ROW(kernels_at(i).sample_24to32(d, s.row, c, n))},
    {"sample 32to32 whole", 4, 4, ROW(kernels_at(i).sample_32to32_whole(d, s.row, c, n))},
    {"smooth 24to24", 3, 3, ROW(kernels_at(i).smooth_24to24(d, s, c, n))},
    {"smooth 24to32", 3, 4, ROW(kernels_at(i).smooth_24to32(d, s, c, n))},
    {"smooth 32to32 whole", 4, 4, ROW(kernels_at(i).smooth_32to32_whole(d, s, c, n))},
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

// Same-surface calls whose destination lies beside its source, from just left
// of it to just right of it and a row either way, enlarged up to 32 times: a
// row that writes a pixel its kernel reads (a sample or a neighbour of one)
// must see what it has already written, as the scalar kernel does; the other
// rows take the vector kernels.
TEST(SimdStretchExports, DestinationsBesideTheirSourceMatchTheReference)
{
    using pixmill_test::TestSurface;
    std::mt19937 rng(99);
    constexpr int32_t kWidth = 32;  // destination pixels per row: whole blocks at every level
    for (const stretch_test::Variant& v : stretch_test::variants()) {
        if (v.keyed || v.blended || v.src_bits != v.dst_bits || (v.src_bits == 32 && !v.whole)) continue;
        for (const int32_t sw : {1, 3, kWidth / 2, 2 * kWidth}) {
            const int32_t sx = kWidth + 4, sy = 4, sh = sw < kWidth ? 3 : 6;
            TestSurface s(sx + sw + kWidth + 4, 12, v.src_bits);
            for (int32_t dy = sy - 1; dy <= sy + 1; ++dy)
                for (int32_t dx = sx - kWidth - 2; dx <= sx + sw + 2; ++dx) {
                    s.fill_random(rng);
                    const stretch_test::Args a{dx, dy, kWidth, sw < kWidth ? 6 : 3, sx, sy, sw, sh};
                    stretch_test::call_matches_reference(v, s, s, true, a);
                    ASSERT_FALSE(HasFailure()) << v.name << " destination at " << dx << ',' << dy;
                }
        }
    }
}
