// The rotation's vector kernels against the scalar offset arithmetic and
// pixel copy, and the exports (kernels from the CPU, walk along destination
// rows) against the defined order at the scalar level, on random pictures.
#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

#include "frame/kernels.h"
#include "rotate/rotate.h"
#include "rotate/rotate_rows.h"
#include "simd_levels.h"

using namespace pixmill;

namespace {

class SimdRotate : public pixmill_test::IsaLevel {};

const int32_t kAngles[] = {0, 30, 45, 90, -45, 180, 359, 360, 7, 100000, INT32_MAX, INT32_MIN};

// Runs of offsets and of mirrored offset pairs, from the smallest to the
// largest offsets the kernels take, every count up to five 8-lane vectors and
// a tail. Entries for offsets with i = 0 are unspecified in the pairs.
TEST_P(SimdRotate, OffsetsMatchTheScalarTurn)
{
    const Kernels& k = kernels_at(GetParam());
    const int64_t fixed[] = {0, 1, 2, 3, 7, 64, 1000, kMaxRowOffset - 1};
    const int64_t starts[] = {0, 1, 5, 1000, kMaxRowOffset - 45};
    for (int32_t angle : kAngles) {
        const Turn t = make_turn(angle_in_radians(angle));
        for (int64_t a : fixed)
            for (int64_t b : starts)
                for (int32_t n = 0; n <= 43; ++n) {
                    int32_t u[43], v[43], mu[43], mv[43], ru, rv;
                    if (a > 0) {
                        k.rotate_offsets(a, b, n, t, u, v);
                        for (int32_t m = 0; m < n; ++m) {
                            turn_offset(a, b + m, t, ru, rv);
                            ASSERT_TRUE(u[m] == ru && v[m] == rv) << angle << " row (" << a << "," << b + m << ")";
                        }
                    }
                    if (a == 0 && b == 0) continue;  // the kernel needs a length of at least 1
                    k.rotate_offset_pairs(a, b, n, t, u, v, mu, mv);
                    for (int32_t m = 0; m < n; ++m) {
                        turn_offset(a, b + m, t, ru, rv);
                        EXPECT_TRUE(a == 0 || (u[m] == ru && v[m] == rv)) << angle << " (" << a << "," << b + m << ")";
                        turn_offset(b + m, a, t, ru, rv);
                        ASSERT_TRUE(b + m == 0 || (mu[m] == ru && mv[m] == rv))
                            << angle << " mirrored (" << b + m << "," << a << ")";
                    }
                }
    }
}

// Runs of 32-bit copies to the right and to the left with every sign pair,
// offsets that put source pixels on and beyond every edge (the last column
// included), lengths up to four 16-lane vectors and a tail.
TEST_P(SimdRotate, CopyRunsMatchTheScalarCopy)
{
    const Kernels& k = kernels_at(GetParam());
    std::mt19937 rng(8);
    constexpr int32_t kW = 23, kH = 19, kMaxRun = 70;
    std::vector<uint32_t> src(kW * kH);
    for (auto& p : src) p = rng();
    for (bool index32 : {true, false}) {
        // Pixel (x, y) at src[(kH - 1 - y) * kW + x]; the last column is not readable.
        const SourceRead s{reinterpret_cast<const uint8_t*>(&src[(kH - 1) * kW]), 4 * kW, 4, 11, 9, kW - 2, kH,
                           index32};
        for (int32_t n = 0; n <= kMaxRun; ++n)
            for (int32_t dir : {1, -1})
                for (int32_t sa : {1, -1})
                    for (int32_t sb : {1, -1}) {
                        int32_t a[kMaxRun], b[kMaxRun];
                        for (int32_t m = 0; m < n; ++m) {
                            a[m] = static_cast<int32_t>(rng() % 31) - 15;
                            b[m] = static_cast<int32_t>(rng() % 27) - 13;
                        }
                        std::vector<uint32_t> got(2 * kMaxRun + 2, 0x5A5A5A5Au), want = got;
                        const size_t at = dir > 0 ? 1 : kMaxRun;  // the run stays inside, one guard each side
                        k.rotate_copy_32(s, reinterpret_cast<uint8_t*>(&got[at]), dir, a, b, sa, sb, n);
                        copy_run_32(s, reinterpret_cast<uint8_t*>(&want[at]), dir, a, b, sa, sb, n);
                        ASSERT_EQ(got, want) << "n " << n << " dir " << dir << " signs " << sa << "," << sb;
                    }
    }
}

// One buffer holding both arrays: apart, the same surface, or two arrays
// that overlap without being the same.
enum class Layout { kApart, kSame, kOverlapping };

struct Shape {
    int32_t sw, sh, spad, dw, dh, dpad;
};

// The whole buffer after the call, with the given kernels and order.
std::vector<uint8_t> rotated(const std::vector<uint8_t>& start, RotateTransfer transfer, const Shape& sh,
                             Layout layout, int32_t angle, const Kernels& kernels, RotateOrder order)
{
    const bool src32 = transfer != RotateTransfer::kCopy24to24, dst32 = transfer == RotateTransfer::kCopy32to32;
    const int32_t spitch = src32 ? 4 * (sh.sw + sh.spad) : 3 * sh.sw + sh.spad;
    const int32_t dpitch = dst32 ? 4 * (sh.dw + sh.dpad) : 3 * sh.dw + sh.dpad;
    std::vector<uint8_t> bytes = start;
    const size_t src_at = layout == Layout::kApart ? static_cast<size_t>(dpitch) * sh.dh : layout == Layout::kSame ? 0 : 20;
    PixmillArray da, sa;
    Surface d = pixmill_wrap(&da, bytes.data(), sh.dw, sh.dh, dpitch, dst32 ? 32 : 24);
    Surface s = pixmill_wrap(&sa, bytes.data() + src_at, sh.sw, sh.sh, spitch, src32 ? 32 : 24);
    rotate_surfaces(&d, layout == Layout::kSame ? &d : &s, angle, transfer, order, kernels);
    return bytes;
}

TEST_P(SimdRotate, ExportsMatchTheDefinedOrderAtTheScalarLevel)
{
    const Shape shapes[] = {{1, 1, 0, 1, 1, 0},    {2, 2, 0, 2, 2, 1},     {3, 2, 1, 5, 4, 0},
                            {6, 6, 0, 6, 6, 0},    {9, 7, 2, 9, 7, 2},     {20, 11, 0, 8, 30, 1},
                            {33, 21, 1, 50, 40, 3}, {64, 36, 0, 64, 36, 0}, {101, 57, 3, 96, 61, 2}};
    const RotateTransfer transfers[] = {RotateTransfer::kCopy24to24, RotateTransfer::kCopy32to32,
                                        RotateTransfer::kBlend32to24};
    std::mt19937 rng(9);
    for (const Shape& sh : shapes)
        for (Layout layout : {Layout::kApart, Layout::kSame, Layout::kOverlapping}) {
            // Same-surface calls use the destination's shape for both.
            const Shape use = layout == Layout::kSame ? Shape{sh.dw, sh.dh, sh.dpad, sh.dw, sh.dh, sh.dpad} : sh;
            std::vector<uint8_t> start(static_cast<size_t>(8) * (use.dw + use.dpad + 1) * use.dh +
                                       static_cast<size_t>(8) * (use.sw + use.spad + 1) * use.sh + 64);
            for (auto& b : start) b = static_cast<uint8_t>(rng() % 5 == 0 ? (rng() & 1) * 255 : rng());
            for (RotateTransfer transfer : transfers)
                for (int32_t angle : kAngles)
                    ASSERT_EQ(rotated(start, transfer, use, layout, angle, kernels_at(GetParam()), RotateOrder::kAny),
                              rotated(start, transfer, use, layout, angle, scalar_kernels(), RotateOrder::kDefined))
                        << "transfer " << static_cast<int>(transfer) << " layout " << static_cast<int>(layout)
                        << " angle " << angle << " source " << use.sw << "x" << use.sh << " dest " << use.dw << "x"
                        << use.dh;
        }
}

PIXMILL_INSTANTIATE_LEVELS(SimdRotate, testing::ValuesIn(kAllIsas));

// A picture the size of a screen, through the export itself.
TEST(SimdRotateExport, FullPictureMatchesTheDefinedOrder)
{
    constexpr int32_t kW = 640, kH = 360;
    std::mt19937 rng(10);
    std::vector<uint32_t> src(kW * kH), start(kW * kH);
    for (auto& p : src) p = rng();
    for (auto& p : start) p = rng();
    for (int32_t angle : {30, -45, 359}) {
        std::vector<uint32_t> got = start, want = start;
        PixmillArray sa, ga, wa;
        Surface s = pixmill_wrap(&sa, src.data(), kW, kH, 4 * kW, 32);
        Surface g = pixmill_wrap(&ga, got.data(), kW, kH, 4 * kW, 32);
        Surface w = pixmill_wrap(&wa, want.data(), kW, kH, 4 * kW, 32);
        EXPECT_EQ(Render_Rotate32to32(&g, &s, angle), 0);
        rotate_surfaces(&w, &s, angle, RotateTransfer::kCopy32to32, RotateOrder::kDefined, scalar_kernels());
        EXPECT_EQ(got, want) << angle;
        EXPECT_NE(got, start) << angle;
    }
}

}  // namespace
