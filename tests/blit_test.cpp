// Block transfers and drawing: worked pixels, mask addressing, the placement
// of every call, and the post-processing copy's alpha filter.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <random>
#include <string>
#include <utility>

#include "call_setup.h"
#include "frame/clip.h"
#include "test_surface.h"

using pixmill::Block;
using namespace pixmill_reliability;
using pixmill_test::TestSurface;

namespace {

// A block (a bar uses dx, dy, w, h; the mask bar's mask position is sx, sy),
// a colour or key, and an alpha.
struct Args { Block b; int32_t red, green, blue, alpha; };

// e called with its arguments taken from a by name (passes 0): d the
// destination, s the source (or the mask bar's mask), m a transfer's mask.
int32_t call(const ExportEntry& e, Surface* d, Surface* s, Surface* m, const Args& a)
{
    const std::pair<const char*, int32_t> named[] = {
        {"dx", a.b.dx}, {"x", a.b.dx}, {"dy", a.b.dy}, {"y", a.b.dy}, {"w", a.b.w}, {"h", a.b.h}, {"sx", a.b.sx},
        {"sy", a.b.sy}, {"maskX", a.b.sx}, {"maskY", a.b.sy}, {"red", a.red}, {"green", a.green},
        {"blue", a.blue}, {"alpha", a.alpha}, {"alphaValue", a.alpha}};
    int32_t unused[3];
    const bool mask_bar = surface_needs(e).src_bits == 0;
    const std::vector<ArgValue> args = make_args(e, {d, s, mask_bar ? s : m}, unused, [&](size_t i) {
        ArgValue v;
        for (const auto& [name, value] : named)
            if (e.arg_names[i] == name) v.integer = value;
        return v;
    });
    return e.invoke(args.data());
}

// The destination's depth and the source's (the mask bar's mask; 0: none).
std::pair<int, int> depths(const ExportEntry& e)
{
    const SurfaceNeeds n = surface_needs(e);
    return {n.dest_bits, n.src_bits != 0 ? n.src_bits : n.mask_bits};
}

// The model of a call of e whose clipped block is c, applied to d: e on one
// pixel at a time, rows top-down and pixels left to right (so a same-surface
// call sees its own earlier writes); an outline is its top, bottom, left and
// right lines, each drawn at full length by its bar.
void model_call(const ExportEntry& e, Surface* d, Surface* s, Surface* m, Args a, const Block& c)
{
    const size_t rect = e.name.find("Rect");
    if (rect != std::string::npos) {
        const ExportEntry& bar = *pixmill_tool::find_export(std::string(e.name).replace(rect, 4, "Bar"));
        const Block lines[] = {{c.dx, c.dy, c.w, 1, 0, 0}, {c.dx, c.dy + c.h - 1, c.w, 1, 0, 0},
                               {c.dx, c.dy, 1, c.h, 0, 0}, {c.dx + c.w - 1, c.dy, 1, c.h, 0, 0}};
        for (const Block& l : lines) {
            a.b = l;
            call(bar, d, s, m, a);
        }
        return;
    }
    for (int j = 0; j < c.h; ++j)
        for (int i = 0; i < c.w; ++i) {
            a.b = {c.dx + i, c.dy + j, 1, 1, c.sx + i, c.sy + j};
            call(e, d, s, m, a);
        }
}

// Source at (0, 0), key (1, 1, 1).
int32_t post(TestSurface& dst, int dx, int dy, int w, int h, TestSurface& src, int alpha, int passes)
{
    return Render_BitBlt24to32TColorAlphaPostProcess(dst.get(), dx, dy, w, h, src.get(), 0, 0, 1, 1, 1, alpha,
                                                     passes);
}

}  // namespace

