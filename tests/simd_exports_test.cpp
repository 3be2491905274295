// Whole exports, which pick their kernels from the CPU, against the same clip
// and row walk driven by the scalar kernels: random padded surfaces wide
// enough for several vectors per row, random rectangles (clipped ones
// included) and same-surface calls.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "blit/blit_rows.h"
#include "blit/key_rows.h"
#include "blit/mask_rows.h"
#include "draw/draw_rows.h"
#include "filter/channel_rows.h"
#include "filter/colour_sum_rows.h"
#include "frame/rect_walk.h"
#include "frame/walk.h"
#include "test_surface.h"

using namespace pixmill;
using pixmill_test::TestSurface;

namespace {

struct Extra {
    int32_t red, green, blue, alpha;
};

// One way of doing the call: the export itself, or the frame with scalar
// kernels. sums receives Render_CalcColor24's three variables.
using Call = void (*)(Surface* d, Surface* s, Surface* m, Block b, const Extra& e, int32_t sums[3]);

struct ExportCase {
    const char* name;
    int dbits, sbits;  // sbits 0: one surface
    bool mask;
    Call exported, scalar;
};

#define CALL(...) [](Surface* d, Surface* s, Surface* m, Block b, const Extra& e, int32_t sums[3]) { \
    (void)s, (void)m, (void)b, (void)e, (void)sums; __VA_ARGS__; }

template <class RowFn>
void scalar_through_mask(Surface* d, PixelFormat df, Surface* s, Surface* m, Block b, RowFn row)
{
    const SurfaceView dv = read_surface(d, df), sv = read_surface(s, kBgr24), mv = read_surface(m, kBgr24);
    BlockRows r;
    if (prepare_block(dv, sv, b, r)) walk_rows_masked(r, sv.rows, mv, row);
}

// The outline's four lines, each a one-surface walk of the clipped rectangle's border.
template <class RowFn>
void scalar_outline(Surface* d, PixelFormat f, Block b, RowFn row)
{
    Rect r{b.dx, b.dy, b.w, b.h};
    const SurfaceView v = read_surface(d, f);
    if (!clip_rect(r, v.width, v.rows)) return;
    for (Rect line : {Rect{r.x, r.y, r.w, 1}, Rect{r.x, r.y + r.h - 1, r.w, 1}, Rect{r.x, r.y, 1, r.h},
                      Rect{r.x + r.w - 1, r.y, 1, r.h}})
        for_each_rect_row(d, f, line, row);
}

Rect rect(const Block& b)
{
    return {b.dx, b.dy, b.w, b.h};
}

ColorKey key(const Extra& e)
{
    return make_key(e.red, e.green, e.blue);
}

Bgr colour(const Extra& e)
{
    return colour_bytes(e.red, e.green, e.blue);
}

