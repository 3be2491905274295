// Random calls against straightforward pixel-by-pixel models, on surfaces with
// padded rows: the one-rectangle filters (each pixel as the filter changes it
// alone, the mirror as its mirrored pixel), the blur and the ripple (their
// sweeps written out), the 22 scaled copies (a reference that works each call
// out straight from the rules) and the rotation (its offsets in their defined
// order). Every byte of the array, padding included, must come out as the
// model draws it; a model never reads off its surface, so a sample taken from
// the padding shows. Beside them, the worked numbers the models are held to.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "call_setup.h"
#include "effect/blur_rows.h"
#include "frame/clip.h"
#include "frame/kernels.h"
#include "frame/trig.h"
#include "rotate/rotate_offset.h"
#include "stretch/sample_map.h"
#include "test_surface.h"

using pixmill_test::TestSurface;

namespace {

struct Args {
    int32_t dx, dy, dw, dh, sx, sy, sw, sh;
    int32_t red = 0, green = 0, blue = 0, alpha = 255;
};

// One scaled copy, with what its name says of it.
struct Variant {
    const pixmill_tool::ExportEntry* entry;
    int src_bits, dst_bits;
    bool smooth, keyed, blended, whole;

    const char* name() const { return entry->name.c_str(); }
    void call(Surface* dest, Surface* src, const Args& a) const
    {
        const char* names[] = {"dx", "dy", "dw", "dh", "sx", "sy", "sw", "sh", "red", "green", "blue", "alpha"};
        const int32_t values[] = {a.dx, a.dy, a.dw, a.dh, a.sx, a.sy, a.sw, a.sh, a.red, a.green, a.blue, a.alpha};
        const auto args = pixmill_reliability::make_args(*entry, {dest, src}, nullptr, [&](size_t i) {
            pixmill_tool::ArgValue v;
            for (size_t k = 0; k < std::size(names); ++k)
                if (entry->arg_names[i] == names[k]) v.integer = values[k];
            return v;
        });
        entry->invoke(args.data());
    }
};

const std::vector<Variant>& variants()
{
    static const std::vector<Variant> all = [] {
        std::vector<Variant> found;
        for (const pixmill_tool::ExportEntry& e : pixmill_tool::export_table()) {
            const std::string& n = e.name;
            auto has = [&](const char* word) { return n.find(word) != std::string::npos; };
            if (n.rfind("Render_StretchBlt", 0) == 0)
                found.push_back({&e, pixmill_tool::required_bits(n, "src"), pixmill_tool::required_bits(n, "dest"),
                                 has("Billinear"), has("TColor"), has("Alpha"), n.back() == 'F'});
        }
        return found;
    }();
    return all;
}

// A picture in a byte buffer, top-down coordinates, every access checked
// against Width x Rows.
struct Picture {
    uint8_t* bytes;
    int width, rows, pitch, bpp;
    uint8_t* px(int64_t x, int64_t y) const
    {
        if (x < 0 || x >= width || y < 0 || y >= rows) {
            ADD_FAILURE() << "pixel (" << x << ", " << y << ") lies outside " << width << " x " << rows;
            return bytes;
        }
        return bytes + (rows - 1 - y) * pitch + x * bpp;
    }
};

// The clip, written out step by step in 64 bits; false when nothing is drawn.
bool reference_clip(Args& a, int64_t Dw, int64_t Dr, int64_t Sw, int64_t Sr)
{
    if (a.dx > Dw || a.dy > Dr || a.sx > Sw || a.sy > Sr) return false;
    int64_t dx = a.dx, dy = a.dy, dw = a.dw, dh = a.dh, sx = a.sx, sy = a.sy, sw = a.sw, sh = a.sh;
    if (dx < 0) sx -= dx, dw += dx, dx = 0;
    if (dy < 0) sy -= dy, dh += dy, dy = 0;
    if (sx < 0) sw += sx, sx = 0;
    if (sy < 0) sh += sy, sy = 0;
    if (dx + dw > Dw) dw = Dw - dx;
    if (dy + dh > Dr) dh = Dr - dy;
    if (sx + sw > Sw - 1) sw = Sw - sx - 1;
    if (sy + sh > Sr) sh = Sr - sy;
    if (dw < 1 || dh < 1) return false;
    if (sw < 0 || sh < 0 || sy >= Sr || sx >= Sw) return false;  // first sample off the source
    a.dx = int32_t(dx), a.dy = int32_t(dy), a.dw = int32_t(dw), a.dh = int32_t(dh);
    a.sx = int32_t(sx), a.sy = int32_t(sy), a.sw = int32_t(sw), a.sh = int32_t(sh);
    return true;
}

// Draws one call of v into D from S (which may be D itself), pixel by pixel.
void reference_stretch(const Variant& v, const Picture& D, const Picture& S, Args a)
{
    if (!reference_clip(a, D.width, D.rows, S.width, S.rows)) return;
    const float rx = float(double(a.sw) / a.dw), ry = float(double(a.sh) / a.dh);
    const uint8_t key[3] = {uint8_t(a.blue), uint8_t(a.green), uint8_t(a.red)};
    auto is_key = [&](const uint8_t* p) { return p[0] == key[0] && p[1] == key[1] && p[2] == key[2]; };
    for (int j = 0; j < a.dh; ++j) {
        const int t = int(std::trunc(j * double(ry))), r = a.sy + t;
        for (int i = 0; i < a.dw; ++i) {
            const int c = a.sx + int(std::trunc(i * double(rx)));
            const uint8_t* s = S.px(c, r);
            uint8_t* d = D.px(a.dx + i, a.dy + j);
            if (v.keyed && is_key(s)) continue;
            if (v.src_bits == 32 && !v.whole && s[3] == 0) continue;
            int value[4] = {s[0], s[1], s[2], S.bpp == 4 ? s[3] : 0};
            if (v.smooth) {
                const uint8_t* n[4] = {c != 0 ? S.px(c - 1, r) : s, c < S.width - 1 ? S.px(c + 1, r) : s,
                                       t > 0 ? S.px(c, r - 1) : s, r < S.rows - 1 ? S.px(c, r + 1) : s};
                for (int k = 0; k < S.bpp; ++k) {
                    int sum = s[k];
                    for (const uint8_t* q : n) sum += (v.keyed && is_key(q) ? s : q)[k];
                    value[k] = sum / 5;
                }
            }
            const int weight = v.src_bits == 32 ? s[3] : v.blended ? a.alpha : 255;
            for (int k = 0; k < (v.whole ? 4 : 3); ++k)
                d[k] = v.whole ? uint8_t(value[k]) : uint8_t((value[k] * weight + d[k] * (255 - weight)) / 255);
        }
    }
}

Picture picture_of(std::vector<uint8_t>& bytes, TestSurface& s, int bits)
{
    return {bytes.data(), s.width(), s.height(), s.pitch(), bits / 8};
}

// Top row first, left to right, each byte replaced at once: left and up are
// already blurred, right and down not. The rectangle's edges stand in for
// missing neighbours, except that its last row reads the row below it unless
// that row lies below the surface.
void blur_model(const Picture& v, int x, int y, int w, int h)
{
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            for (int c = 0; c < 3; ++c) {
                auto at = [&](int di, int dj, bool there) {
                    return v.px(x + i + (there ? di : 0), y + j + (there ? dj : 0))[c];
                };
                const int sum = at(0, 0, true) + at(-1, 0, i > 0) + at(1, 0, i + 1 < w) + at(0, -1, j > 0) +
                                at(0, 1, y + j + 1 < v.rows);
                v.px(x + i, y + j)[c] = static_cast<uint8_t>(sum / 5);
            }
}

// The same sweep; inside the disc about the truncated centre, each pixel takes
// the pixel at the offset that the sine of its distance from the exact centre
// gives, when that pixel lies on the surface.
void ripple_model(const Picture& v, int x, int y, int w, int h, int32_t amplitude, int32_t spread)
{
    const float cxf = static_cast<float>(w * 0.5), cyf = static_cast<float>(h * 0.5);
    const int cxi = static_cast<int>(cxf), cyi = static_cast<int>(cyf);
    const float amp_x = static_cast<float>(amplitude * 0.2), amp_y = static_cast<float>(amplitude * 0.125);
    const float k = static_cast<float>(1.0 - spread * 0.01);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (std::sqrt(double((cxi - i) * (cxi - i) + (cyi - j) * (cyi - j))) > cxf) continue;
            const double di = i - double(cxf), dj = j - double(cyf);
            const double s = pixmill::sine(std::sqrt(di * di + dj * dj) * k);
            const int sx = x + i + int(s * amp_x), sy = y + j - int(s * amp_y);
            if (sx >= 0 && sx < v.width && sy >= 0 && sy < v.rows)
                std::copy_n(v.px(sx, sy), v.bpp, v.px(x + i, y + j));
        }
}

