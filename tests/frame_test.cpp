// Array services, surface reading, bottom-up addressing and the clips.
#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdlib>
#include <iostream>
#include <string>
#include <tuple>

#include "frame/arith.h"
#include "frame/clip.h"
#include "frame/cpu.h"
#include "frame/kernels.h"
#include "frame/surface.h"
#include "test_surface.h"

using namespace pixmill;
using pixmill_test::TestSurface;

namespace {

// A two-dimensional descriptor with explicit bounds, dimension 1 first.
struct Desc2 {
    PixmillArray a{};
    Desc2(int32_t lo1, uint32_t n1, int32_t lo2, uint32_t n2)
    {
        a.desc.cDims = 2;
        a.desc.rgsabound[0] = {n2, lo2};
        a.row_bound = {n1, lo1};
    }
    SAFEARRAY* psa() { return &a.desc; }
};

}  // namespace

TEST(Layout, DescriptorAndRecordMatchTheAutomationLayout)
{
    EXPECT_EQ(offsetof(SAFEARRAY, pvData), sizeof(void*) == 4 ? 12u : 16u);
    EXPECT_EQ(offsetof(SAFEARRAY, rgsabound), sizeof(void*) == 4 ? 16u : 24u);
    EXPECT_EQ(offsetof(PixmillArray, row_bound), offsetof(SAFEARRAY, rgsabound) + sizeof(SAFEARRAYBOUND));
    EXPECT_EQ(offsetof(Surface, Pixels), 8u);
}

TEST(ArrayServices, BoundsOfEachDimension)
{
    const struct {
        int32_t lo1;
        uint32_t n1;
        int32_t lo2;
        uint32_t n2;
        int32_t ub1, lb1, ub2, lb2;
    } cases[] = {
        {1, 300, 1, 100, 300, 1, 100, 1},                      // a one-based byte array
        {0, 10, 5, 3, 9, 0, 7, 5},                             // stored last dimension first
        {0, 0, INT32_MAX, 2, -1, 0, INT32_MIN, INT32_MAX},     // empty; upper bound wraps modulo 2^32
    };
    for (const auto& c : cases) {
        Desc2 d(c.lo1, c.n1, c.lo2, c.n2);
        SAFEARRAY* psa = d.psa();
        EXPECT_EQ(mUBOUNDType(psa, 1), c.ub1) << c.n1;
        EXPECT_EQ(mUBOUNDType(psa, 2), c.ub2) << c.n1;
        EXPECT_EQ(mUBOUND(&psa, 1), c.ub1) << c.n1;
        EXPECT_EQ(mUBOUND(&psa, 2), c.ub2) << c.n1;
        EXPECT_EQ(mLBOUND(&psa, 1), c.lb1) << c.n1;
        EXPECT_EQ(mLBOUND(&psa, 2), c.lb2) << c.n1;
        for (int32_t dim : {0, -1, 3, INT32_MIN, INT32_MAX}) {
            EXPECT_EQ(mUBOUNDType(psa, dim), -1) << dim;
            EXPECT_EQ(mUBOUND(&psa, dim), -1) << dim;
            EXPECT_EQ(mLBOUND(&psa, dim), -1) << dim;
        }
    }
}

TEST(ArrayServices, NullDescriptorsAndReferences)
{
    SAFEARRAY* null_psa = nullptr;
    EXPECT_EQ(VBArrayPointerType(nullptr), static_cast<intptr_t>(-1));
    EXPECT_EQ(VBArrayPointer(&null_psa), static_cast<intptr_t>(-1));
    EXPECT_EQ(mUBOUNDType(nullptr, 1), -1);
    EXPECT_EQ(mUBOUND(&null_psa, 1), -1);
    EXPECT_EQ(mLBOUND(&null_psa, 1), -1);
    // A null reference is answered like a null descriptor instead of followed.
    EXPECT_EQ(VBArrayPointer(nullptr), static_cast<intptr_t>(-1));
    EXPECT_EQ(mUBOUND(nullptr, 1), -1);
    EXPECT_EQ(mLBOUND(nullptr, 1), -1);
}

