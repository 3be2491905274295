// Shared by the bar and outline tests: the exports behind one signature, the
// byte each variant should leave, and a check over every byte of a surface.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "frame/arith.h"
#include "test_surface.h"

namespace draw_test {

// Every one-colour drawing export as (dest, x, y, w, h, red, green, blue, a);
// the opaque ones ignore a.
using Draw = int32_t (*)(Surface*, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t);

enum class Kind { kOpaque, kAlpha, kAlphaByte };

struct Variant {
    const char* name;
    int bits;
    Kind kind;
    Draw fn;
    bool outline = false;  // draws the rectangle's border only
};

// (A plain function pointer, so the exports' own calling convention is wrapped.)
#define DRAW_OPAQUE(F) [](Surface* s, int32_t x, int32_t y, int32_t w, int32_t h, int32_t r, int32_t g, int32_t b, \
                          int32_t) { return F(s, x, y, w, h, r, g, b); }
#define DRAW_WITH_ALPHA(F) [](Surface* s, int32_t x, int32_t y, int32_t w, int32_t h, int32_t r, int32_t g, \
                              int32_t b, int32_t a) { return F(s, x, y, w, h, r, g, b, a); }

// Byte k of a pixel that the variant drew over `times` times, colour c in
// byte order; times = 0 is a pixel it never touched.
inline int expected_byte(Kind kind, int k, uint8_t old, const uint8_t c[3], int32_t a, int times)
{
    if (times == 0) return old;
    if (k == 3) return kind == Kind::kAlphaByte ? static_cast<uint8_t>(a) : old;
    if (kind != Kind::kAlpha) return c[k];
    uint8_t v = old;
    for (int i = 0; i < times; ++i) v = pixmill::blend255(c[k], v, a);
    return v;
}

// Compares every byte of s, row padding included, with what expected(x, y, k,
// old) gives; padding must be unchanged.
template <class Expected>
void check_every_byte(pixmill_test::TestSurface& s, const std::vector<uint8_t>& before, int bpp,
                      Expected&& expected)
{
    for (int y = 0; y < s.height(); ++y)
        for (int off = 0; off < s.pitch(); ++off) {
            const int x = off / bpp, k = off % bpp;
            const size_t at = static_cast<size_t>(s.height() - 1 - y) * s.pitch() + off;
            const int want = x < s.width() ? expected(x, y, k, before[at]) : before[at];
            ASSERT_EQ(s.bytes()[at], want) << "x " << x << " y " << y << " byte " << k;
        }
}

}  // namespace draw_test