// Offsets (i, j) column by column, each turned and sent to its four quarter
// turns in order; a transfer happens when its source pixel starts more than 4
// bytes before its row's end and its destination pixel lies whole in its row
// (Width plays no part). The blend starts at i = 1.
void rotate_model(const Picture& d, const Picture& s, int32_t angle)
{
    auto centre_x = [](const Picture& p) { return (p.bpp == 4 ? p.pitch / 4 : p.width) / 2; };
    auto at = [](const Picture& p, int64_t x, int64_t y) { return p.bytes + (p.rows - 1 - y) * p.pitch + x * p.bpp; };
    const int64_t cxd = centre_x(d), cyd = d.rows / 2, cxs = centre_x(s), cys = s.rows / 2;
    const bool blend = s.bpp == 4 && d.bpp == 3;
    for (int64_t i = blend ? 1 : 0, n = std::max(cxs, cys); i < n; ++i)
        for (int64_t j = 0; j < n; ++j) {
            int32_t u, v;
            pixmill::turn_offset(i, j, pixmill::angle_in_radians(angle), u, v);
            const int64_t to[4][2] = {{cxd + i, cyd + j}, {cxd - i, cyd - j}, {cxd + j, cyd - i}, {cxd - j, cyd + i}};
            const int64_t from[4][2] = {{cxs + u, cys + v}, {cxs - u, cys - v}, {cxs + v, cys - u}, {cxs - v, cys + u}};
            for (int t = 0; t < 4; ++t) {
                const int64_t x = to[t][0], y = to[t][1], sx = from[t][0], sy = from[t][1];
                if (sx < 0 || sy < 0 || sy >= s.rows || s.bpp * sx >= s.pitch - 4) continue;
                if (x < 0 || y < 0 || y >= d.rows || d.bpp * (x + 1) > d.pitch) continue;
                uint8_t p[4];
                std::copy_n(at(s, sx, sy), s.bpp, p);
                uint8_t* q = at(d, x, y);
                for (int b = 0; b < d.bpp && !(blend && p[3] == 0); ++b)
                    q[b] = blend ? uint8_t((p[b] * p[3] + q[b] * (255 - p[3])) / 255) : p[b];
            }
        }
}