const ExportCase kExports[] = {
    {"BitBlt24to32", 32, 24, false, CALL(Render_BitBlt24to32(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy)),
     CALL(blit(d, kBgra32, s, kBgr24, b, copy_row_24to32))},
    {"BitBlt32to24", 24, 32, false, CALL(Render_BitBlt32to24(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy)),
     CALL(blit(d, kBgr24, s, kBgra32, b, blend_row_32to24))},
    {"BitBlt32to32", 32, 32, false, CALL(Render_BitBlt32to32(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy)),
     CALL(blit(d, kBgra32, s, kBgra32, b, blend_row_32to32))},
    {"BitBlt24to24TColor", 24, 24, false,
     CALL(Render_BitBlt24to24TColor(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, e.red, e.green, e.blue)),
     CALL(blit(d, kBgr24, s, kBgr24, b, [&](uint8_t* dr, const uint8_t* sr, int32_t n) {
         key_row_24to24(dr, sr, n, key(e));
     }))},
    {"BitBlt24to24Alpha", 24, 24, false,
     CALL(Render_BitBlt24to24Alpha(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, e.alpha)),
     CALL(blit(d, kBgr24, s, kBgr24, b, [&](uint8_t* dr, const uint8_t* sr, int32_t n) {
         alpha_row_24to24(dr, sr, n, e.alpha);
     }))},
    {"BitBlt24to24TColorAlpha", 24, 24, false,
     CALL(Render_BitBlt24to24TColorAlpha(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, e.red, e.green, e.blue, e.alpha)),
     CALL(blit(d, kBgr24, s, kBgr24, b, [&](uint8_t* dr, const uint8_t* sr, int32_t n) {
         key_alpha_row_24to24(dr, sr, n, key(e), e.alpha);
     }))},
    {"BitBlt24to32Alpha", 32, 24, false,
     CALL(Render_BitBlt24to32Alpha(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, e.alpha)),
     CALL(blit(d, kBgra32, s, kBgr24, b, [&](uint8_t* dr, const uint8_t* sr, int32_t n) {
         stamp_row_24to32(dr, sr, n, uint8_t(e.alpha));
     }))},
    {"BitBlt24to32TColorAlphaPostProcess without passes", 32, 24, false,
     CALL(Render_BitBlt24to32TColorAlphaPostProcess(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, e.red, e.green, e.blue,
                                                    e.alpha, 0)),
     CALL(blit(d, kBgra32, s, kBgr24, b, [&](uint8_t* dr, const uint8_t* sr, int32_t n) {
         key_stamp_row_24to32(dr, sr, n, key(e), uint8_t(e.alpha));
     }))},
    {"BitBlt32Maskto24", 24, 32, false, CALL(Render_BitBlt32Maskto24(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy)),
     CALL(blit(d, kBgr24, s, kBgra32, b, alpha_to_grey_row_32to24))},
    {"BitBlt24to32Mask", 32, 24, false, CALL(Render_BitBlt24to32Mask(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy)),
     CALL(blit(d, kBgra32, s, kBgr24, b, red_to_alpha_row_24to32))},
    {"BitBlt24to24Mask24", 24, 24, true, CALL(Render_BitBlt24to24Mask24(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, m)),
     CALL(scalar_through_mask(d, kBgr24, s, m, b, mask_blend_row_24to24))},
    {"BitBlt24to32Mask24", 32, 24, true, CALL(Render_BitBlt24to32Mask24(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, m)),
     CALL(scalar_through_mask(d, kBgra32, s, m, b, mask_alpha_row_24to32))},
    {"DrawBar24", 24, 0, false, CALL(Render_DrawBar24(d, b.dx, b.dy, b.w, b.h, e.red, e.green, e.blue)),
     CALL(for_each_rect_row(d, kBgr24, rect(b), [&](uint8_t* r, int32_t n) { fill_row_24(r, n, colour(e)); }))},
    {"DrawBar32", 32, 0, false, CALL(Render_DrawBar32(d, b.dx, b.dy, b.w, b.h, e.red, e.green, e.blue)),
     CALL(for_each_rect_row(d, kBgra32, rect(b), [&](uint8_t* r, int32_t n) { fill_row_32(r, n, colour(e)); }))},
    {"DrawBar32AlphaT", 32, 0, false,
     CALL(Render_DrawBar32AlphaT(d, b.dx, b.dy, b.w, b.h, e.red, e.green, e.blue, e.alpha)),
     CALL(for_each_rect_row(d, kBgra32, rect(b), [&](uint8_t* r, int32_t n) {
         fill_row_32_alpha_byte(r, n, colour(e), uint8_t(e.alpha));
     }))},
    {"DrawBar24Alpha", 24, 0, false,
     CALL(Render_DrawBar24Alpha(d, b.dx, b.dy, b.w, b.h, e.red, e.green, e.blue, e.alpha)),
     CALL(for_each_rect_row(d, kBgr24, rect(b), [&](uint8_t* r, int32_t n) {
         blend_row_24(r, n, const_blend(colour(e), e.alpha));
     }))},
    {"DrawBar32Alpha", 32, 0, false,
     CALL(Render_DrawBar32Alpha(d, b.dx, b.dy, b.w, b.h, e.red, e.green, e.blue, e.alpha)),
     CALL(for_each_rect_row(d, kBgra32, rect(b), [&](uint8_t* r, int32_t n) {
         blend_row_32(r, n, const_blend(colour(e), e.alpha));
     }))},
    {"DrawBar24Mask24", 24, 24, false,
     CALL(Render_DrawBar24Mask24(d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy, e.red, e.green, e.blue)),
     CALL(blit(d, kBgr24, s, kBgr24, b, [&](uint8_t* r, const uint8_t* mr, int32_t n) {
         mask_blend_row_24(r, mr, n, colour(e));
     }))},
    {"DrawRect24", 24, 0, false, CALL(Render_DrawRect24(d, b.dx, b.dy, b.w, b.h, e.red, e.green, e.blue)),
     CALL(scalar_outline(d, kBgr24, b, [&](uint8_t* r, int32_t n) { fill_row_24(r, n, colour(e)); }))},
    {"DrawRect32Alpha", 32, 0, false,
     CALL(Render_DrawRect32Alpha(d, b.dx, b.dy, b.w, b.h, e.red, e.green, e.blue, e.alpha)),
     CALL(scalar_outline(d, kBgra32, b, [&](uint8_t* r, int32_t n) {
         blend_row_32(r, n, const_blend(colour(e), e.alpha));
     }))},
    {"Invert24", 24, 0, false, CALL(Render_Invert24(d, b.dx, b.dy, b.w, b.h)),
     CALL(for_each_rect_row(d, kBgr24, rect(b), invert_row_24))},
    {"Invert32", 32, 0, false, CALL(Render_Invert32(d, b.dx, b.dy, b.w, b.h)),
     CALL(for_each_rect_row(d, kBgra32, rect(b), invert_row_32))},
    {"InvertAlpha32", 32, 0, false, CALL(Render_InvertAlpha32(d, b.dx, b.dy, b.w, b.h)),
     CALL(for_each_rect_row(d, kBgra32, rect(b), invert_alpha_row_32))},
    {"AlphaAdd32", 32, 0, false, CALL(Render_AlphaAdd32(d, b.dx, b.dy, b.w, b.h, e.alpha - 128)),
     CALL(for_each_rect_row(d, kBgra32, rect(b),
                            [&](uint8_t* r, int32_t n) { add_alpha_row_32(r, n, e.alpha - 128); }))},
    {"HorizontalFlip32", 32, 0, false, CALL(Render_HorizontalFlip32(d, b.dx, b.dy, b.w, b.h)),
     CALL(for_each_rect_row(d, kBgra32, rect(b), flip_row_32))},
    {"Set32Alpha", 32, 0, false, CALL(Render_Set32Alpha(d, e.alpha)), CALL({
         const SurfaceView v = read_surface(d, kBgra32);
         for (int32_t j = 0; j < v.rows && v.stride > 0; ++j)
             set_alpha_row_32(v.data + j * v.stride_bytes, v.stride, uint8_t(e.alpha));
     })},
    {"CalcColor24", 24, 0, false, CALL(Render_CalcColor24(d, b.dx, b.dy, b.w, b.h, &sums[0], &sums[1], &sums[2])),
     CALL({
         ColourSums c;
         for_each_rect_row(d, kBgr24, rect(b), [&](uint8_t* r, int32_t n) { sum_row_24(r, n, c); });
         sums[0] = int32_t(c.red), sums[1] = int32_t(c.green), sums[2] = int32_t(c.blue);
     })},
};

}  // namespace

