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

// The arguments of a block transfer and of a one-rectangle export, and their
// scalar walks: the row kernel expression runs on each clipped row (dr and sr,
// or r, over n pixels).
#define BLOCK d, b.dx, b.dy, b.w, b.h, s, b.sx, b.sy
#define RECT d, b.dx, b.dy, b.w, b.h
#define BLOCK_ROWS(dfmt, sfmt, ...) \
    CALL(blit(d, dfmt, s, sfmt, b, [&](uint8_t* dr, const uint8_t* sr, int32_t n) { __VA_ARGS__; }))
#define RECT_ROWS(fmt, ...) CALL(for_each_rect_row(d, fmt, rect(b), [&](uint8_t* r, int32_t n) { __VA_ARGS__; }))
#define OUTLINE_ROWS(fmt, ...) CALL(scalar_outline(d, fmt, b, [&](uint8_t* r, int32_t n) { __VA_ARGS__; }))

const ExportCase kExports[] = {
    {"BitBlt24to32", 32, 24, false, CALL(Render_BitBlt24to32(BLOCK)),
     BLOCK_ROWS(kBgra32, kBgr24, copy_row_24to32(dr, sr, n))},
    {"BitBlt32to24", 24, 32, false, CALL(Render_BitBlt32to24(BLOCK)),
     BLOCK_ROWS(kBgr24, kBgra32, blend_row_32to24(dr, sr, n))},
    {"BitBlt32to32", 32, 32, false, CALL(Render_BitBlt32to32(BLOCK)),
     BLOCK_ROWS(kBgra32, kBgra32, blend_row_32to32(dr, sr, n))},
    {"BitBlt24to24TColor", 24, 24, false, CALL(Render_BitBlt24to24TColor(BLOCK, e.red, e.green, e.blue)),
     BLOCK_ROWS(kBgr24, kBgr24, key_row_24to24(dr, sr, n, key(e)))},
    {"BitBlt24to24Alpha", 24, 24, false, CALL(Render_BitBlt24to24Alpha(BLOCK, e.alpha)),
     BLOCK_ROWS(kBgr24, kBgr24, alpha_row_24to24(dr, sr, n, e.alpha))},
    {"BitBlt24to24TColorAlpha", 24, 24, false,
     CALL(Render_BitBlt24to24TColorAlpha(BLOCK, e.red, e.green, e.blue, e.alpha)),
     BLOCK_ROWS(kBgr24, kBgr24, key_alpha_row_24to24(dr, sr, n, key(e), e.alpha))},
    {"BitBlt24to32Alpha", 32, 24, false, CALL(Render_BitBlt24to32Alpha(BLOCK, e.alpha)),
     BLOCK_ROWS(kBgra32, kBgr24, stamp_row_24to32(dr, sr, n, uint8_t(e.alpha)))},
    {"BitBlt24to32TColorAlphaPostProcess without passes", 32, 24, false,
     CALL(Render_BitBlt24to32TColorAlphaPostProcess(BLOCK, e.red, e.green, e.blue, e.alpha, 0)),
     BLOCK_ROWS(kBgra32, kBgr24, key_stamp_row_24to32(dr, sr, n, key(e), uint8_t(e.alpha)))},
    {"BitBlt32Maskto24", 24, 32, false, CALL(Render_BitBlt32Maskto24(BLOCK)),
     BLOCK_ROWS(kBgr24, kBgra32, alpha_to_grey_row_32to24(dr, sr, n))},
    {"BitBlt24to32Mask", 32, 24, false, CALL(Render_BitBlt24to32Mask(BLOCK)),
     BLOCK_ROWS(kBgra32, kBgr24, red_to_alpha_row_24to32(dr, sr, n))},
    {"BitBlt24to24Mask24", 24, 24, true, CALL(Render_BitBlt24to24Mask24(BLOCK, m)),
     CALL(scalar_through_mask(d, kBgr24, s, m, b, mask_blend_row_24to24))},
    {"BitBlt24to32Mask24", 32, 24, true, CALL(Render_BitBlt24to32Mask24(BLOCK, m)),
     CALL(scalar_through_mask(d, kBgra32, s, m, b, mask_alpha_row_24to32))},
    {"DrawBar24", 24, 0, false, CALL(Render_DrawBar24(RECT, e.red, e.green, e.blue)),
     RECT_ROWS(kBgr24, fill_row_24(r, n, colour(e)))},
    {"DrawBar32", 32, 0, false, CALL(Render_DrawBar32(RECT, e.red, e.green, e.blue)),
     RECT_ROWS(kBgra32, fill_row_32(r, n, colour(e)))},
    {"DrawBar32AlphaT", 32, 0, false, CALL(Render_DrawBar32AlphaT(RECT, e.red, e.green, e.blue, e.alpha)),
     RECT_ROWS(kBgra32, fill_row_32_alpha_byte(r, n, colour(e), uint8_t(e.alpha)))},
    {"DrawBar24Alpha", 24, 0, false, CALL(Render_DrawBar24Alpha(RECT, e.red, e.green, e.blue, e.alpha)),
     RECT_ROWS(kBgr24, blend_row_24(r, n, const_blend(colour(e), e.alpha)))},
    {"DrawBar32Alpha", 32, 0, false, CALL(Render_DrawBar32Alpha(RECT, e.red, e.green, e.blue, e.alpha)),
     RECT_ROWS(kBgra32, blend_row_32(r, n, const_blend(colour(e), e.alpha)))},
    {"DrawBar24Mask24", 24, 24, false, CALL(Render_DrawBar24Mask24(BLOCK, e.red, e.green, e.blue)),
     BLOCK_ROWS(kBgr24, kBgr24, mask_blend_row_24(dr, sr, n, colour(e)))},
    {"DrawRect24", 24, 0, false, CALL(Render_DrawRect24(RECT, e.red, e.green, e.blue)),
     OUTLINE_ROWS(kBgr24, fill_row_24(r, n, colour(e)))},
    {"DrawRect32Alpha", 32, 0, false, CALL(Render_DrawRect32Alpha(RECT, e.red, e.green, e.blue, e.alpha)),
     OUTLINE_ROWS(kBgra32, blend_row_32(r, n, const_blend(colour(e), e.alpha)))},
    {"Invert24", 24, 0, false, CALL(Render_Invert24(RECT)), RECT_ROWS(kBgr24, invert_row_24(r, n))},
    {"Invert32", 32, 0, false, CALL(Render_Invert32(RECT)), RECT_ROWS(kBgra32, invert_row_32(r, n))},
    {"InvertAlpha32", 32, 0, false, CALL(Render_InvertAlpha32(RECT)), RECT_ROWS(kBgra32, invert_alpha_row_32(r, n))},
    {"AlphaAdd32", 32, 0, false, CALL(Render_AlphaAdd32(RECT, e.alpha - 128)),
     RECT_ROWS(kBgra32, add_alpha_row_32(r, n, e.alpha - 128))},
    {"HorizontalFlip32", 32, 0, false, CALL(Render_HorizontalFlip32(RECT)), RECT_ROWS(kBgra32, flip_row_32(r, n))},
    {"Set32Alpha", 32, 0, false, CALL(Render_Set32Alpha(d, e.alpha)), CALL({
         const SurfaceView v = read_surface(d, kBgra32);
         for (int32_t j = 0; j < v.rows && v.stride > 0; ++j)
             set_alpha_row_32(v.data + j * v.stride_bytes, v.stride, uint8_t(e.alpha));
     })},
    {"CalcColor24", 24, 0, false, CALL(Render_CalcColor24(RECT, &sums[0], &sums[1], &sums[2])), CALL({
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