// The export on one-pixel surfaces, block (0, 0, 1, 1, 0, 0); src is also the
// mask bar's mask.
TEST(BlitAndDraw, WorkedPixels)
{
    const struct {
        const char* name;
        int32_t red, green, blue, alpha;
        std::vector<int> src, dst, result;
        const char* what;
        std::vector<int> mask = {0, 0, 0};
    } cases[] = {
        {"BitBlt24to24", 0, 0, 0, 0, {1, 2, 3}, {9, 9, 9}, {1, 2, 3}, "copies"},
        {"BitBlt24to32", 0, 0, 0, 0, {1, 2, 3}, {9, 9, 9, 77}, {1, 2, 3, 77}, "keeps the alpha byte"},
        {"BitBlt32to32", 0, 0, 0, 0, {10, 20, 30, 255}, {200, 200, 200, 7}, {10, 20, 30, 255}, "opaque"},
        {"BitBlt32to24", 0, 0, 0, 0, {10, 20, 30, 255}, {200, 200, 200}, {10, 20, 30}, "opaque"},
        {"BitBlt32to32", 0, 0, 0, 0, {255, 0, 0, 128}, {0, 255, 0, 200}, {128, 127, 0, 200}, "keeps the larger alpha"},
        {"BitBlt32to32", 0, 0, 0, 0, {255, 0, 0, 128}, {0, 255, 0, 50}, {128, 127, 0, 128}, "raises a smaller alpha"},
        {"BitBlt32to24", 0, 0, 0, 0, {255, 0, 100, 128}, {0, 255, 200}, {128, 127, 149}, "blends by source alpha"},
        {"BitBlt32to32", 0, 0, 0, 0, {1, 2, 3, 0}, {9, 8, 7, 6}, {9, 8, 7, 6}, "alpha 0 leaves the pixel"},
        {"BitBlt24to24TColor", 255, 0, 255, 0, {255, 0, 255}, {1, 2, 3}, {1, 2, 3}, "key pixel skipped"},
        {"BitBlt24to24TColor", 255, 0, 255, 0, {255, 0, 254}, {1, 2, 3}, {255, 0, 254}, "one byte off the key: copied"},
        {"BitBlt24to24TColor", 0x1FF, 0x300, 0xFF, 0, {255, 0, 255}, {1, 2, 3}, {1, 2, 3}, "low bytes of the key only"},
        {"BitBlt24to24TColor", 0, 0, 255, 0, {255, 0, 0}, {1, 2, 3}, {1, 2, 3}, "blue key matches bytes (255, 0, 0)"},
        {"BitBlt24to24TColor", 3, 2, 1, 0, {7, 8, 9}, {1, 2, 3}, {7, 8, 9}, "key compared with the source only"},
        {"BitBlt24to24Alpha", 0, 0, 0, 255, {10, 20, 30}, {200, 100, 0}, {10, 20, 30}, "alpha 255 copies"},
        {"BitBlt24to24Alpha", 0, 0, 0, 0, {10, 20, 30}, {200, 100, 0}, {200, 100, 0}, "alpha 0 keeps the destination"},
        {"BitBlt24to24Alpha", 0, 0, 0, 128, {255, 0, 100}, {0, 255, 200}, {128, 127, 149}, "alpha 128 truncates"},
        // Out of range: the products wrap, the quotient truncates toward 0, its low byte is stored.
        {"BitBlt24to24Alpha", 0, 0, 0, 300, {200, 0, 0}, {100, 0, 0}, {217, 0, 0}, "alpha 300 used whole"},
        {"BitBlt24to24Alpha", 0, 0, 0, -100, {200, 0, 0}, {0, 0, 0}, {178, 0, 0}, "alpha -100 truncates toward zero"},
        {"BitBlt24to24Alpha", 0, 0, 0, INT32_MAX, {255, 255, 0}, {0, 255, 0}, {127, 255, 0}, "products wrap"},
        {"BitBlt24to24TColorAlpha", 30, 20, 10, 128, {10, 20, 30}, {0, 0, 0}, {0, 0, 0}, "skips the key"},
        {"BitBlt24to24TColorAlpha", 30, 20, 10, 128, {255, 20, 30}, {0, 0, 0}, {128, 10, 15}, "blends the rest"},
        {"BitBlt24to24TColorAlpha", 30, 20, 10, 255, {255, 20, 30}, {0, 0, 0}, {255, 20, 30}, "alpha 255 copies"},
        {"BitBlt24to32Alpha", 0, 0, 0, 0x1C0, {1, 2, 3}, {9, 9, 9, 9}, {1, 2, 3, 0xC0}, "stamps alpha's low byte"},
        {"BitBlt32Maskto24", 0, 0, 0, 0, {1, 2, 3, 200}, {9, 9, 9}, {200, 200, 200}, "alpha to grey"},
        {"BitBlt24to32Mask", 0, 0, 0, 0, {10, 20, 30}, {1, 2, 3, 4}, {1, 2, 3, 30}, "red byte to alpha"},
        {"BitBlt24to24Mask24", 0, 0, 0, 0, {10, 20, 30}, {1, 2, 3}, {1, 2, 3}, "mask byte 2 alone", {255, 255, 0}},
        {"BitBlt24to24Mask24", 0, 0, 0, 0, {10, 20, 30}, {1, 2, 3}, {10, 20, 30}, "mask 255 copies", {0, 0, 255}},
        {"BitBlt24to24Mask24", 0, 0, 0, 0, {255, 0, 100}, {0, 255, 200}, {128, 127, 149}, "mask 128", {0, 0, 128}},
        {"BitBlt24to32Mask24", 0, 0, 0, 0, {10, 20, 30}, {1, 2, 3, 7}, {10, 20, 30, 0}, "mask 0 too", {255, 255, 0}},
        {"BitBlt24to32Mask24", 0, 0, 0, 0, {255, 0, 100}, {0, 255, 200, 7}, {255, 0, 100, 128}, "mask", {0, 0, 128}},
        {"DrawBar24", 0x130, 0x220, -1, 0, {}, {9, 9, 9}, {255, 0x20, 0x30}, "colour arguments' low bytes only"},
        {"DrawBar32", 1, 2, 3, 0, {}, {9, 9, 9, 77}, {3, 2, 1, 77}, "keeps the alpha byte"},
        {"DrawBar32AlphaT", 1, 2, 3, 0x1234, {}, {9, 9, 9, 77}, {3, 2, 1, 0x34}, "sets alpha's low byte"},
        {"DrawBar24Alpha", 255, 255, 255, 128, {}, {0, 0, 0}, {128, 128, 128}, "colour 255 over 0"},
        {"DrawBar24Alpha", 0, 0, 0, 128, {}, {255, 255, 255}, {127, 127, 127}, "colour 0 over 255"},
        {"DrawBar24Alpha", 255, 255, 255, 0, {}, {10, 20, 30}, {10, 20, 30}, "alpha 0 leaves the pixel"},
        {"DrawBar24Alpha", 1, 2, 3, 255, {}, {200, 200, 200}, {3, 2, 1}, "alpha 255 writes the colour"},
        {"DrawBar32Alpha", 50, 0, 255, 128, {}, {0, 255, 50, 77}, {128, 127, 50, 77}, "keeps the alpha byte"},
        // Alpha used whole, as in the transfers.
        {"DrawBar24Alpha", 0, 255, 255, 256, {}, {0, 10, 100}, {0, 255, 0}, "alpha 256"},
        {"DrawBar32Alpha", 255, 0, 255, -1, {}, {0, 100, 200, 5}, {255, 100, 199, 5}, "alpha -1"},
        {"DrawBar24Mask24", 9, 9, 9, 0, {255, 255, 0}, {1, 2, 3}, {1, 2, 3}, "mask byte 2 alone counts: 0 skips"},
        {"DrawBar24Mask24", 9, 8, 7, 0, {0, 0, 255}, {1, 2, 3}, {7, 8, 9}, "mask 255 writes the colour"},
        {"DrawBar24Mask24", 255, 255, 255, 0, {0, 0, 128}, {0, 0, 0}, {128, 128, 128}, "mask 128 blends"},
        // A one-pixel outline lies on all four lines: 128, 191, 223, 239.
        {"DrawRect24Alpha", 255, 255, 255, 128, {}, {0, 0, 0}, {239, 239, 239}, "one pixel blended four times"},
    };
    for (const auto& c : cases) {
        const ExportEntry& e = *pixmill_tool::find_export(std::string("Render_") + c.name);
        const auto [dbits, sbits] = depths(e);
        TestSurface d(1, 1, dbits), s(1, 1, sbits != 0 ? sbits : 24), m(1, 1, 24);
        d.set(0, 0, c.dst);
        s.set(0, 0, c.src);
        m.set(0, 0, c.mask);
        EXPECT_EQ(call(e, d.get(), s.get(), m.get(), {{0, 0, 1, 1, 0, 0}, c.red, c.green, c.blue, c.alpha}), 0);
        EXPECT_EQ(d.pixel(0, 0), std::vector<uint8_t>(c.result.begin(), c.result.end())) << c.name << ": " << c.what;
    }
}

