// The offsets' and the contrast's row kernels against the direct scalar
// kernels that define them, at every instruction-set level this CPU has, for
// calls on either side of the size where the kernels turn to tables: random
// rows of every width up to past four of the widest blocks, at every start
// within a 64-byte line, with the arguments' extremes, and for the contrast
// every byte under thousands of factors.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "filter/tone_rows.h"
#include "frame/kernels.h"
#include "simd_levels.h"
#include "test_surface.h"

using pixmill::Isa;

namespace {

using pixmill_test::random_bytes;

constexpr int32_t kMaxWidth = 4 * 64 + 7;  // four AVX-512 blocks of 24-bit pixels and an odd tail

// A call's pixel count: one too small for tables, or one large enough.
int64_t call_pixels(int k)
{
    return k % 2 ? 1 : int64_t{1} << 20;
}

const int32_t kOffsetExtremes[] = {0, 1, -1, 254, 255, 256, -255, -256, 40000, -40000, INT32_MIN, INT32_MAX};

const float kInf = std::numeric_limits<float>::infinity();
const float kFactorExtremes[] = {
    0.0f, -0.0f, 1.0f, -1.0f, 1.5f, -1.5f, 0.5f, 2.0f, 1e-30f, -1e-30f, 1e30f, -1e30f, kInf, -kInf,
    std::numeric_limits<float>::quiet_NaN(), FLT_MAX, -FLT_MAX, FLT_MIN, std::numeric_limits<float>::denorm_min(),
    256.0f, -256.0f, std::nextafter(256.0f, 0.0f), std::nextafter(256.0f, 512.0f), 257.0f, -254.0f,
    0x1p-24f, 0x1p-31f, 0x1p-32f, 1.0f / 3.0f, 1.0f / 127.0f, -1.0f / 128.0f, std::nextafter(1.0f / 3.0f, 1.0f)};

class SimdTone : public pixmill_test::IsaLevel {};

int32_t random_offset(std::mt19937& rng)
{
    return rng() % 3 ? static_cast<int32_t>(rng() % 601) - 300 : kOffsetExtremes[rng() % std::size(kOffsetExtremes)];
}

}  // namespace

// Each offset kernel at the level under test against the direct kernel.
// Keyed rows draw their pixels from two colours that differ in one byte, the
// key being one of them (or, every third row, neither).
TEST_P(SimdTone, OffsetsGiveTheScalarBytes)
{
    const pixmill::Kernels& k = pixmill::kernels_at(GetParam());
    std::mt19937 rng(21);
    size_t extreme = 0;
    for (int32_t w = 0; w <= kMaxWidth; ++w)
        for (int trial = 0; trial < 4; ++trial) {
            pixmill::ChannelOffsets o{random_offset(rng), random_offset(rng), random_offset(rng), random_offset(rng)};
            // Every extreme on every channel as the widths go by.
            (&o.red)[extreme % 4] = kOffsetExtremes[extreme / 4 % std::size(kOffsetExtremes)];
            ++extreme;
            pixmill::OffsetCall call(o, call_pixels(w + trial));
            const size_t start = rng() % 64, n = static_cast<size_t>(w);
            for (int bpp : {3, 4}) {
                std::vector<uint8_t> want = random_bytes(start + bpp * n, rng), got = want;
                uint8_t* row = want.data() + start;
                if (bpp == 4) {
                    pixmill::offset_row_32(row, w, o);
                    k.offset_32(got.data() + start, w, call);
                    ASSERT_EQ(got, want) << "32-bit width " << w << " start " << start;
                    continue;
                }
                pixmill::offset_row_24(row, w, o);
                k.offset_24(got.data() + start, w, call);
                ASSERT_EQ(got, want) << "24-bit width " << w << " start " << start;

                const uint8_t colours[2][3] = {{9, 200, uint8_t(rng())}, {9, 200, 31}};
                for (size_t i = 0; i < n; ++i) std::memcpy(row + 3 * i, colours[rng() % 2], 3);
                const uint8_t* key = colours[trial % 2];
                const pixmill::ColorKey c{key[0], key[1], static_cast<uint8_t>(trial == 2 ? 99 : key[2])};
                got = want;
                pixmill::offset_row_24_keyed(row, w, o, c);
                k.offset_24_keyed(got.data() + start, w, call, c);
                ASSERT_EQ(got, want) << "keyed width " << w << " start " << start << " trial " << trial;
            }
        }
}

// The contrast kernel at the level under test against the direct kernel,
// every width and start, the extreme factors in turn with random ones.
TEST_P(SimdTone, ContrastGivesTheScalarBytes)
{
    const pixmill::Kernels& k = pixmill::kernels_at(GetParam());
    std::mt19937 rng(22);
    size_t extreme = 0;
    for (int32_t w = 0; w <= kMaxWidth; ++w)
        for (int trial = 0; trial < 3; ++trial) {
            const float f = trial ? kFactorExtremes[extreme++ % std::size(kFactorExtremes)]
                                  : std::uniform_real_distribution<float>(-3.0f, 3.0f)(rng);
            pixmill::ContrastCall call(f, call_pixels(w + trial));
            const size_t start = rng() % 64;
            std::vector<uint8_t> want = random_bytes(start + 3 * static_cast<size_t>(w), rng), got = want;
            pixmill::contrast_row_24(want.data() + start, w, f);
            k.contrast_24(got.data() + start, w, call);
            ASSERT_EQ(got, want) << "factor " << f << " width " << w << " start " << start;
        }
}

// Every byte value under factors that put products on whole numbers and just
// beside them (where truncation turns), random factors of every size and
// sign, and random bit patterns (infinities, NaNs and subnormals included).
TEST_P(SimdTone, ContrastEveryByteUnderThousandsOfFactors)
{
    const pixmill::Kernels& k = pixmill::kernels_at(GetParam());
    std::vector<float> factors(std::begin(kFactorExtremes), std::end(kFactorExtremes));
    for (int num = -300; num <= 300; num += 7)
        for (int den : {1, 2, 3, 7, 64, 100, 127, 128}) {
            const float f = static_cast<float>(num) / static_cast<float>(den);
            factors.insert(factors.end(), {f, std::nextafter(f, -kInf), std::nextafter(f, kInf)});
        }
    std::mt19937 rng(23);
    for (int i = 0; i < 1500; ++i) {
        factors.push_back(std::ldexp(std::uniform_real_distribution<float>(-1.0f, 1.0f)(rng), int(rng() % 20) - 10));
        const uint32_t bits = rng();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        factors.push_back(f);
    }
    // 256 pixels whose three channels each run through every byte, at another start each.
    std::vector<uint8_t> row(3 * 256);
    for (int i = 0; i < 256; ++i)
        for (int c = 0; c < 3; ++c) row[3 * i + c] = static_cast<uint8_t>(i + 85 * c);
    for (float f : factors) {
        pixmill::ContrastCall call(f, call_pixels(0));
        std::vector<uint8_t> got = row;
        k.contrast_24(got.data(), 256, call);
        for (size_t i = 0; i < row.size(); ++i)
            ASSERT_EQ(got[i], pixmill::contrast_byte(row[i], f)) << "factor " << f << " byte " << int(row[i]);
    }
    EXPECT_GT(factors.size(), 4000u);
}

// The scalar level runs the kernels' table and direct forms.
PIXMILL_INSTANTIATE_LEVELS(SimdTone, testing::ValuesIn(pixmill::kAllIsas));