using RectCall = void (*)(Surface*, int32_t x, int32_t y, int32_t w, int32_t h, int32_t a, int32_t b);
#define RECT(call)                                                                \
    [](Surface* s, int32_t x, int32_t y, int32_t w, int32_t h, int32_t a, int32_t b) { \
        call;                                                                       \
        (void)a, (void)b;                                                           \
    }
enum Model { kEachPixel, kMirror, kBlur, kRipple };
const struct {
    const char* name;
    int bits;
    Model model;
    RectCall fn;
} kRectExports[] = {
    {"GammaCorrect24", 24, kEachPixel, RECT(Render_GammaCorrect24(s, x, y, w, h, a, b, a / 2))},
    {"GammaCorrect24TColor", 24, kEachPixel, RECT(Render_GammaCorrect24TColor(s, x, y, w, h, b, a, a, 64, 0, 128))},
    {"GammaCorrect32", 32, kEachPixel, RECT(Render_GammaCorrect32(s, x, y, w, h, a, b / 2, b, a / 3))},
    {"Contrast24", 24, kEachPixel, RECT(Render_Contrast24(s, x, y, w, h, static_cast<float>(a) / 64.0f))},
    {"Invert24", 24, kEachPixel, RECT(Render_Invert24(s, x, y, w, h))},
    {"Invert32", 32, kEachPixel, RECT(Render_Invert32(s, x, y, w, h))},
    {"InvertAlpha32", 32, kEachPixel, RECT(Render_InvertAlpha32(s, x, y, w, h))},
    {"AlphaAdd32", 32, kEachPixel, RECT(Render_AlphaAdd32(s, x, y, w, h, a))},
    {"AjustHLS32", 32, kEachPixel, RECT(Render_AjustHLS32(s, x, y, w, h, a / 4, b / 4, a / 3))},
    {"HorizontalFlip32", 32, kMirror, RECT(Render_HorizontalFlip32(s, x, y, w, h))},
    {"Blur24", 24, kBlur, RECT(Render_Blur24(s, x, y, w, h))},
    {"Blur32", 32, kBlur, RECT(Render_Blur32(s, x, y, w, h))},
    {"RoundsFromWater24", 24, kRipple, RECT(Render_RoundsFromWater24(s, x, y, w, h, a, b))},
    {"RoundsFromWater32", 32, kRipple, RECT(Render_RoundsFromWater32(s, x, y, w, h, a, b))},
};
#undef RECT

