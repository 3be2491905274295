// Every vector row kernel against its scalar kernel, at every instruction-set
// level this CPU has: random rows of every width from 0 to past four of the
// widest blocks, every alpha value, keys present and absent, extreme
// arguments. (Rows whose destination overlaps an input never reach a vector
// kernel: the walk hands them to the scalar one, checked through the exports.)
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>
#include <vector>

#include "frame/arith.h"
#include "frame/kernels.h"
#include "simd_levels.h"

using pixmill::Isa;

namespace {

struct Args {
    pixmill::ColorKey key;
    int32_t alpha;  // also the alpha delta and the stamped byte
    pixmill::Bgr colour;
};

// One kernel run on a row of w pixels at level isa; src and mask are null
// for kernels that do not read them. sums collects the colour sums.
using Run = void (*)(Isa isa, uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w, const Args& a,
                     pixmill::ColourSums& sums);

struct KernelCase {
    const char* name;
    int dst_bpp, src_bpp;  // src_bpp 0: no source
    bool mask;
    Run run;
};

using pixmill::kernels_at;
#define ROW(expr) [](Isa isa, uint8_t* d, const uint8_t* s, const uint8_t* m, int32_t w, const Args& a, \
                      pixmill::ColourSums& sums) { (void)s, (void)m, (void)a, (void)sums; expr; }

const KernelCase kCases[] = {
    {"copy 24to32", 4, 3, false, ROW(kernels_at(isa).copy_24to32(d, s, w))},
    {"blend 32to24", 3, 4, false, ROW(kernels_at(isa).blend_32to24(d, s, w))},
    {"blend 32to32", 4, 4, false, ROW(kernels_at(isa).blend_32to32(d, s, w))},
    {"key 24to24", 3, 3, false, ROW(kernels_at(isa).key_24to24(d, s, w, a.key))},
    {"alpha 24to24", 3, 3, false, ROW(kernels_at(isa).alpha_24to24(d, s, w, a.alpha))},
    {"key alpha 24to24", 3, 3, false, ROW(kernels_at(isa).key_alpha_24to24(d, s, w, a.key, a.alpha))},
    {"stamp 24to32", 4, 3, false, ROW(kernels_at(isa).stamp_24to32(d, s, w, uint8_t(a.alpha)))},
    {"key stamp 24to32", 4, 3, false, ROW(kernels_at(isa).key_stamp_24to32(d, s, w, a.key, uint8_t(a.alpha)))},
    {"alpha to grey 32to24", 3, 4, false, ROW(kernels_at(isa).alpha_to_grey_32to24(d, s, w))},
    {"red to alpha 24to32", 4, 3, false, ROW(kernels_at(isa).red_to_alpha_24to32(d, s, w))},
    {"mask blend 24to24", 3, 3, true, ROW(kernels_at(isa).mask_blend_24to24(d, s, m, w))},
    {"mask alpha 24to32", 4, 3, true, ROW(kernels_at(isa).mask_alpha_24to32(d, s, m, w))},
    {"fill 24", 3, 0, false, ROW(kernels_at(isa).fill_24(d, w, a.colour))},
    {"fill 32", 4, 0, false, ROW(kernels_at(isa).fill_32(d, w, a.colour))},
    {"fill 32 alpha byte", 4, 0, false, ROW(kernels_at(isa).fill_32_alpha_byte(d, w, a.colour, uint8_t(a.alpha)))},
    {"blend 24", 3, 0, false, ROW(kernels_at(isa).blend_24(d, w, pixmill::const_blend(a.colour, a.alpha)))},
    {"blend 32", 4, 0, false, ROW(kernels_at(isa).blend_32(d, w, pixmill::const_blend(a.colour, a.alpha)))},
    {"bar mask blend 24", 3, 0, true, ROW(kernels_at(isa).mask_blend_24(d, m, w, a.colour))},
    {"invert 24", 3, 0, false, ROW(kernels_at(isa).invert_24(d, w))},
    {"invert 32", 4, 0, false, ROW(kernels_at(isa).invert_32(d, w))},
    {"invert alpha 32", 4, 0, false, ROW(kernels_at(isa).invert_alpha_32(d, w))},
    {"add alpha 32", 4, 0, false, ROW(kernels_at(isa).add_alpha_32(d, w, a.alpha))},
    {"set alpha 32", 4, 0, false, ROW(kernels_at(isa).set_alpha_32(d, w, uint8_t(a.alpha)))},
    {"flip 32", 4, 0, false, ROW(kernels_at(isa).flip_32(d, w))},
    {"colour sums 24", 3, 0, false, ROW(kernels_at(isa).sum_24(d, w, sums))},
};

