// Array services, the row overlap test, the choice of level and the memory
// copy.
#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <numeric>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "frame/cpu.h"
#include "frame/kernels.h"
#include "frame/surface.h"
#include "test_surface.h"

using namespace pixmill;
using pixmill_test::TestSurface;

TEST(ArrayServices, LayoutBoundsDataPointerAndMissingDimensions)
{
    // The descriptor and the record as the Automation runtime lays them out.
    EXPECT_EQ(offsetof(SAFEARRAY, pvData), sizeof(void*) == 4 ? 12u : 16u);
    EXPECT_EQ(offsetof(SAFEARRAY, rgsabound), sizeof(void*) == 4 ? 16u : 24u);
    EXPECT_EQ(offsetof(PixmillArray, row_bound), offsetof(SAFEARRAY, rgsabound) + sizeof(SAFEARRAYBOUND));
    EXPECT_EQ(offsetof(Surface, Pixels), 8u);
    // Dimension 1's lower bound and count, dimension 2's, the two upper bounds.
    const struct { int32_t lo1; uint32_t n1; int32_t lo2; uint32_t n2; int32_t ub1, ub2; } cases[] = {
        {1, 300, 1, 100, 300, 100},           // a one-based byte array
        {0, 10, 5, 3, 9, 7},                  // stored last dimension first
        {0, 0, INT32_MAX, 2, -1, INT32_MIN},  // empty; upper bound wraps modulo 2^32
    };
    uint8_t pixels[4];
    for (const auto& c : cases) {
        PixmillArray a{{2, 0, 1, 0, pixels, {{c.n2, c.lo2}}}, {c.n1, c.lo1}};
        SAFEARRAY* psa = &a.desc;
        EXPECT_EQ(std::make_tuple(mUBOUNDType(psa, 1), mUBOUNDType(psa, 2), mUBOUND(&psa, 1), mUBOUND(&psa, 2),
                                  mLBOUND(&psa, 1), mLBOUND(&psa, 2)),
                  std::make_tuple(c.ub1, c.ub2, c.ub1, c.ub2, c.lo1, c.lo2)) << c.n1;
        for (int32_t dim : {0, -1, 3, INT32_MIN, INT32_MAX})
            EXPECT_EQ(std::make_tuple(mUBOUNDType(psa, dim), mUBOUND(&psa, dim), mLBOUND(&psa, dim)),
                      std::make_tuple(-1, -1, -1)) << dim;
        EXPECT_EQ(VBArrayPointerType(psa), reinterpret_cast<intptr_t>(pixels));
        EXPECT_EQ(VBArrayPointer(&psa), reinterpret_cast<intptr_t>(pixels));
        a.desc.cDims = 1;  // now rgsabound[0] is dimension 1 and there is no dimension 2
        EXPECT_EQ(std::make_tuple(mUBOUNDType(psa, 1), mUBOUNDType(psa, 2)), std::make_tuple(c.ub2, -1));
        a.desc.cDims = 0x8002;  // read as a negative count: no dimension exists
        EXPECT_EQ(mUBOUNDType(psa, 1), -1);
    }
    // A null descriptor, or a null reference to one, answers -1.
    SAFEARRAY* null_psa = nullptr;
    EXPECT_EQ(std::make_tuple(VBArrayPointerType(nullptr), VBArrayPointer(&null_psa), VBArrayPointer(nullptr)),
              std::make_tuple(intptr_t{-1}, intptr_t{-1}, intptr_t{-1}));
    EXPECT_EQ(std::make_tuple(mUBOUNDType(nullptr, 1), mUBOUND(&null_psa, 1), mLBOUND(&null_psa, 1),
                              mUBOUND(nullptr, 1), mLBOUND(nullptr, 1)),
              std::make_tuple(-1, -1, -1, -1, -1));
}