// Sizes, fills and arguments, biased towards the edges.
struct Dice {
    std::mt19937 rng;
    int operator()(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    void fill(TestSurface& s)  // now and then a smooth picture, where keys, ties and unmoved ripples are common
    {
        const int mask = (*this)(0, 2) ? 0xFF : 0xC0;
        for (auto& b : s.bytes()) b = static_cast<uint8_t>(rng() & mask);
    }
    int32_t extreme()
    {
        const int32_t values[] = {0, 100, -1, 5000, INT32_MAX, INT32_MIN, 1000000, -250};
        return values[(*this)(0, 7)];
    }
};

}  // namespace

TEST(ReferenceModels, RectangleExports)
{
    Dice pick{std::mt19937(31)};
    // Widths on both sides of the blur's chunk of 512 pixels, the ripple's
    // 2048 mirrored columns and the per-call tables' 1024 pixels.
    const int wide[] = {511, 512, 513, 1025, 4097, 4100};
    const pixmill::Rect far_rects[] = {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {0, 0, INT32_MAX, INT32_MAX},
                                       {INT32_MAX, 0, INT32_MAX, 4}, {1, 1, INT32_MIN, INT32_MIN}};
    int moved = 0;
    for (int iter = 0; iter < 2400; ++iter) {
        const auto& e = kRectExports[iter % std::size(kRectExports)];
        const int width = iter % 40 < 3 ? wide[iter / 40 % 6] : iter % 8 == 5 ? pick(30, 60) : pick(1, 24);
        TestSurface s(width, width > 400 ? pick(1, 3) : pick(1, 30), e.bits, pick(0, 3));
        pick.fill(s);
        pixmill::Rect r{pick(-3, width / 2), pick(-3, s.height() / 2), pick(0, width + 3), pick(0, s.height() + 3)};
        if (iter % 5 == 0) r = {0, 0, width, s.height()};
        if (iter % 23 == 7) r = far_rects[iter % 4];
        const int32_t a = iter % 3 == 1 ? pick.extreme() : pick(-300, 300);
        const int32_t b = iter % 3 == 1 ? pick.extreme() : pick(-50, 150);
        std::vector<uint8_t> expect = s.bytes();
        const Picture p = picture_of(expect, s, e.bits);
        pixmill::Rect c = r;
        if (pixmill::clip_rect(c, s.width(), s.height())) {
            if (e.model == kBlur) blur_model(p, c.x, c.y, c.w, c.h);
            if (e.model == kRipple) ripple_model(p, c.x, c.y, c.w, c.h, a, b);
            for (int y = c.y; y < c.y + c.h && e.model <= kMirror; ++y)
                for (int x = c.x; x < c.x + c.w; ++x) {
                    TestSurface one(1, 1, e.bits);
                    std::copy_n(s.px(e.model == kMirror ? 2 * c.x + c.w - 1 - x : x, y), p.bpp, one.bytes().data());
                    if (e.model == kEachPixel) e.fn(one.get(), 0, 0, 1, 1, a, b);
                    std::copy_n(one.bytes().data(), p.bpp, p.px(x, y));
                }
        }
        const std::vector<uint8_t> before = s.bytes();
        e.fn(s.get(), r.x, r.y, r.w, r.h, a, b);
        moved += e.model == kRipple && s.bytes() != before;
        ASSERT_EQ(s.bytes(), expect) << e.name << " on " << width << "x" << s.height() << ": " << r.x << " " << r.y
                                     << " " << r.w << " " << r.h << " with " << a << ", " << b;
    }
    EXPECT_GT(moved, 50);  // the ripples must move pixels often enough to mean something
}