// Mask array row k pairs with source array row k, at the source's column; a
// pixel whose mask pixel lies outside the mask's array is left alone. The
// alpha 24to32Mask24 writes shows which mask pixel each pixel was given.
TEST(MaskBlit, MaskPixelsPairWithTheSourcesArrayPositions)
{
    const struct { const char* what; int mask_w, mask_h, mask_pad; Block b; } cases[] = {
        {"taller mask: array rows pair from the start", 4, 6, 0, {0, 0, 4, 4, 0, 0}},
        {"short mask: the rows it lacks are left alone", 4, 2, 0, {0, 0, 4, 4, 0, 0}},
        {"narrow mask, padded row ending inside a pixel", 2, 4, 2, {0, 0, 4, 4, 0, 0}},
        {"narrow mask, padded row holding one more pixel", 2, 4, 3, {0, 0, 4, 4, 0, 0}},
        {"negative dx: the source's column", 4, 4, 0, {-1, 0, 4, 3, 0, 1}},
    };
    for (const auto& c : cases) {
        TestSurface src(4, 4, 24), mask(c.mask_w, c.mask_h, 24, c.mask_pad), dst(4, 4, 32);
        for (size_t i = 0; i < mask.bytes().size(); ++i) mask.bytes()[i] = uint8_t(100 + i);
        Render_BitBlt24to32Mask24(dst.get(), c.b.dx, c.b.dy, c.b.w, c.b.h, src.get(), c.b.sx, c.b.sy, mask.get());
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                const int sx = x - c.b.dx + c.b.sx, row = 3 - (y - c.b.dy + c.b.sy);  // source column, array row
                const bool in = x >= std::max(c.b.dx, 0) && x < c.b.dx + c.b.w && y >= c.b.dy && y < c.b.dy + c.b.h;
                const bool has = row < c.mask_h && 3 * sx + 3 <= mask.pitch();
                EXPECT_EQ(dst.px(x, y)[3], in && has ? mask.bytes()[row * mask.pitch() + 3 * sx + 2] : 0)
                    << c.what << " at " << x << "," << y;
            }
    }
}

