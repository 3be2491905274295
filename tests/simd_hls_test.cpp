// The vector hue, lightness, saturation kernels against the scalar kernel, at
// every instruction-set level this CPU has: random rows of every width up to
// past four of the widest vectors, colours chosen to reach every lightness
// and saturation quotient and every hue quotient, greys, primaries and ties
// for the maximum, under deltas at and beyond their useful limits.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include "filter/hls_rows.h"
#include "frame/kernels.h"
#include "simd_levels.h"

using pixmill::HlsDeltas;
using pixmill::Isa;

namespace {

const HlsDeltas kDeltas[] = {
    {0, 0, 0},        {10, 5, 5},          {-10, -5, -5},       {240, 240, 240},     {-240, -240, -240},
    {241, -241, 1},   {0, 0, -1},          {-77, 33, 100},      {INT32_MIN, INT32_MAX, INT32_MIN},
    {INT32_MAX, INT32_MIN, INT32_MAX},     {INT32_MAX, INT32_MAX, INT32_MAX},  {INT32_MIN, INT32_MIN, 0},
};

class SimdHls : public pixmill_test::IsaLevel {};

// The level's kernel and the scalar kernel on copies of the same row; the
// first differing pixel is reported with its input.
void expect_scalar_bytes(Isa isa, const std::vector<uint8_t>& row, int32_t w, const HlsDeltas& d)
{
    std::vector<uint8_t> want = row, got = row;
    pixmill::adjust_hls_row_32(want.data(), w, d);
    pixmill::kernels_at(isa).adjust_hls_32(got.data(), w, d);
    if (want == got) return;
    size_t i = 0;
    while (std::memcmp(&want[i], &got[i], 4) == 0) i += 4;
    ADD_FAILURE() << "pixel " << i / 4 << " of " << w << ", rgb (" << int(row[i + 2]) << "," << int(row[i + 1]) << ","
                  << int(row[i]) << ") deltas " << d.hue << "," << d.lum << "," << d.sat << ": got ("
                  << int(got[i + 2]) << "," << int(got[i + 1]) << "," << int(got[i]) << "," << int(got[i + 3])
                  << "), want (" << int(want[i + 2]) << "," << int(want[i + 1]) << "," << int(want[i]) << ","
                  << int(want[i + 3]) << ")";
}

// Every width from 0 to four 16-pixel vectors plus odd tails; three guard
// pixels after the row must stay as they were.
TEST_P(SimdHls, EveryWidthGivesTheScalarBytes)
{
    std::mt19937 rng(81);
    for (int32_t w = 0; w <= 4 * 16 + 7; ++w)
        for (const HlsDeltas& d : kDeltas) {
            std::vector<uint8_t> row(4 * static_cast<size_t>(w + 3));
            for (uint8_t& b : row) b = static_cast<uint8_t>(rng());
            expect_scalar_bytes(GetParam(), row, w, d);
        }
}

// Colours by class, each in a rotating order of the channels:
// - every (cmin, cmax) pair, the middle value spread between them: every
//   lightness and saturation quotient;
// - every spread d with every distance k of the middle value from the
//   maximum: every quotient the hue is made of, ties for the maximum (k = 0)
//   included;
// - greys, primaries and their mixes.
std::vector<uint8_t> class_colours()
{
    std::vector<uint8_t> px;
    int order = 0;
    const auto add = [&](int hi, int mid, int lo) {
        const int c[3] = {hi, mid, lo};
        static const int kOrders[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0}};
        const int* o = kOrders[order++ % 6];
        px.insert(px.end(), {uint8_t(c[o[0]]), uint8_t(c[o[1]]), uint8_t(c[o[2]]), uint8_t(order)});
    };
    for (int lo = 0; lo < 256; ++lo)
        for (int hi = lo; hi < 256; ++hi) add(hi, lo + (hi - lo) * (hi % 7) / 6, lo);
    for (int d = 1; d < 256; ++d)
        for (int k = 0; k <= d; ++k) {
            const int lo = (k * 37 + d) % (256 - d);
            add(lo + d, lo + d - k, lo);
        }
    for (int v : {0, 1, 127, 128, 254, 255})
        for (int m : {0, 1, 128, 254, 255}) add(255, m, 0), add(v, v, v), add(v, v, m), add(v, m, m);
    return px;
}

TEST_P(SimdHls, ColourClassesGiveTheScalarBytes)
{
    const std::vector<uint8_t> px = class_colours();
    for (const HlsDeltas& d : {HlsDeltas{0, 0, 0}, HlsDeltas{10, 5, 5}, HlsDeltas{-120, 60, 120}})
        expect_scalar_bytes(GetParam(), px, static_cast<int32_t>(px.size() / 4), d);
}

PIXMILL_INSTANTIATE_LEVELS(SimdHls, PIXMILL_VECTOR_LEVELS);

}  // namespace