TEST(ArrayServices, DataPointerAndOneDimensionalArrays)
{
    uint8_t pixels[4];
    Desc2 d(1, 4, 1, 1);
    d.a.desc.pvData = pixels;
    SAFEARRAY* psa = d.psa();
    EXPECT_EQ(VBArrayPointerType(psa), reinterpret_cast<intptr_t>(pixels));
    EXPECT_EQ(VBArrayPointer(&psa), reinterpret_cast<intptr_t>(pixels));
    d.a.desc.cDims = 1;  // now rgsabound[0] is dimension 1 and there is no dimension 2
    EXPECT_EQ(mUBOUNDType(psa, 1), 1);
    EXPECT_EQ(mUBOUNDType(psa, 2), -1);
    d.a.desc.cDims = 0x8002;  // read as a negative count: no dimension exists
    EXPECT_EQ(mUBOUNDType(psa, 1), -1);
}

TEST(Surface, DerivedValuesAndBottomUpAddressing)
{
    TestSurface s24(100, 50, 24);  // byte array 1..300 by 1..50
    SurfaceView v = read_surface(s24.get(), kBgr24);
    EXPECT_EQ(v.stride, 300);
    EXPECT_EQ(v.rows, 50);
    EXPECT_EQ(v.stride_bytes, 300);
    EXPECT_EQ(pixel_at(v, 0, 0) - v.data, 14700);
    EXPECT_EQ(pixel_at(v, 99, 49) - v.data, 297);

    TestSurface s32(100, 50, 32);
    SurfaceView w = read_surface(s32.get(), kBgra32);
    EXPECT_EQ(w.stride, 100);
    EXPECT_EQ(w.stride_bytes, 400);
    EXPECT_EQ(pixel_at(w, 7, 3) - w.data, (49 - 3) * 400 + 4 * 7);
}

TEST(Surface, MissingRecordOrArrayReadsAsNoRows)
{
    EXPECT_EQ(read_surface(nullptr, kBgr24).rows, -1);
    Surface no_array{10, 0, nullptr};
    SurfaceView v = read_surface(&no_array, kBgra32);
    EXPECT_EQ(v.rows, -1);
    EXPECT_EQ(v.stride, -1);
    EXPECT_EQ(reinterpret_cast<intptr_t>(v.data), -1);
    EXPECT_EQ(v.width, 10);
}

struct ClipCase {
    const char* what;
    Block in;
    int32_t dw, dr, sw, sr;
    bool draws;
    Block out;
};

constexpr int32_t kMax = INT32_MAX, kMin = INT32_MIN;

// Whether a walk may take a destination's rows in memory order: only when
// they are distinct and share no byte with the source, whatever the
// descriptors claim.
TEST(Surface, RowsIndependentOnlyWhenNoByteIsShared)
{
    alignas(8) static uint8_t memory[4096];
    auto view = [](ptrdiff_t at, int32_t rows, ptrdiff_t stride_bytes, int32_t width, int32_t bpp) {
        SurfaceView v;
        v.data = memory + at;
        v.rows = rows;
        v.stride_bytes = stride_bytes;
        v.width = width;
        v.bpp = bpp;
        return v;
    };
    struct Case {
        const char* what;
        SurfaceView dest, src;
        bool independent;
    } cases[] = {
        {"apart", view(0, 4, 40, 10, 4), view(2048, 4, 40, 10, 4), true},
        {"source right after the destination", view(0, 4, 40, 10, 4), view(160, 4, 40, 10, 4), true},
        {"destination right after the source", view(160, 4, 40, 10, 4), view(0, 4, 40, 10, 4), true},
        {"same array", view(0, 4, 40, 10, 4), view(0, 4, 40, 10, 4), false},
        {"one byte shared", view(0, 4, 40, 10, 4), view(159, 4, 40, 10, 4), false},
        {"source inside the destination", view(0, 40, 40, 10, 4), view(400, 2, 12, 4, 3), false},
        {"source rows wider than their stride reach on", view(190, 4, 40, 10, 4), view(0, 5, 30, 20, 4), false},
        {"destination rows overlap one another", view(0, 4, 30, 10, 4), view(2048, 4, 40, 10, 4), false},
        {"negative stride", view(2048, 4, 40, 10, 4), view(0, 4, -40, 10, 4), false},
        {"huge source below the destination", view(2048, 4, 40, 10, 4), view(0, INT32_MAX, INT32_MAX, 10, 4),
         false},
    };
    for (const Case& c : cases) EXPECT_EQ(rows_independent(c.dest, c.src), c.independent) << c.what;
}