// Every block transfer and drawing export over padded surfaces: the call
// equals its model over the clipped rectangle stated here, changes every pixel
// it should draw (marked, where each drawn pixel shows), no byte outside that
// rectangle (row padding included) and no byte of a separate source.
TEST(Placement, ACallIsItsClippedPixelsInWalkOrderAndNothingElse)
{
    // Destination 70 x 6, source and mask 7 x 5 (`same`: the destination). The
    // rectangle clipped for a block transfer (and the mask bar) and for a
    // one-surface drawing; w 0: nothing.
    const struct { const char* what; Block in, block, rect; bool same = false; } cases[] = {
        {"inside both", {1, 1, 4, 3, 2, 1}, {1, 1, 4, 3, 2, 1}, {1, 1, 4, 3, 0, 0}},
        {"passing the source's edge loses its last column", {0, 0, 8, 2, 1, 0}, {0, 0, 5, 2, 1, 0}, {0, 0, 8, 2, 0, 0}},
        {"ending at the source's right edge", {2, 0, 6, 2, 1, 0}, {2, 0, 6, 2, 1, 0}, {2, 0, 6, 2, 0, 0}},
        {"negative dx moves the source along", {-2, 1, 5, 2, 0, 1}, {0, 1, 3, 2, 2, 1}, {0, 1, 3, 2, 0, 0}},
        {"negative source origin moves, not cuts", {3, 2, 3, 2, -2, -1}, {3, 2, 3, 2, 0, 0}, {3, 2, 3, 2, 0, 0}},
        {"cut at the destination's right and bottom", {66, 4, 9, 9, 0, 0}, {66, 4, 4, 2, 0, 0}, {66, 4, 4, 2, 0, 0}},
        {"negative dy; the source's bottom cuts", {1, -2, 3, 9, 0, 2}, {1, 0, 3, 1, 0, 4}, {1, 0, 3, 6, 0, 0}},
        {"x equal to the destination's width", {70, 0, 3, 3, 0, 0}, {}, {}},
        {"negative x as wide as it is", {-3, 0, 3, 2, 0, 0}, {}, {}},
        {"sx equal to the source's width", {0, 0, 3, 3, 7, 0}, {}, {0, 0, 3, 3, 0, 0}},
        {"sy beyond the source", {0, 0, 3, 3, 0, 6}, {}, {0, 0, 3, 3, 0, 0}},
        {"as large as int32 goes", {0, 0, INT32_MAX, INT32_MAX, 0, 0}, {0, 0, 6, 5, 0, 0}, {0, 0, 70, 6, 0, 0}},
        {"int32 extremes", {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0, 0}, {}, {}},
        {"cut to the destination first, then not past the source", {63, 0, 9, 1, 0, 0}, {63, 0, 7, 1, 0, 0},
         {63, 0, 7, 1, 0, 0}},
        {"x + w overflowing", {50, 0, INT32_MAX, 1, 0, 0}, {50, 0, 6, 1, 0, 0}, {50, 0, 20, 1, 0, 0}},
        {"y + h overflowing", {0, 5, 5, INT32_MAX, 0, 0}, {0, 5, 5, 1, 0, 0}, {0, 5, 5, 1, 0, 0}},
        {"sx - dx overflowing", {INT32_MIN, 0, INT32_MAX, 1, INT32_MAX, 0}, {}, {}},
        {"w + x underflowing", {-10, 0, INT32_MIN, 1, 0, 0}, {}, {}},
        {"no width", {0, 0, 0, 5, 0, 0}, {}, {}},
        // Rows top-down, pixels left to right, each reading earlier writes.
        {"same surface, a row down", {2, 2, 66, 3, 1, 1}, {2, 2, 66, 3, 1, 1}, {}, true},
        {"same surface, a pixel right", {2, 1, 66, 3, 1, 1}, {2, 1, 66, 3, 1, 1}, {}, true},
    };
    std::mt19937 rng(1);
    for (const ExportEntry& e : pixmill_tool::export_table()) {
        if (e.name.rfind("Render_BitBlt", 0) != 0 && e.name.rfind("Render_Draw", 0) != 0) continue;
        const auto [dbits, sbits] = depths(e);
        const bool outline = e.name.find("Rect") != std::string::npos;
        for (const auto& c : cases)
            for (bool marked : {false, true}) {
                const bool same_row = c.in.dy == c.in.sy && e.name == "Render_BitBlt24to24";
                if (c.same && (marked || sbits != dbits || same_row)) continue;
                TestSurface d(70, 6, dbits, 2), want(70, 6, dbits, 2), m(7, 5, 24, 1);
                TestSurface s(7, 5, sbits != 0 ? sbits : 24, 3);
                // Marked: 1s under 200s, colour and key 0, alpha 200: every pixel drawn changes.
                for (TestSurface* t : {&d, &s, &m})
                    for (uint8_t& v : t->bytes())
                        v = marked ? (t == &d ? 1 : 200) : rng() % 3 ? uint8_t(rng() % 2 * 255) : uint8_t(rng());
                want.bytes() = d.bytes();
                std::vector<uint8_t> kept = d.bytes();
                const auto src_before = s.bytes();
                Surface *sd = c.same ? d.get() : s.get(), *md = c.same ? d.get() : m.get();
                Surface *sw = c.same ? want.get() : s.get(), *mw = c.same ? want.get() : m.get();
                const Args a = marked ? Args{c.in, 0, 0, 0, 200} : Args{c.in, 255, 0, 255, 77};
                const Block r = sbits != 0 ? c.block : c.rect;
                EXPECT_EQ(call(e, d.get(), sd, md, a), 0);
                if (r.w > 0) model_call(e, want.get(), sw, mw, a, r);
                SCOPED_TRACE(testing::Message() << e.name << ": " << c.what << (marked ? ", marked" : ""));
                EXPECT_EQ(s.bytes(), src_before);
                ASSERT_EQ(d.bytes(), want.bytes());
                // Only r's pixels may differ from before; marked, every pixel drawn must.
                const int bpp = dbits / 8;
                for (int y = r.dy; y < r.dy + r.h; ++y)
                    for (int x = r.dx; x < r.dx + r.w; ++x) {
                        std::copy_n(d.px(x, y), bpp, kept.begin() + (d.px(x, y) - d.bytes().data()));
                        const bool edge = x == r.dx || x == r.dx + r.w - 1 || y == r.dy || y == r.dy + r.h - 1;
                        const bool unchanged = std::count(d.px(x, y), d.px(x, y) + bpp, 1) == bpp;
                        ASSERT_FALSE(marked && (edge || !outline) && unchanged) << "not drawn: " << x << "," << y;
                    }
                ASSERT_EQ(d.bytes(), kept);
            }
    }
}

