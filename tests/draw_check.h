// A check over every byte of a surface, row padding included.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "test_surface.h"

namespace draw_test {

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