// Worked examples of the blur and the ripple: one value v in each colour byte
// and v + 100 in a 32-bit pixel's fourth byte, which the blur keeps and the
// ripple moves along with its pixel; an empty grid before holds 10 y + x.
TEST(ReferenceModels, WorkedGrids)
{
    const struct {
        const char* what;
        const char* fn;  // the export's name without its depth
        int w, h;
        std::vector<int> before;
        pixmill::Rect r;
        int32_t a, b;
        std::vector<int> after;
    } cases[] = {
        // The second row reads the third, which is never written.
        {"3x3, h = 2", "Blur", 3, 3, {10, 20, 30, 40, 50, 60, 70, 80, 90}, {0, 0, 3, 2}, 0, 0,
         {18, 27, 35, 43, 52, 59, 70, 80, 90}},
        {"1x1 above the bottom row: (4 self + down) / 5", "Blur", 1, 2, {100, 7}, {0, 0, 1, 1}, 0, 0, {81, 7}},
        {"1x1 on the bottom row: it stands in for its lower neighbour", "Blur", 1, 2, {100, 7}, {0, 1, 1, 1}, 0, 0, {100, 7}},
        // The sweep carries a bright pixel right and down through already
        // blurred neighbours; the row above sees only the original.
        {"one bright pixel", "Blur", 4, 4, {0, 0, 0, 0, 0, 125, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 4, 4}, 0, 0,
         {0, 25, 5, 1, 25, 35, 8, 1, 5, 8, 3, 0, 1, 1, 0, 0}},
        // Amplitude 20, spread 50: pixel (2, 2) takes (5, 0); (0, 3), on the
        // disc's rim, then takes (2, 2) as already moved: 5, not 22.
        {"ripple", "RoundsFromWater", 10, 6, {}, {0, 0, 10, 6}, 20, 50,
         {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 4,  12, 13, 14, 15, 16, 17, 18, 19,
          20, 4,  5,  6,  16, 16, 18, 27, 28, 29, 5,  14, 15, 16, 16, 35, 27, 37, 38, 39,
          40, 16, 16, 18, 27, 27, 38, 47, 48, 49, 50, 27, 35, 27, 37, 38, 39, 57, 58, 59}},
    };
    for (const auto& c : cases)
        for (int bits : {24, 32}) {
            const std::string name = c.fn + std::to_string(bits);
            const auto e = std::find_if(std::begin(kRectExports), std::end(kRectExports),
                                        [&](const auto& x) { return name == x.name; });
            ASSERT_NE(e, std::end(kRectExports)) << name;
            auto pixel = [&](int v, int fourth) {
                std::vector<int> p = {v, v, v, fourth + 100};
                p.resize(bits / 8);
                return p;
            };
            auto before = [&](int i) { return c.before.empty() ? 10 * (i / c.w) + i % c.w : c.before[i]; };
            TestSurface s(c.w, c.h, bits);
            for (int i = 0; i < c.w * c.h; ++i) s.set(i % c.w, i / c.w, pixel(before(i), before(i)));
            e->fn(s.get(), c.r.x, c.r.y, c.r.w, c.r.h, c.a, c.b);
            for (int i = 0; i < c.w * c.h; ++i) {
                const auto p = pixel(c.after[i], e->model == kRipple ? c.after[i] : before(i));
                EXPECT_EQ(s.pixel(i % c.w, i / c.w), std::vector<uint8_t>(p.begin(), p.end()))
                    << c.what << ", pixel " << i << ", " << name;
            }
        }
}