TEST(SimdExports, ExportsGiveTheScalarWalksBytes)
{
    std::mt19937 rng(2024);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (const ExportCase& c : kExports)
        for (int iter = 0; iter < 40; ++iter) {
            const int sbits = c.sbits ? c.sbits : 24;
            TestSurface dst(pick(1, 150), pick(1, 5), c.dbits, pick(0, 5));
            TestSurface src(pick(1, 150), pick(1, 5), sbits, pick(0, 5));
            TestSurface mask(pick(100, 160), pick(3, 6), 24, pick(0, 5));
            dst.fill_random(rng);
            // Bytes 0 and 255 mostly, so keys, transparent and opaque runs occur.
            for (TestSurface* t : {&src, &mask})
                for (auto& v : t->bytes()) v = uint8_t(pick(0, 3) == 0 ? rng() : pick(0, 1) * 255);
            const bool same = c.sbits == c.dbits && iter % 3 == 0;
            TestSurface& s = same ? dst : src;
            const Extra e{pick(0, 1) * 255, pick(0, 1) * 255, pick(0, 1) * 255, iter % 9 == 8 ? 300 : pick(0, 255)};
            const Block b{pick(-20, dst.width() - 1), pick(-2, dst.height() - 1), pick(-5, 170), pick(0, 6),
                          pick(-20, s.width() - 1),   pick(-2, s.height() - 1)};
            const std::vector<uint8_t> before = dst.bytes();
            int32_t want_sums[3] = {1, 2, 3}, got_sums[3] = {4, 5, 6};
            c.scalar(dst.get(), s.get(), mask.get(), b, e, want_sums);
            const std::vector<uint8_t> want = dst.bytes();
            dst.bytes() = before;
            c.exported(dst.get(), s.get(), mask.get(), b, e, got_sums);
            ASSERT_EQ(dst.bytes(), want) << c.name << " iteration " << iter << (same ? " same surface" : "");
            if (c.name == std::string("CalcColor24")) {
                for (int k = 0; k < 3; ++k) ASSERT_EQ(got_sums[k], want_sums[k]) << "iteration " << iter;
            }
        }
}