// The keyed copy's alpha filter (its copy alone, passes 0, is placed above).
TEST(PostProcessBlit, WorkedRegions)
{
    // A source of 50s over bytes of 9; `keyed`: the first pixel is a key pixel
    // over that alpha, which it keeps, which the filter lowers (to 0 below its
    // t) and which decides what its neighbour becomes.
    const struct { int w, h, alpha, passes, keyed; std::vector<int> result; } cases[] = {
        {1, 1, 255, 1, -1, {0}},
        {3, 3, 255, 1, -1, {128, 160, 104, 160, 208, 142, 104, 142, 71}},
        {4, 1, 255, 1, -1, {64, 80, 84, 21}},
        // Two pixels: 64, 16 after one pass; then t = 4, 1; then both settle
        // at 1, the right one keeping an alpha equal to its t.
        {2, 1, 255, 2, -1, {4, 1}},
        {2, 1, 255, INT32_MAX, -1, {1, 1}},  // finishes: once a pass changes nothing, so would every further one
        {2, 2, 0x1C8, 0, -1, {200, 200, 200, 200}},  // no passes: a keyed copy stamping the low byte of alpha
        {2, 2, 200, -3, -1, {200, 200, 200, 200}},
        {2, 1, 255, 0, 77, {77, 255}},
        {2, 1, 255, 1, 200, {64, 16}},
        {2, 1, 255, 1, 30, {0, 0}},
    };
    for (const auto& c : cases) {
        TestSurface src(c.w, c.h, 24), dst(c.w, c.h, 32);
        src.fill(50);
        dst.fill(9);
        if (c.keyed >= 0) {
            src.set(0, 0, {1, 1, 1});
            dst.px(0, 0)[3] = static_cast<uint8_t>(c.keyed);
        }
        EXPECT_EQ(post(dst, 0, 0, c.w, c.h, src, c.alpha, c.passes), 0);
        std::vector<int> alphas;  // by array row from the bottom up, left to right
        for (int y = c.h - 1; y >= 0; --y)
            for (int x = 0; x < c.w; ++x) alphas.push_back(dst.px(x, y)[3]);
        EXPECT_EQ(alphas, c.result) << c.w << "x" << c.h << " passes " << c.passes;
        EXPECT_EQ(dst.px(0, 0)[2], c.keyed >= 0 ? 9 : 50);
        EXPECT_EQ(dst.px(c.w - 1, 0)[2], 50);
    }
}