// Alpha (and delta) arguments beyond a byte: the kernels must give the
// scalar kernel's wrapping or clamping, not their own.
const int32_t kExtremes[] = {-1, 256, -255, -256, 300, -300, 511, INT32_MIN, INT32_MAX, INT32_MIN + 1};

// Random row bytes; style 1 draws from {0, 255} so keys and opaque or
// transparent runs are common; styles 2 and 3 make the weight byte of each
// pixel (byte bpp - 1: a 32-bit alpha, a 24-bit mask's byte 2) nearly always
// 0 or 255, so whole vectors take the shortcuts.
void fill_row(std::vector<uint8_t>& v, size_t from, size_t n, int bpp, int style, std::mt19937& rng)
{
    for (size_t i = 0; i < n; ++i) {
        uint8_t b = static_cast<uint8_t>(rng());
        if (style == 1) b = (rng() & 1) ? 255 : 0;
        if (style >= 2 && bpp > 0 && i % bpp == static_cast<size_t>(bpp - 1) && rng() % 20 != 0)
            b = style == 2 ? 0 : 255;
        v[from + i] = b;
    }
}

class SimdKernels : public pixmill_test::IsaLevel {};

// Runs c at the level under test and at the scalar level on copies of the
// same bytes, laid out in one buffer at the given offsets (so dst may overlap
// src or mask), and compares every byte of the buffer and the sums.
void compare(const KernelCase& c, Isa isa, int32_t w, const Args& a, size_t dst_at, size_t src_at, size_t mask_at,
             int style, std::mt19937& rng)
{
    const size_t wz = static_cast<size_t>(w);
    size_t size = dst_at + wz * c.dst_bpp;
    if (c.src_bpp) size = std::max(size, src_at + wz * c.src_bpp);
    if (c.mask) size = std::max(size, mask_at + wz * 3);
    // Exactly the bytes in use, so a sanitized build catches any access past them.
    std::vector<uint8_t> want(size);
    fill_row(want, 0, size, 0, 0, rng);
    if (c.src_bpp) fill_row(want, src_at, wz * c.src_bpp, c.src_bpp, style, rng);
    if (c.mask) fill_row(want, mask_at, wz * 3, 3, style, rng);
    if (!c.src_bpp && !c.mask) fill_row(want, dst_at, wz * c.dst_bpp, c.dst_bpp, style, rng);
    std::vector<uint8_t> got = want;
    // Sums start near the top so the totals wrap.
    pixmill::ColourSums want_sums, got_sums;
    want_sums.red = got_sums.red = 0xFFFFFF00u;
    want_sums.green = got_sums.green = 7;
    want_sums.blue = got_sums.blue = 0xFFFFFFFFu;

    c.run(Isa::kScalar, want.data() + dst_at, want.data() + src_at, want.data() + mask_at, w, a, want_sums);
    c.run(isa, got.data() + dst_at, got.data() + src_at, got.data() + mask_at, w, a, got_sums);
    ASSERT_EQ(got, want) << c.name << " width " << w << " alpha " << a.alpha << " style " << style << " dst at "
                         << dst_at << " src at " << src_at << " mask at " << mask_at;
    ASSERT_EQ(got_sums.red, want_sums.red) << c.name << " width " << w;
    ASSERT_EQ(got_sums.green, want_sums.green) << c.name << " width " << w;
    ASSERT_EQ(got_sums.blue, want_sums.blue) << c.name << " width " << w;
}

