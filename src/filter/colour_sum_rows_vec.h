// The vector form of the colour sums, written once over the vocabulary of
// frame/vec_x86.h and compiled once per level by frame/level.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "filter/colour_sum_rows.h"
#include "frame/vec_x86.h"

namespace pixmill::PIXMILL_LVL {

// Each row's whole blocks of three vectors (S::kBytes pixels) go into 64-bit
// lanes of byte sums (all bytes, blue bytes, green bytes) that run across
// every row and are added up once at the end; the pixels after a row's last
// whole block go through the scalar kernel. The lanes never overflow (they
// hold less than 255 times the bytes of the array), and cutting their totals
// to 32 bits at the end is the same as wrapping at every addition, so the
// sums are the scalar kernel's whatever the order.
template <class S>
void sum_24(const uint8_t* first, ptrdiff_t step, int32_t w, int32_t h, ColourSums& sums)
{
    using V = typename S::V;
    constexpr ptrdiff_t n = S::kBytes;
    if (w < n) {  // the lanes cost more than rows this short
        pixmill::sum_rows_24(first, step, w, h, sums);
        return;
    }
    const V blue[3] = {lane24<S>(0, 0), lane24<S>(0, 1), lane24<S>(0, 2)};
    const V green[3] = {lane24<S>(1, 0), lane24<S>(1, 1), lane24<S>(1, 2)};
    const ptrdiff_t whole = static_cast<ptrdiff_t>(w) / n * n;
    V all = S::zero(), b = S::zero(), g = S::zero();
    for (int32_t j = 0;;) {
        for (ptrdiff_t i = 0; i < whole; i += n)
            for (int k = 0; k < 3; ++k) {
                const V v = S::load(first + 3 * i + k * S::kBytes);
                all = S::add64(all, S::sad8(v));
                b = S::add64(b, S::sad8(S::and_(v, blue[k])));
                g = S::add64(g, S::sad8(S::and_(v, green[k])));
            }
        if (whole < w) pixmill::sum_row_24(first + 3 * whole, static_cast<int32_t>(w - whole), sums);
        if (++j >= h) break;
        first += step;
    }
    const uint64_t tb = S::hsum64(b), tg = S::hsum64(g), tr = S::hsum64(all) - tb - tg;
    sums.blue += static_cast<uint32_t>(tb);
    sums.green += static_cast<uint32_t>(tg);
    sums.red += static_cast<uint32_t>(tr);
}

}  // namespace pixmill::PIXMILL_LVL
