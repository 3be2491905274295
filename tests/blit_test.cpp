// Block transfers, plain, keyed, with constant alpha and through masks:
// worked pixels, and random calls against the pixel model.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>

#include "blit_model.h"
#include "frame/arith.h"

using pixmill::Block;
using pixmill_test::Extra;
using pixmill_test::TestSurface;

namespace {

using BlitFn = int32_t(PIXMILL_CALL*)(Surface*, int32_t, int32_t, int32_t, int32_t, Surface*, int32_t, int32_t);
using MaskFn = int32_t(PIXMILL_CALL*)(Surface*, int32_t, int32_t, int32_t, int32_t, Surface*, int32_t, int32_t,
                                      Surface*);

// An export taking the block alone, or the block and a mask, as the model calls it.
auto plain(BlitFn fn)
{
    return [fn](Surface* d, const Block& b, Surface* s, Surface*, const Extra&) {
        EXPECT_EQ(fn(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy), 0);
    };
}
auto masked(MaskFn fn)
{
    return [fn](Surface* d, const Block& b, Surface* s, Surface* m, const Extra&) {
        EXPECT_EQ(fn(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, m), 0);
    };
}

// The four exports, called with the block and extra arguments of a test.
void tcolor(Surface* d, const Block& b, Surface* s, Surface*, const Extra& e)
{
    EXPECT_EQ(Render_BitBlt24to24TColor(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, e.red, e.green, e.blue), 0);
}
void alpha(Surface* d, const Block& b, Surface* s, Surface*, const Extra& e)
{
    EXPECT_EQ(Render_BitBlt24to24Alpha(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, e.alpha), 0);
}
void tcolor_alpha(Surface* d, const Block& b, Surface* s, Surface*, const Extra& e)
{
    EXPECT_EQ(Render_BitBlt24to24TColorAlpha(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, e.red, e.green, e.blue, e.alpha),
              0);
}
void stamp(Surface* d, const Block& b, Surface* s, Surface*, const Extra& e)
{
    EXPECT_EQ(Render_BitBlt24to32Alpha(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, e.alpha), 0);
}


std::vector<uint8_t> bytes(std::initializer_list<int> v) { return {v.begin(), v.end()}; }

// The source-alpha blend of bytes 0 to 2; false (nothing written) for alpha 0.
bool blend_by_source_alpha(uint8_t* d, const uint8_t* s)
{
    for (int k = 0; k < 3 && s[3] != 0; ++k) d[k] = pixmill::blend255(s[k], d[k], s[3]);
    return s[3] != 0;
}

}  // namespace