// The same with the source and the mask after the destination, apart from it
// as the walk hands rows to vector kernels; one-surface kernels work in place.
void compare_apart(const KernelCase& c, Isa isa, int32_t w, const Args& a, int style, std::mt19937& rng)
{
    const size_t src_at = static_cast<size_t>(w) * c.dst_bpp;
    const size_t mask_at = src_at + static_cast<size_t>(w) * c.src_bpp;
    compare(c, isa, w, a, 0, c.src_bpp ? src_at : 0, c.mask ? mask_at : 0, style, rng);
}

Args random_args(int32_t alpha, std::mt19937& rng)
{
    auto byte = [&] { return static_cast<uint8_t>(rng() & 1 ? ((rng() & 1) ? 255 : 0) : rng()); };
    return {{byte(), byte(), byte()}, alpha, {byte(), byte(), byte()}};
}

}  // namespace

TEST_P(SimdKernels, EveryWidthAndAlphaGivesTheScalarBytes)
{
    const Isa isa = GetParam();
    // Four of the level's blocks of 24-bit pixels (a vector's bytes as whole
    // pixels) and an odd tail.
    const int32_t kMaxWidth = 4 * (isa == Isa::kAvx512 ? 64 : isa == Isa::kAvx2 ? 32 : 16) + 7;
    for (const KernelCase& c : kCases) {
        std::mt19937 rng(1234);
        int32_t next_alpha = 0;
        for (int32_t w = 0; w <= kMaxWidth; ++w)
            for (int trial = 0; trial < 3; ++trial) {
                // Walks through every alpha 0..255 as the widths go by.
                const int32_t alpha = next_alpha++ % 256;
                Args a = random_args(alpha, rng);
                const int style = trial == 0 ? static_cast<int>(w % 4) : static_cast<int>(rng() % 4);
                // Style 1 rows are made of bytes 0 and 255, as are most key
                // bytes, so key pixels are common there and rare elsewhere.
                compare_apart(c, isa, w, a, style, rng);
                if (HasFatalFailure()) return;
            }
        for (int32_t alpha : kExtremes)
            for (int32_t w : {1, 31, 64, 97, kMaxWidth}) {
                compare_apart(c, isa, w, random_args(alpha, rng), static_cast<int>(rng() % 4), rng);
                if (HasFatalFailure()) return;
            }
    }
}

TEST_P(SimdKernels, KeysPresentAndAbsent)
{
    const Isa isa = GetParam();
    std::mt19937 rng(99);
    for (const KernelCase& c : kCases) {
        if (c.src_bpp != 3) continue;
        for (int32_t w : {16, 17, 32, 47, 64, 100, 131, 192, 263})
            for (int trial = 0; trial < 8; ++trial) {
                // Source pixels drawn from two colours that differ in one
                // byte, the key being one of them or neither.
                const size_t n = 3 * static_cast<size_t>(w);
                std::vector<uint8_t> row(n);
                const uint8_t kinds[2][3] = {{10, 200, 30}, {10, 200, 31}};
                for (size_t i = 0; i < n; i += 3) {
                    const uint8_t* k = kinds[rng() % 2];
                    row[i] = k[0], row[i + 1] = k[1], row[i + 2] = k[2];
                }
                const uint8_t* key = trial % 3 == 2 ? kinds[0] : kinds[trial % 3];
                Args a{{key[0], key[1], static_cast<uint8_t>(trial % 3 == 2 ? 99 : key[2])}, int32_t(rng() % 256),
                       {1, 2, 3}};
                std::vector<uint8_t> want(4 * static_cast<size_t>(w) + n);
                fill_row(want, 0, want.size(), 0, 0, rng);
                std::copy(row.begin(), row.end(), want.end() - static_cast<ptrdiff_t>(n));
                std::vector<uint8_t> got = want;
                pixmill::ColourSums sums;
                const size_t src_at = want.size() - n;
                c.run(Isa::kScalar, want.data(), want.data() + src_at, want.data() + src_at, w, a, sums);
                c.run(isa, got.data(), got.data() + src_at, got.data() + src_at, w, a, sums);
                ASSERT_EQ(got, want) << c.name << " width " << w << " trial " << trial;
            }
    }
}

PIXMILL_INSTANTIATE_LEVELS(SimdKernels, PIXMILL_VECTOR_LEVELS);