// The blur's kernel at every level this CPU has against the sweep written
// out, on the rectangles where a wavefront starts and stops, which the level
// driver's small surfaces seldom reach: every width to 40, widths about the
// first and last whole blocks of each level and about the width from which
// bands grow, heights about the bands (4 to 32 rows) and their remainders,
// the rectangle's last row on the surface's bottom row or above another row,
// its left edge inside the surface, padded rows.
TEST(ReferenceModels, BlurKernelsAtBandAndBlockEdges)
{
    std::mt19937 rng(19);
    std::vector<int> widths;
    for (int w = 1; w <= 40; ++w) widths.push_back(w);
    for (int w : {47, 48, 49, 55, 63, 64, 65, 71, 72, 80, 96, 97, 131, 150, 255, 256, 263, 300}) widths.push_back(w);
    const int heights[] = {1, 2, 3, 4, 7, 8, 9, 15, 16, 17, 24, 31, 32, 33, 40, 48, 65};
    int levels = 0;
    for (int bits : {24, 32})
        for (int w : widths)
            for (int h : heights)
                for (bool on_bottom : {true, false}) {
                    // One row above the rectangle and, unless it ends on the
                    // bottom row, one below it; a column on either side.
                    const int x = 1 + (w + h) % 2, width = w + x + 1, rows = h + (on_bottom ? 1 : 2);
                    TestSurface s(width, rows, bits, (w + h) % 3);
                    s.fill_random(rng);
                    std::vector<uint8_t> expect = s.bytes();
                    blur_model(picture_of(expect, s, bits), x, 1, w, h);
                    const std::vector<uint8_t> before = s.bytes();
                    levels = 0;
                    for (pixmill::Isa isa : pixmill::kAllIsas) {
                        if (isa > pixmill::cpu_isa()) break;
                        ++levels;
                        s.bytes() = before;
                        pixmill::kernels_at(isa).blur_rect(s.px(x, 1), -s.pitch(), w, h, bits / 8,
                                                           pixmill::kBlurTopEdge |
                                                               (on_bottom ? pixmill::kBlurBottomEdge : 0u));
                        ASSERT_EQ(s.bytes(), expect) << pixmill::isa_name(isa) << ", " << bits << "-bit, " << w
                                                     << " x " << h << (on_bottom ? " on the bottom row" : "");
                    }
                }
    EXPECT_GT(levels, 1);  // a vector level was there to be checked
}