TEST(BitBlt, WorkedPixels)
{
    struct Case {
        const char* what;
        BlitFn fn;
        int src_bits, dst_bits;
        std::vector<int> src, dst, result;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
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

// The plain transfers (24to24 not on itself: its rows move in 8-byte blocks,
// which the test above covers).
TEST(BitBlt, RandomCallsMatchThePixelModel)
{
    const pixmill_test::ExportCase cases[] = {
        {"24to24", 24, 24, false, plain(Render_BitBlt24to24),
         [](uint8_t* d, const uint8_t* s, const uint8_t*, const Extra&) { d[0] = s[0], d[1] = s[1], d[2] = s[2]; },
         false},
        {"24to32", 24, 32, false, plain(Render_BitBlt24to32),
         [](uint8_t* d, const uint8_t* s, const uint8_t*, const Extra&) { d[0] = s[0], d[1] = s[1], d[2] = s[2]; }},
        {"32to24", 32, 24, false, plain(Render_BitBlt32to24),
         [](uint8_t* d, const uint8_t* s, const uint8_t*, const Extra&) { blend_by_source_alpha(d, s); }},
        {"32to32", 32, 32, false, plain(Render_BitBlt32to32),
         [](uint8_t* d, const uint8_t* s, const uint8_t*, const Extra&) {
             if (blend_by_source_alpha(d, s)) d[3] = std::max(d[3], s[3]);
         }},
    };
    for (const auto& c : cases) pixmill_test::check_random_calls(c, 3);
}

TEST(KeyedBlit, WorkedPixels)
{
    using Call = void (*)(Surface*, const Block&, Surface*, Surface*, const Extra&);
    struct Case {
        const char* what;
        Call call;
        Extra e;
        std::vector<int> src, dst, result;
    };
    const Case cases[] = {
        {"key pixel skipped", tcolor, {255, 0, 255, 0}, {255, 0, 255}, {1, 2, 3}, {1, 2, 3}},
        {"red byte off the key by one: copied", tcolor, {255, 0, 255, 0}, {255, 0, 254}, {1, 2, 3}, {255, 0, 254}},
        {"only the low byte of a key argument counts", tcolor, {0x1FF, 0x300, 0xFF, 0}, {255, 0, 255}, {1, 2, 3},
         {1, 2, 3}},
        {"blue key matches bytes (255, 0, 0)", tcolor, {0, 0, 255, 0}, {255, 0, 0}, {1, 2, 3}, {1, 2, 3}},
        {"key compared with the source, not the destination", tcolor, {3, 2, 1, 0}, {7, 8, 9}, {1, 2, 3}, {7, 8, 9}},
        {"alpha 255 copies", alpha, {0, 0, 0, 255}, {10, 20, 30}, {200, 100, 0}, {10, 20, 30}},
        {"alpha 0 keeps the destination", alpha, {0, 0, 0, 0}, {10, 20, 30}, {200, 100, 0}, {200, 100, 0}},
        {"alpha 128", alpha, {0, 0, 0, 128}, {255, 0, 100}, {0, 255, 200}, {128, 127, 149}},
        {"alpha 100", alpha, {0, 0, 0, 100}, {100, 0, 0}, {200, 0, 0}, {160, 0, 0}},
        // Out of range the whole alpha enters the products; the quotient
        // truncates toward zero and its low byte is stored.
        {"alpha 300 used whole", alpha, {0, 0, 0, 300}, {200, 0, 0}, {100, 0, 0}, {217, 0, 0}},
        {"alpha -100 truncates toward zero", alpha, {0, 0, 0, -100}, {200, 0, 0}, {0, 0, 0}, {178, 0, 0}},
        {"keyed alpha skips the key", tcolor_alpha, {30, 20, 10, 128}, {10, 20, 30}, {0, 0, 0}, {0, 0, 0}},
        {"keyed alpha blends the rest", tcolor_alpha, {30, 20, 10, 128}, {255, 20, 30}, {0, 0, 0}, {128, 10, 15}},
        {"keyed alpha 255 copies", tcolor_alpha, {30, 20, 10, 255}, {255, 20, 30}, {0, 0, 0}, {255, 20, 30}},
        {"24to32Alpha stamps the low byte", stamp, {0, 0, 0, 0x1C0}, {1, 2, 3}, {9, 9, 9, 9}, {1, 2, 3, 0xC0}},
    };
    for (const Case& c : cases) {
        TestSurface src(1, 1, 24), dst(1, 1, 8 * static_cast<int>(c.dst.size()));
        src.set(0, 0, c.src);
        dst.set(0, 0, c.dst);
        c.call(dst.get(), {0, 0, 1, 1, 0, 0}, src.get(), nullptr, c.e);
        EXPECT_EQ(dst.pixel(0, 0), std::vector<uint8_t>(c.result.begin(), c.result.end())) << c.what;
    }
}

TEST(KeyedBlit, RandomCallsMatchThePixelModel)
{
    using pixmill::blend255;
    const pixmill_test::ExportCase cases[] = {
        {"24to24TColor", 24, 24, false, tcolor,
         [](uint8_t* d, const uint8_t* s, const uint8_t*, const Extra& e) {
             if (!e.is_key(s)) d[0] = s[0], d[1] = s[1], d[2] = s[2];
         }},
        {"24to24Alpha", 24, 24, false, alpha,
         [](uint8_t* d, const uint8_t* s, const uint8_t*, const Extra& e) {
             for (int k = 0; k < 3; ++k) d[k] = blend255(s[k], d[k], e.alpha);
         }},
        {"24to24TColorAlpha", 24, 24, false, tcolor_alpha,
         [](uint8_t* d, const uint8_t* s, const uint8_t*, const Extra& e) {
             for (int k = 0; k < 3 && !e.is_key(s); ++k) d[k] = blend255(s[k], d[k], e.alpha);
         }},
        {"24to32Alpha", 24, 32, false, stamp,
         [](uint8_t* d, const uint8_t* s, const uint8_t*, const Extra& e) {
             d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = uint8_t(e.alpha);
         }},
    };
    for (const auto& c : cases) pixmill_test::check_random_calls(c, 7);
}

TEST(MaskBlit, WorkedPixels)
{
    TestSurface s24(1, 1, 24), s32(1, 1, 32), d24(1, 1, 24), d32(1, 1, 32), mask(1, 1, 24);
    s32.set(0, 0, {1, 2, 3, 200});
    EXPECT_EQ(Render_BitBlt32Maskto24(d24.get(), 0, 0, 1, 1, s32.get(), 0, 0), 0);
    EXPECT_EQ(d24.pixel(0, 0), bytes({200, 200, 200}));
    s24.set(0, 0, {10, 20, 30});
    d32.set(0, 0, {1, 2, 3, 4});
    EXPECT_EQ(Render_BitBlt24to32Mask(d32.get(), 0, 0, 1, 1, s24.get(), 0, 0), 0);
    EXPECT_EQ(d32.pixel(0, 0), bytes({1, 2, 3, 30}));

    // Through a mask, whose byte 2 alone counts: 24to24 result, 24to32 result.
    struct Case {
        std::vector<int> mask, src, dst, onto24, onto32;
    };
    const Case cases[] = {
        {{255, 255, 0}, {10, 20, 30}, {1, 2, 3}, {1, 2, 3}, {10, 20, 30, 0}},
        {{0, 0, 255}, {10, 20, 30}, {1, 2, 3}, {10, 20, 30}, {10, 20, 30, 255}},
        {{0, 0, 128}, {255, 0, 100}, {0, 255, 200}, {128, 127, 149}, {255, 0, 100, 128}},
    };
    for (const Case& c : cases) {
        mask.set(0, 0, c.mask);
        s24.set(0, 0, c.src);
        d24.set(0, 0, c.dst);
        d32.set(0, 0, {c.dst[0], c.dst[1], c.dst[2], 77});
        EXPECT_EQ(Render_BitBlt24to24Mask24(d24.get(), 0, 0, 1, 1, s24.get(), 0, 0, mask.get()), 0);
        EXPECT_EQ(Render_BitBlt24to32Mask24(d32.get(), 0, 0, 1, 1, s24.get(), 0, 0, mask.get()), 0);
        EXPECT_EQ(d24.pixel(0, 0), std::vector<uint8_t>(c.onto24.begin(), c.onto24.end())) << c.mask[2];
        EXPECT_EQ(d32.pixel(0, 0), std::vector<uint8_t>(c.onto32.begin(), c.onto32.end())) << c.mask[2];
    }
}

TEST(MaskBlit, PixelsWithoutAMaskPixelAreLeftAlone)
{
    // Masks shorter or narrower than the 4 x 4 source area read (a padded row
    // ending inside a pixel does not hold it), and missing masks. A short mask
    // still pairs its array rows with the source's from the bottom up.
    struct Case {
        int mask_w, mask_h, mask_pad, drawn_cols, drawn_rows;  // drawn from the left and from the bottom
    };
    const Case cases[] = {{4, 4, 0, 4, 4}, {4, 2, 0, 4, 2}, {2, 4, 2, 2, 4}, {2, 4, 3, 3, 4},
                          {1, 1, 0, 1, 1}, {0, 4, 0, 0, 0}, {4, 0, 0, 0, 0}};
    for (MaskFn fn : {Render_BitBlt24to24Mask24, Render_BitBlt24to32Mask24}) {
        const int dbits = fn == Render_BitBlt24to24Mask24 ? 24 : 32;
        for (const Case& c : cases) {
            TestSurface src(4, 4, 24), mask(c.mask_w, c.mask_h, 24, c.mask_pad), dst(4, 4, dbits);
            src.fill(200);
            mask.fill(255);
            dst.fill(7);
            fn(dst.get(), 0, 0, 4, 4, src.get(), 0, 0, mask.get());
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x)
                    EXPECT_EQ(dst.px(x, y)[0], x < c.drawn_cols && 3 - y < c.drawn_rows ? 200 : 7)
                        << dbits << " mask " << c.mask_w << "x" << c.mask_h << "+" << c.mask_pad << " " << x << y;
        }
        TestSurface src(2, 2, 24), dst(2, 2, dbits);
        dst.fill(7);
        Surface no_array{2, 0, nullptr};
        fn(dst.get(), 0, 0, 2, 2, src.get(), 0, 0, &no_array);
        fn(dst.get(), 0, 0, 2, 2, src.get(), 0, 0, nullptr);
        EXPECT_EQ(dst.bytes(), std::vector<uint8_t>(dst.bytes().size(), 7));
    }
}

TEST(MaskBlit, RandomCallsMatchThePixelModel)
{
    const pixmill_test::ExportCase cases[] = {
        {"32Maskto24", 32, 24, false, plain(Render_BitBlt32Maskto24),
         [](uint8_t* d, const uint8_t* s, const uint8_t*, const Extra&) { d[0] = d[1] = d[2] = s[3]; }},
        {"24to32Mask", 24, 32, false, plain(Render_BitBlt24to32Mask),
         [](uint8_t* d, const uint8_t* s, const uint8_t*, const Extra&) { d[3] = s[2]; }},
        {"24to24Mask24", 24, 24, true, masked(Render_BitBlt24to24Mask24),
         [](uint8_t* d, const uint8_t* s, const uint8_t* m, const Extra&) {
             for (int k = 0; k < 3; ++k) d[k] = pixmill::blend255(s[k], d[k], m[2]);
         }},
        {"24to32Mask24", 24, 32, true, masked(Render_BitBlt24to32Mask24),
         [](uint8_t* d, const uint8_t* s, const uint8_t* m, const Extra&) {
             d[0] = s[0], d[1] = s[1], d[2] = s[2], d[3] = m[2];
         }},
    };
    for (const auto& c : cases) pixmill_test::check_random_calls(c, 11);
}