// Whether a walk may take a destination's rows in memory order: only when
// they are distinct and share no byte with the source, whatever the
// descriptors claim.
TEST(Surface, RowsIndependentOnlyWhenNoByteIsShared)
{
    alignas(8) static uint8_t memory[4096];
    auto view = [](ptrdiff_t at, int32_t rows, ptrdiff_t stride_bytes, int32_t width, int32_t bpp) {
        return SurfaceView{memory + at, -1, rows, width, stride_bytes, bpp};
    };
    const struct { const char* what; SurfaceView dest, src; bool independent; } cases[] = {
        {"source right after the destination", view(0, 4, 40, 10, 4), view(160, 4, 40, 10, 4), true},
        {"one byte shared", view(0, 4, 40, 10, 4), view(159, 4, 40, 10, 4), false},
        {"source inside the destination", view(0, 40, 40, 10, 4), view(400, 2, 12, 4, 3), false},
        {"source rows wider than their stride reach on", view(190, 4, 40, 10, 4), view(0, 5, 30, 20, 4), false},
        {"destination rows overlap one another", view(0, 4, 30, 10, 4), view(2048, 4, 40, 10, 4), false},
        {"negative stride", view(2048, 4, 40, 10, 4), view(0, 4, -40, 10, 4), false},
        {"huge source below", view(2048, 4, 40, 10, 4), view(0, INT32_MAX, INT32_MAX, 10, 4), false},
    };
    for (const auto& c : cases) EXPECT_EQ(rows_independent(c.dest, c.src), c.independent) << c.what;
}

TEST(Levels, PixmillIsaNamesOneLevelOrNothing)
{
    const char* const before = std::getenv("PIXMILL_ISA");
    const std::string kept = before != nullptr ? before : "";
    const std::pair<const char*, int> cases[] = {  // the level named, or -1
        {"scalar", int(Isa::kScalar)}, {"sse2", int(Isa::kSse2)}, {"ssse3", int(Isa::kSsse3)},
        {"avx2", int(Isa::kAvx2)},     {"avx512", int(Isa::kAvx512)}, {"AVX2", -1},
        {"", -1},                      {"avx2 ", -1},                 {"avx5120000000000000", -1}};
    for (const auto& [value, level] : cases) {
        setenv("PIXMILL_ISA", value, 1);
        Isa got = Isa::kScalar;
        const bool named = requested_isa(got);
        EXPECT_EQ(named ? int(got) : -1, level) << "'" << value << "'";
    }
    if (before != nullptr)
        setenv("PIXMILL_ISA", kept.c_str(), 1);
    else
        unsetenv("PIXMILL_ISA");
    // Each level up to the CPU's has its own table (not a lower level's).
    std::cout << "levels run here: scalar";
    for (Isa isa = Isa::kSse2; isa <= cpu_isa(); isa = Isa(int(isa) + 1)) {
        EXPECT_NE(&kernels_at(isa), &kernels_at(Isa(int(isa) - 1))) << isa_name(isa);
        std::cout << " " << isa_name(isa);
    }
    std::cout << " (in use: " << isa_name(active_isa()) << ")\n";
}

// The copy as defined: 8-byte blocks moving forward, each as its word at 0
// then its word at 4, then the rest byte by byte; nothing for counts below 1.
// A 24-bit transfer within one row copies the row's bytes this way.
TEST(CopyMemory, MatchesTheForwardBlockCopyForEveryOverlap)
{
    auto forward_copy = [](uint8_t* d, const uint8_t* s, int32_t count) {
        int32_t i = 0;
        for (uint8_t word[4]; count >= 8 && i < count - count % 8; i += 4) {
            std::memcpy(word, s + i, 4);
            std::memcpy(d + i, word, 4);
        }
        for (; i < count; ++i) d[i] = s[i];
    };
    for (int32_t count : {0, -5, 1, 7, 8, 13, 16, 19, 29, 63, 64, 65})
        for (int shift = -9; shift <= 9; ++shift) {
            std::vector<uint8_t> got(100), want;
            std::iota(got.begin(), got.end(), 1);
            want = got;
            CopyMemoryC(got.data() + 20 + shift, got.data() + 20, count);
            forward_copy(want.data() + 20 + shift, want.data() + 20, count);
            ASSERT_EQ(got, want) << "count " << count << " destination " << shift << " from the source";
        }
    for (int32_t dx : {0, 1, 2, 3}) {  // 7 pixels from pixel 1 to pixel dx
        TestSurface s(12, 1, 24);
        std::iota(s.bytes().begin(), s.bytes().end(), 0);
        std::vector<uint8_t> want = s.bytes();
        Render_BitBlt24to24(s.get(), dx, 0, 7, 1, s.get(), 1, 0);
        forward_copy(want.data() + 3 * dx, want.data() + 3, 21);
        EXPECT_EQ(s.bytes(), want) << dx;
    }
}