// Every scaled copy: padded surfaces, rectangles around and beyond their
// edges, now and then three-colour sources (keys and keyed neighbours common,
// alpha 0, 127 and 255), same-surface calls (among them equal sizes a few
// pixels or rows from their source) and rows wider than the 4096 columns
// worked out at once: 1:1, 2x up, 0.5x down and a ratio just off 1.
TEST(ReferenceModels, ScaledCopies)
{
    Dice pick{std::mt19937(2024)};
    const int32_t alphas[] = {0, 255, 128, 1, 256, -1, 300};
    int drawn = 0;
    for (const Variant& v : variants())
        for (int iter = 0; iter < 300; ++iter) {
            const bool wide = iter < 4, same = !wide && v.src_bits == v.dst_bits && iter % 3 == 0;
            TestSurface src(wide ? 4300 : pick(1, 19), wide ? 3 : pick(1, 9), v.src_bits, pick(0, 5));
            TestSurface dst(wide ? 4400 : pick(1, 23), wide ? 4 : pick(1, 11), v.dst_bits, pick(0, 5));
            TestSurface& from = same ? dst : src;
            pick.fill(src);
            pick.fill(dst);
            if (iter % 2) {
                const uint8_t palette[3] = {uint8_t(pick(0, 255)), uint8_t(pick(0, 255)), uint8_t(pick(0, 255))};
                for (auto& b : from.bytes()) b = palette[pick(0, 2)];
                for (int y = 0; y < from.height() && v.src_bits == 32; ++y)
                    for (int x = 0; x < from.width(); ++x) from.px(x, y)[3] = uint8_t(pick(0, 2) * 255 / 2);
            }
            const int Sw = from.width(), Sr = from.height(), Dw = dst.width(), Dr = dst.height();
            const int m = iter % 3 == 1;  // two calls in three start inside both surfaces
            Args a{pick(-8 * m, Dw - 1 + 2 * m), pick(-5 * m, Dr - 1 + 2 * m), pick(-2 * m, 30),
                                 pick(-2 * m, 14), pick(-8 * m, Sw - 1 + 2 * m), pick(-5 * m, Sr - 1 + 2 * m),
                                 pick(-2 * m, 25), pick(-2 * m, 12)};
            const int32_t sws[] = {4297, 2100, 4200, 4298}, dws[] = {4297, 4200, 2100, 4297};
            if (wide) a = {pick(0, 3), 0, dws[iter], 4, pick(0, 1), 0, sws[iter], 3};
            if (same && iter % 2 == 0) {
                a.dw = a.sw = pick(1, Sw), a.dh = a.sh = pick(1, Sr);
                a.dx = a.sx + pick(-2, 3), a.dy = a.sy + pick(-1, 1);
            }
            if (iter % 25 == 24) {  // a size reaching past every surface, and a field at an extreme
                int32_t* field[] = {&a.dx, &a.dy, &a.dw, &a.dh, &a.sx, &a.sy, &a.sw, &a.sh};
                *field[2 + pick(0, 1) + 4 * pick(0, 1)] = INT32_MAX;
                *field[pick(0, 7)] = pick.extreme();
            }
            const uint8_t* k = from.px(pick(0, Sw - 1), pick(0, Sr - 1));
            a.blue = k[0] | (pick(0, 3) << 8), a.green = k[1], a.red = k[2] - (pick(0, 1) << 8);
            a.alpha = alphas[pick(0, 6)];
            std::vector<uint8_t> expect = dst.bytes(), source = src.bytes();
            const Picture D = picture_of(expect, dst, v.dst_bits);
            reference_stretch(v, D, same ? D : picture_of(source, src, v.src_bits), a);
            drawn += expect != dst.bytes();
            v.call(dst.get(), from.get(), a);
            ASSERT_EQ(dst.bytes(), expect) << v.name() << ", iteration " << iter << ": " << a.dx << ' ' << a.dy << ' '
                                           << a.dw << ' ' << a.dh << ' ' << a.sx << ' ' << a.sy << ' ' << a.sw << ' '
                                           << a.sh << (same ? " same surface" : "");
            ASSERT_TRUE(same || src.bytes() == source) << v.name() << ": the source changed";
        }
    EXPECT_GT(drawn, 22 * 300 / 2);  // the rectangles must draw often enough to mean something
}

// The three rotations on sources and destinations of many shapes (the
// destination its own source now and then), at angles up to the 32-bit
// extremes; sources with alpha 0, 255 and between.
TEST(ReferenceModels, Rotation)
{
    Dice pick{std::mt19937(5)};
    const struct {
        int32_t(PIXMILL_CALL* fn)(Surface*, Surface*, int32_t);
        int src_bits, dst_bits;
    } rotations[] = {{Render_Rotate24to24, 24, 24}, {Render_Rotate32to32, 32, 32}, {Render_Rotate32to24, 32, 24}};
    for (int iter = 0; iter < 600; ++iter) {
        const auto& t = rotations[iter % 3];
        const bool same = t.src_bits == t.dst_bits && iter % 4 == 0;
        TestSurface src(pick(1, 17), pick(1, 17), t.src_bits, pick(0, 3));
        TestSurface dst(pick(1, 23), pick(1, 23), t.dst_bits, pick(0, 5));
        TestSurface& from = same ? dst : src;
        pick.fill(src);
        pick.fill(dst);
        for (int y = 0; y < from.height() && t.src_bits == 32; ++y)
            for (int x = 0; x < from.width(); ++x) from.px(x, y)[3] = static_cast<uint8_t>(pick(0, 4) * 255 / 4);
        const int32_t angle = iter % 4 == 1 ? pick.extreme() : pick(-400, 400);
        std::vector<uint8_t> expect = dst.bytes(), source = from.bytes();
        const Picture d = picture_of(expect, dst, t.dst_bits);
        rotate_model(d, same ? d : picture_of(source, src, t.src_bits), angle);
        EXPECT_EQ(t.fn(dst.get(), from.get(), angle), 0);
        ASSERT_EQ(dst.bytes(), expect) << iter << ": " << src.width() << "x" << src.height() << " -> " << dst.width()
                                       << "x" << dst.height() << " at " << angle << (same ? ", same surface" : "");
    }
}