TEST(PostProcessBlit, FilterRunsOverTheClippedRectangleWritten)
{
    // A 3 x 3 sprite anywhere softens as a sprite of its clipped size alone
    // on a surface of that size; no byte outside it changes.
    const struct { int dw, dh, dx, dy, w, h; } cases[] = {  // w x h: the clipped size
        {3, 3, 0, 0, 3, 3}, {8, 6, 2, 1, 3, 3}, {3, 5, 0, 0, 3, 3}, {8, 6, 5, 3, 3, 3},
        {5, 4, 0, 1, 3, 3}, {8, 6, 6, 4, 2, 2}, {8, 6, -1, -2, 2, 1}};
    std::mt19937 rng(3);
    for (const auto& c : cases) {
        TestSurface src(3, 3, 24), dst(c.dw, c.dh, 32, 1), alone(c.w, c.h, 32);
        src.fill(50);
        dst.fill_random(rng);
        std::vector<uint8_t> want = dst.bytes();
        post(dst, c.dx, c.dy, 3, 3, src, 255, 2);
        post(alone, 0, 0, c.w, c.h, src, 255, 2);
        const int x0 = std::max(c.dx, 0), y0 = std::max(c.dy, 0);
        for (int y = y0; y < y0 + c.h; ++y)
            for (int x = x0; x < x0 + c.w; ++x)
                std::copy_n(alone.px(x - x0, y - y0), 4, want.begin() + (dst.px(x, y) - dst.bytes().data()));
        EXPECT_EQ(dst.bytes(), want) << c.dw << "x" << c.dh << " at " << c.dx << "," << c.dy;
    }
}
