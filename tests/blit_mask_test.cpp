// Alpha to grey, grey to alpha, and copies through an unclipped 24-bit mask.
#include <gtest/gtest.h>

#include "blit_model.h"
#include "frame/arith.h"

using pixmill::Block;
using pixmill_test::Extra;
using pixmill_test::TestSurface;

namespace {

using MaskFn = int32_t(PIXMILL_CALL*)(Surface*, int32_t, int32_t, int32_t, int32_t, Surface*, int32_t, int32_t,
                                      Surface*);

std::vector<uint8_t> bytes(std::initializer_list<int> v) { return {v.begin(), v.end()}; }

}  // namespace

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
    auto plain = [](auto fn) {
        return [fn](Surface* d, const Block& b, Surface* s, Surface*, const Extra&) {
            EXPECT_EQ(fn(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy), 0);
        };
    };
    auto masked = [](MaskFn fn) {
        return [fn](Surface* d, const Block& b, Surface* s, Surface* m, const Extra&) {
            EXPECT_EQ(fn(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, m), 0);
        };
    };
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