// Very large sizes: the float ratio's rounding can carry the last index past
// the rectangle and the surface; the limit keeps it on the surface.
TEST(Stretch, SampleIndexHeldOnTheSurface)
{
    const struct {
        int32_t src_len, dst_len, limit;
    } cases[] = {{2, 1447900659, 1}, {40, 1299087989, 39}, {1281932432, 1424384441, 1281932432}};
    for (const auto& c : cases) {
        const float ratio = pixmill::stretch_ratio(c.src_len, c.dst_len);
        const int32_t last = c.dst_len - 1;
        ASSERT_GT(std::trunc(last * double(ratio)), double(c.limit)) << c.src_len << " onto " << c.dst_len;
        EXPECT_EQ(pixmill::sample_index(last, ratio, c.limit), c.limit);
        EXPECT_EQ(pixmill::sample_index(last / 2, ratio, c.limit), int32_t(std::trunc(last / 2 * double(ratio))));
    }
}

// One source pixel onto one destination pixel. A 1 x 1 source has no
// neighbours, so the five-point average is the pixel itself and every case
// holds for both families.
TEST(Stretch, PixelRulesOfEveryExport)
{
    struct Case {
        const char* what;
        const char* suffix;
        std::vector<int> src, dst, result;
        int32_t alpha = 255, red = 0, green = 0, blue = 0;
    };
    const Case cases[] = {
        {"copy keeps the fourth byte", "24to32", {1, 2, 3}, {9, 9, 9, 77}, {1, 2, 3, 77}},
        {"alpha 128", "24to24Alpha", {255, 100, 0}, {0, 0, 0}, {128, 50, 0}, 128},
        {"alpha 256 used whole", "24to24Alpha", {200, 200, 200}, {100, 100, 100}, {200, 200, 200}, 256},
        {"alpha -1 used whole", "24to32Alpha", {200, 200, 200}, {100, 100, 100, 5}, {99, 99, 99, 5}, -1},
        {"key skips, low bytes only", "24to24TColor", {1, 2, 3}, {9, 9, 9}, {9, 9, 9}, 255, 0x1203, 0x7702, -255},
        {"key then alpha", "24to24TColorAlpha", {255, 100, 0}, {0, 0, 0}, {128, 50, 0}, 128, 1, 2, 3},
        {"source alpha keeps the fourth byte", "32to32", {255, 0, 100, 128}, {0, 255, 200, 50}, {128, 127, 149, 50}},
        {"whole pixels", "32to32F", {1, 2, 3, 0}, {9, 8, 7, 6}, {1, 2, 3, 0}},
    };
    for (const Case& c : cases)
        for (const char* family : {"Render_StretchBlt", "Render_StretchBltBillinear"}) {
            const std::string name = family + std::string(c.suffix);
            const Variant* v = nullptr;
            for (const auto& each : variants())
                if (name == each.name()) v = &each;
            ASSERT_NE(v, nullptr) << name;
            TestSurface src(1, 1, v->src_bits), dst(1, 1, v->dst_bits);
            src.set(0, 0, c.src);
            dst.set(0, 0, c.dst);
            v->call(dst.get(), src.get(), {0, 0, 1, 1, 0, 0, 1, 1, c.red, c.green, c.blue, c.alpha});
            EXPECT_EQ(dst.pixel(0, 0), std::vector<uint8_t>(c.result.begin(), c.result.end()))
                << c.what << " in " << name;
        }
}
