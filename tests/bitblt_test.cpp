// The four plain block transfers.
#include <gtest/gtest.h>

#include <numeric>
#include <random>

#include "draw_check.h"
#include "frame/arith.h"
#include "frame/clip.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

namespace {

using BlitFn = int32_t(PIXMILL_CALL*)(Surface*, int32_t, int32_t, int32_t, int32_t, Surface*, int32_t, int32_t);

// One pixel of each worked example: source onto destination gives result.
struct PixelCase {
    const char* what;
    BlitFn fn;
    int src_bits, dst_bits;
    std::vector<int> src, dst, result;
};

}  // namespace

TEST(BitBlt, WorkedPixels)
{
    const PixelCase cases[] = {
        {"24to24 copies", Render_BitBlt24to24, 24, 24, {1, 2, 3}, {9, 9, 9}, {1, 2, 3}},
        {"24to32 keeps alpha", Render_BitBlt24to32, 24, 32, {1, 2, 3}, {9, 9, 9, 77}, {1, 2, 3, 77}},
        {"32to32 opaque", Render_BitBlt32to32, 32, 32, {10, 20, 30, 255}, {200, 200, 200, 7}, {10, 20, 30, 255}},
        {"32to24 opaque", Render_BitBlt32to24, 32, 24, {10, 20, 30, 255}, {200, 200, 200}, {10, 20, 30}},
        {"32to32 keeps the larger alpha", Render_BitBlt32to32, 32, 32, {255, 0, 0, 128}, {0, 255, 0, 200},
         {128, 127, 0, 200}},
        {"32to32 raises a smaller alpha", Render_BitBlt32to32, 32, 32, {255, 0, 0, 128}, {0, 255, 0, 50},
         {128, 127, 0, 128}},
        {"32to24 blends", Render_BitBlt32to24, 32, 24, {255, 0, 100, 128}, {0, 255, 200}, {128, 127, 149}},
        {"32to32 alpha 0 leaves the pixel", Render_BitBlt32to32, 32, 32, {1, 2, 3, 0}, {9, 8, 7, 6}, {9, 8, 7, 6}},
        {"32to24 alpha 0 leaves the pixel", Render_BitBlt32to24, 32, 24, {1, 2, 3, 0}, {9, 8, 7}, {9, 8, 7}},
    };
    for (const PixelCase& c : cases) {
        TestSurface src(1, 1, c.src_bits), dst(1, 1, c.dst_bits);
        src.set(0, 0, c.src);
        dst.set(0, 0, c.dst);
        EXPECT_EQ(c.fn(dst.get(), 0, 0, 1, 1, src.get(), 0, 0), 0);
        std::vector<uint8_t> expect(c.result.begin(), c.result.end());
        EXPECT_EQ(dst.pixel(0, 0), expect) << c.what;
    }
}

TEST(BitBlt, SameSurfaceOverlapFollowsTheForwardBlockCopy)
{
    // Bytes 0..23 in one row; 5 pixels copied one pixel to the right: one
    // 8-byte block and 7 single bytes, each reading what was just written.
    TestSurface s(8, 1, 24);
    std::iota(s.bytes().begin(), s.bytes().end(), 0);
    Render_BitBlt24to24(s.get(), 1, 0, 5, 1, s.get(), 0, 0);
    const std::vector<uint8_t> expect = {0, 1, 2, 0, 1, 2, 3, 1, 2, 3, 7, 2,
                                         3, 7, 2, 3, 7, 2, 18, 19, 20, 21, 22, 23};
    EXPECT_EQ(s.bytes(), expect);
}

TEST(BitBlt, SameSurfaceRowsAreWalkedTopDown)
{
    // Copying a 1-wide column one row down repeats the top pixel: each row
    // reads the row above it after that row was written.
    TestSurface s(1, 4, 32);
    for (int y = 0; y < 4; ++y) s.set(0, y, {y, y, y, 255});
    Render_BitBlt32to32(s.get(), 0, 1, 1, 3, s.get(), 0, 0);
    for (int y = 0; y < 4; ++y) EXPECT_EQ(s.px(0, y)[0], 0) << y;
}

// Random surfaces with padded rows and random rectangles: every pixel inside
// the clipped rectangle follows its source pixel, every byte outside it (row
// padding included) is untouched.
TEST(BitBlt, RandomRectanglesTouchExactlyTheClippedArea)
{
    const struct Fmt {
        BlitFn fn;
        int sbits, dbits;
    } fmts[] = {{Render_BitBlt24to24, 24, 24}, {Render_BitBlt24to32, 24, 32}, {Render_BitBlt32to24, 32, 24},
                {Render_BitBlt32to32, 32, 32}};
    std::mt19937 rng(42);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (const Fmt& f : fmts) {
        for (int iter = 0; iter < 300; ++iter) {
            TestSurface src(pick(1, 23), pick(1, 9), f.sbits, pick(0, 5));
            TestSurface dst(pick(1, 23), pick(1, 9), f.dbits, pick(0, 5));
            src.fill_random(rng);
            dst.fill_random(rng);
            const auto before = dst.bytes();
            pixmill::Block b{pick(-8, 25), pick(-5, 10), pick(-2, 30), pick(-2, 12), pick(-8, 25), pick(-5, 10)};
            f.fn(dst.get(), b.dx, b.dy, b.w, b.h, src.get(), b.sx, b.sy);
            const bool draws = pixmill::clip_block(b, dst.width(), dst.height(), src.width(), src.height());
            draw_test::check_every_byte(dst, before, f.dbits / 8, [&](int x, int y, int k, uint8_t old) -> int {
                if (!draws || x < b.dx || x >= b.dx + b.w || y < b.dy || y >= b.dy + b.h) return old;
                const uint8_t* s = src.px(b.sx + x - b.dx, b.sy + y - b.dy);
                if (f.sbits == 24) return k < 3 ? s[k] : old;
                return k < 3 ? pixmill::blend255(s[k], old, s[3]) : s[3] == 0 ? old : std::max<int>(old, s[3]);
            });
        }
    }
}