TEST(ClipBlock, Cases)
{
    const ClipCase cases[] = {
        {"exact fit keeps every column", {0, 0, 100, 10, 0, 0}, 100, 10, 100, 10, true, {0, 0, 100, 10, 0, 0}},
        {"destination cut first", {0, 0, 101, 10, 0, 0}, 100, 10, 100, 10, true, {0, 0, 100, 10, 0, 0}},
        {"passing the source edge loses its last column",
         {0, 0, 101, 10, 0, 0}, 200, 10, 100, 10, true, {0, 0, 99, 10, 0, 0}},
        {"ending at the source edge", {0, 0, 10, 1, 90, 0}, 200, 10, 100, 10, true, {0, 0, 10, 1, 90, 0}},
        {"one past the source edge", {0, 0, 11, 1, 90, 0}, 200, 10, 100, 10, true, {0, 0, 9, 1, 90, 0}},
        {"sx equal to the source width", {0, 0, 5, 1, 100, 0}, 200, 10, 100, 10, false, {}},
        {"dx equal to the destination width", {100, 0, 5, 1, 0, 0}, 100, 10, 100, 10, false, {}},
        {"start beyond the destination", {101, 0, 5, 1, 0, 0}, 100, 10, 200, 10, false, {}},
        {"start below the source", {0, 0, 5, 1, 0, 11}, 100, 10, 200, 10, false, {}},
        {"negative dx moves the source along", {-5, 0, 20, 1, 0, 0}, 100, 10, 100, 10, true, {0, 0, 15, 1, 5, 0}},
        {"negative sx moves without cutting", {10, 0, 20, 1, -5, 0}, 100, 10, 100, 10, true, {10, 0, 20, 1, 0, 0}},
        {"negative dy", {0, -3, 5, 10, 0, 0}, 100, 100, 100, 10, true, {0, 0, 5, 7, 0, 3}},
        {"heights are cut without the extra row", {0, 0, 5, 10, 0, 0}, 100, 100, 100, 10, true, {0, 0, 5, 10, 0, 0}},
        {"dx + w equal to the destination width", {90, 0, 10, 1, 0, 0}, 100, 10, 200, 10, true, {90, 0, 10, 1, 0, 0}},
        {"no rows in the destination", {0, 0, 5, 5, 0, 0}, 100, -1, 100, 10, false, {}},
        {"no rows in the source", {0, 0, 5, 5, 0, 0}, 100, 10, 100, 0, false, {}},
        {"zero width", {0, 0, 0, 5, 0, 0}, 100, 10, 100, 10, false, {}},
        {"dx + w overflowing", {50, 0, kMax, 1, 0, 0}, 100, 10, 200, 10, true, {50, 0, 50, 1, 0, 0}},
        {"sx - dx overflowing", {kMin, 0, kMax, 1, kMax, 0}, 100, 10, 100, 10, false, {}},
        {"w + dx underflowing", {-10, 0, kMin, 1, 0, 0}, 100, 10, 100, 10, false, {}},
        {"dy + h overflowing", {0, 5, 5, kMax, 0, 0}, 100, 10, 100, 100, true, {0, 5, 5, 5, 0, 0}},
        {"huge negative origin", {kMin, kMin, kMax, kMax, 0, 0}, 100, 10, 100, 10, false, {}}};
    for (const ClipCase& c : cases) {
        Block b = c.in;
        ASSERT_EQ(clip_block(b, c.dw, c.dr, c.sw, c.sr), c.draws) << c.what;
        if (!c.draws) continue;
        EXPECT_EQ(std::tie(b.dx, b.dy, b.w, b.h, b.sx, b.sy),
                  std::tie(c.out.dx, c.out.dy, c.out.w, c.out.h, c.out.sx, c.out.sy)) << c.what;
    }
}

