// The 22 scaled copies, called through the export table, and a reference
// that works each call out pixel by pixel, straight from the rules, for the
// tests to compare against.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "call_setup.h"
#include "test_surface.h"

namespace stretch_test {

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

inline const std::vector<Variant>& variants()
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
inline bool reference_clip(Args& a, int64_t Dw, int64_t Dr, int64_t Sw, int64_t Sr)
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
inline void reference_stretch(const Variant& v, const Picture& D, const Picture& S, Args a)
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

// Calls v on dst from src (or from dst itself, when same) and compares the
// whole destination array, padding included, with the reference's drawing
// of the call; a separate source must not change. True when the call drew.
inline bool call_matches_reference(const Variant& v, pixmill_test::TestSurface& dst, pixmill_test::TestSurface& src,
                                   bool same, const Args& a)
{
    std::vector<uint8_t> expect = dst.bytes(), src_copy = src.bytes();
    const Picture D{expect.data(), dst.width(), dst.height(), dst.pitch(), v.dst_bits / 8};
    const Picture S = same ? D : Picture{src_copy.data(), src.width(), src.height(), src.pitch(), v.src_bits / 8};
    reference_stretch(v, D, S, a);
    const bool drawn = expect != dst.bytes();
    v.call(dst.get(), same ? dst.get() : src.get(), a);
    EXPECT_EQ(dst.bytes(), expect) << v.name() << ": " << a.dx << ' ' << a.dy << ' ' << a.dw << ' ' << a.dh << ' '
                                   << a.sx << ' ' << a.sy << ' ' << a.sw << ' ' << a.sh << " on " << src.width()
                                   << 'x' << src.height() << " -> " << dst.width() << 'x' << dst.height()
                                   << (same ? " same surface" : "");
    EXPECT_TRUE(same || src.bytes() == src_copy) << v.name() << ": the source changed";
    return drawn;
}

}  // namespace stretch_test
