// The block-transfer and drawing exports behind one signature, one-pixel
// worked examples, and the model a whole call is checked against: the same
// export applied to one pixel at a time over the clipped rectangle, rows
// top-down and pixels left to right (so a same-surface call sees its own
// earlier writes), an outline being its four lines drawn by its bar.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "frame/clip.h"
#include "test_surface.h"

namespace pixmill_test {

// The block (a bar uses dx, dy, w, h; the mask bar takes its mask position
// from sx, sy), a colour or key as red, green, blue, and an alpha.
struct Args { pixmill::Block b; int32_t red, green, blue, alpha; };
using Call = int32_t (*)(Surface* d, Surface* s, Surface* m, const Args& a);

// sbits 0: no source (the mask bar's mask is its source); bar: an outline's bar.
struct Export { const char* name; int dbits, sbits; Call call; const char* bar = nullptr; };

#define PM_CALL(expr) [](Surface* d, Surface* s, Surface* m, const Args& a) { return (void)s, (void)m, expr; }
#define PM_BLOCK d, a.b.dx, a.b.dy, a.b.w, a.b.h, s, a.b.sx, a.b.sy
#define PM_RECT d, a.b.dx, a.b.dy, a.b.w, a.b.h
#define PM_RGB a.red, a.green, a.blue

inline const std::vector<Export>& exports()
{
    static const std::vector<Export> table = {
        {"BitBlt24to24", 24, 24, PM_CALL(Render_BitBlt24to24(PM_BLOCK))},
        {"BitBlt24to32", 32, 24, PM_CALL(Render_BitBlt24to32(PM_BLOCK))},
        {"BitBlt32to24", 24, 32, PM_CALL(Render_BitBlt32to24(PM_BLOCK))},
        {"BitBlt32to32", 32, 32, PM_CALL(Render_BitBlt32to32(PM_BLOCK))},
        {"TColor", 24, 24, PM_CALL(Render_BitBlt24to24TColor(PM_BLOCK, PM_RGB))},
        {"Alpha", 24, 24, PM_CALL(Render_BitBlt24to24Alpha(PM_BLOCK, a.alpha))},
        {"TColorAlpha", 24, 24, PM_CALL(Render_BitBlt24to24TColorAlpha(PM_BLOCK, PM_RGB, a.alpha))},
        {"24to32Alpha", 32, 24, PM_CALL(Render_BitBlt24to32Alpha(PM_BLOCK, a.alpha))},
        {"PostProcess", 32, 24, PM_CALL(Render_BitBlt24to32TColorAlphaPostProcess(PM_BLOCK, PM_RGB, a.alpha, 0))},
        {"32Maskto24", 24, 32, PM_CALL(Render_BitBlt32Maskto24(PM_BLOCK))},
        {"24to32Mask", 32, 24, PM_CALL(Render_BitBlt24to32Mask(PM_BLOCK))},
        {"24to24Mask24", 24, 24, PM_CALL(Render_BitBlt24to24Mask24(PM_BLOCK, m))},
        {"24to32Mask24", 32, 24, PM_CALL(Render_BitBlt24to32Mask24(PM_BLOCK, m))},
        {"Bar24Mask24", 24, 24, PM_CALL(Render_DrawBar24Mask24(PM_BLOCK, PM_RGB))},
        {"Bar24", 24, 0, PM_CALL(Render_DrawBar24(PM_RECT, PM_RGB))},
        {"Bar24Alpha", 24, 0, PM_CALL(Render_DrawBar24Alpha(PM_RECT, PM_RGB, a.alpha))},
        {"Bar32", 32, 0, PM_CALL(Render_DrawBar32(PM_RECT, PM_RGB))},
        {"Bar32Alpha", 32, 0, PM_CALL(Render_DrawBar32Alpha(PM_RECT, PM_RGB, a.alpha))},
        {"Bar32AlphaT", 32, 0, PM_CALL(Render_DrawBar32AlphaT(PM_RECT, PM_RGB, a.alpha))},
        {"Rect24", 24, 0, PM_CALL(Render_DrawRect24(PM_RECT, PM_RGB)), "Bar24"},
        {"Rect24Alpha", 24, 0, PM_CALL(Render_DrawRect24Alpha(PM_RECT, PM_RGB, a.alpha)), "Bar24Alpha"},
        {"Rect32", 32, 0, PM_CALL(Render_DrawRect32(PM_RECT, PM_RGB)), "Bar32"},
        {"Rect32Alpha", 32, 0, PM_CALL(Render_DrawRect32Alpha(PM_RECT, PM_RGB, a.alpha)), "Bar32Alpha"},
        {"Rect32AlphaT", 32, 0, PM_CALL(Render_DrawRect32AlphaT(PM_RECT, PM_RGB, a.alpha)), "Bar32AlphaT"},
    };
    return table;
}

inline const Export& find_export(const char* name)
{
    const Export* e = exports().data();
    while (std::strcmp(e->name, name) != 0) ++e;  // every name asked for is in the table
    return *e;
}

// A worked pixel: the export called on one-pixel surfaces with the block
// (0, 0, 1, 1, 0, 0).
struct Worked {
    const char* fn;
    int32_t red, green, blue, alpha;
    std::vector<int> src, dst, result;
    const char* what;
    std::vector<int> mask = {0, 0, 0};  // the third surface's pixel
};

inline void check_worked(const Worked& c)
{
    const Export& e = find_export(c.fn);
    TestSurface d(1, 1, e.dbits), s(1, 1, e.sbits ? e.sbits : 24), m(1, 1, 24);
    d.set(0, 0, c.dst);
    s.set(0, 0, c.src);
    m.set(0, 0, c.mask);
    EXPECT_EQ(e.call(d.get(), s.get(), m.get(), {{0, 0, 1, 1, 0, 0}, c.red, c.green, c.blue, c.alpha}), 0);
    EXPECT_EQ(d.pixel(0, 0), std::vector<uint8_t>(c.result.begin(), c.result.end())) << c.fn << ": " << c.what;
}

// The model of a call of e whose clipped block is c, applied to d (s and m
// being whatever surfaces the call reads).
inline void model_call(const Export& e, Surface* d, Surface* s, Surface* m, Args a, const pixmill::Block& c)
{
    if (e.bar != nullptr) {  // the top, bottom, left and right lines, each at full length
        const pixmill::Block lines[] = {{c.dx, c.dy, c.w, 1, 0, 0}, {c.dx, c.dy + c.h - 1, c.w, 1, 0, 0},
                                        {c.dx, c.dy, 1, c.h, 0, 0}, {c.dx + c.w - 1, c.dy, 1, c.h, 0, 0}};
        for (const pixmill::Block& l : lines) a.b = l, find_export(e.bar).call(d, s, m, a);
        return;
    }
    for (int j = 0; j < c.h; ++j)
        for (int i = 0; i < c.w; ++i) {
            a.b = {c.dx + i, c.dy + j, 1, 1, c.sx + i, c.sy + j};
            e.call(d, s, m, a);
        }
}

}  // namespace pixmill_test