TEST(ClipRect, DestinationStepsAlone)
{
    struct Case {
        Rect in;
        bool draws;
        Rect out;
    } cases[] = {
        {{-3, 0, 10, 1}, true, {0, 0, 7, 1}},
        {{-3, 0, 3, 1}, false, {}},
        {{0, 0, 1000, 1000}, true, {0, 0, 20, 10}},
        {{20, 0, 5, 5}, false, {}},
        {{0, 10, 5, 5}, false, {}},
        {{21, 0, 5, 5}, false, {}},
        {{5, -2, 5, 5}, true, {5, 0, 5, 3}},
        {{5, 5, kMax, kMax}, true, {5, 5, 15, 5}},
        {{kMin, kMin, kMax, kMax}, false, {}},
    };
    for (const Case& c : cases) {
        Rect r = c.in;
        ASSERT_EQ(clip_rect(r, 20, 10), c.draws) << c.in.x << "," << c.in.y;
        if (!c.draws) continue;
        EXPECT_EQ(std::tie(r.x, r.y, r.w, r.h), std::tie(c.out.x, c.out.y, c.out.w, c.out.h))
            << c.in.x << "," << c.in.y;
    }
}

TEST(Blend255, MatchesTruncatingDivisionForEveryByteAndWeight)
{
    for (uint32_t a = 0; a <= 255; ++a)
        for (uint32_t s = 0; s <= 255; s += 5)
            for (uint32_t d = 0; d <= 255; ++d) {
                const uint32_t expect = (s * a + d * (255 - a)) / 255;
                ASSERT_EQ(blend255_byte(s, d, a), expect) << s << " " << d << " " << a;
                ASSERT_EQ(blend255(s, d, static_cast<int32_t>(a)), expect) << s << " " << d << " " << a;
            }
    EXPECT_EQ(blend255(255, 0, 128), 128);
    EXPECT_EQ(blend255(0, 255, 128), 127);
    EXPECT_EQ(blend255(100, 200, 100), 160);
}

TEST(Blend255, WeightsOutsideAByteWrapInsteadOfOverflowing)
{
    // s * a + d * (255 - a) with a = 256: 256 s - d, divided and truncated.
    EXPECT_EQ(blend255(10, 20, 256), static_cast<uint8_t>((2560 - 20) / 255));
    EXPECT_EQ(blend255(0, 255, 300), static_cast<uint8_t>(-(255 * 45) / 255));
    // The extremes wrap as 32-bit products do: 255 * 2^31 + 255 * (255 + 2^31)
    // is 65025 modulo 2^32, and 255 * (2^31 - 1) is 2^31 - 255.
    EXPECT_EQ(blend255(255, 255, INT32_MIN), 255);
    EXPECT_EQ(blend255(255, 0, INT32_MAX), static_cast<uint8_t>(2147483393 / 255));
}

TEST(Levels, PixmillIsaNamesOneLevelOrNothing)
{
    using pixmill::Isa;
    const std::string before = std::getenv("PIXMILL_ISA") ? std::getenv("PIXMILL_ISA") : "";
    const struct {
        const char* value;
        bool named;
        Isa level;
    } cases[] = {{"scalar", true, Isa::kScalar}, {"sse2", true, Isa::kSse2}, {"ssse3", true, Isa::kSsse3},
                 {"avx2", true, Isa::kAvx2},     {"avx512", true, Isa::kAvx512}, {"AVX2", false, Isa::kScalar},
                 {"", false, Isa::kScalar},     {"avx2 ", false, Isa::kScalar}, {"avx5120000000000000", false, Isa::kScalar}};
    for (const auto& c : cases) {
        setenv("PIXMILL_ISA", c.value, 1);
        Isa got = Isa::kScalar;
        EXPECT_EQ(pixmill::requested_isa(got), c.named) << "'" << c.value << "'";
        if (c.named) {
            EXPECT_EQ(got, c.level) << c.value;
        }
    }
    if (before.empty())
        unsetenv("PIXMILL_ISA");
    else
        setenv("PIXMILL_ISA", before.c_str(), 1);

    // The level in use never exceeds the CPU's, and each level up to it has
    // its own table (a level the build lacks would fall back to a lower one).
    EXPECT_LE(pixmill::active_isa(), pixmill::cpu_isa());
    std::cout << "levels run here:";
    for (Isa isa : pixmill::kAllIsas) {
        if (isa > pixmill::cpu_isa()) break;
        if (isa > Isa::kScalar) {
            EXPECT_NE(&pixmill::kernels_at(isa), &pixmill::kernels_at(Isa(int(isa) - 1)));
        }
        std::cout << " " << pixmill::isa_name(isa);
    }
    std::cout << " (in use: " << pixmill::isa_name(pixmill::active_isa()) << ")\n";
}
