// The vector form of the ripple's offsets, written once over the double lanes
// of frame/vec_x86.h and compiled once per level by frame/level.cpp.
//
// Each lane does what ripple_offsets_row does for one column, the same IEEE
// operations in the same order: i - cxf and the sum of squares are correctly
// rounded as in scalar code, the square root too, and the sine in lanes gives
// sine()'s bits (frame/sine_lanes.h). The sine lanes take arguments of at
// least 0, so a negative phase per pixel k is turned round: sine is odd to
// the bit (its reduction and both series are), d (-k) = -(d k), and
// s (-amp) = -(s amp), which truncates to the negated offset, so with -k
// and -amp every lane gives the scalar offsets. A vector with an argument
// beyond the sine lanes' range (pixels more than 2^20 / |k| from the centre)
// is left to the scalar code, as are the columns after the last whole vector.
// |s amp| stays below 2^31 * 0.2, so the lanes' truncation is the clamped one.
#pragma once

#include <cstdint>

#include "effect/ripple_rows.h"
#include "frame/sine_lanes.h"
#include "frame/vec_x86.h"

namespace pixmill::PIXMILL_LVL {

// How far each lane lies from the nearest integer (lanes below 2^51).
template <class D>
inline typename D::V off_whole(typename D::V p)
{
    const typename D::V round_const = D::set1(0x1.8p52);
    const typename D::V d = D::sub(p, D::sub(D::add(p, round_const), round_const));
    return D::max(d, D::neg(d));
}

template <class S>
void ripple_offsets(const RippleRow& r, int32_t i0, int32_t n, int32_t* du, int32_t* dv)
{
    using D = typename S::F64;
    using V = typename D::V;
    const bool turn = r.k < 0;
    const V cxf = D::set1(r.cxf), dj2 = D::set1(r.dj2), k = D::set1(turn ? -r.k : r.k);
    const V amp_x = D::set1(turn ? -r.amp_x : r.amp_x), amp_y = D::set1(turn ? -r.amp_y : r.amp_y);
    const V limit = D::set1(trig_constants::kMediumArgument), step = D::set1(D::kLanes);
    // sine_near is within 2^-44 of sine, so a product with amp moves by at
    // most |amp| 2^-44 and its rounding by 2^-52 (|amp| + 1): tol is many
    // times both.
    const double ax = r.amp_x < 0 ? -r.amp_x : r.amp_x, ay = r.amp_y < 0 ? -r.amp_y : r.amp_y;
    const V tol_x = D::set1((ax + 1.0) * 0x1p-40), tol_y = D::set1((ay + 1.0) * 0x1p-40);
    V i = D::ramp(static_cast<double>(i0));
    int32_t c = 0;
    for (; c + D::kLanes <= n; c += D::kLanes, i = D::add(i, step)) {
        const V di = D::sub(i, cxf);
        const V x = D::mul(D::sqrt(D::add(D::mul(di, di), dj2)), k);
        if (!D::all(D::lt(x, limit))) {
            pixmill::ripple_offsets_row(r, i0 + c, D::kLanes, du + c, dv + c);
            continue;
        }
        // Where both products with the near sine lie farther than tol from
        // every integer, the products with sine() truncate alike.
        const V near = SineLanes<D>::sine_near(x);
        const V nx = D::mul(near, amp_x), ny = D::mul(near, amp_y);
        if (D::all(D::lt(tol_x, off_whole<D>(nx))) && D::all(D::lt(tol_y, off_whole<D>(ny)))) {
            D::store_trunc(du + c, nx);
            D::store_trunc(dv + c, ny);
            continue;
        }
        const V s = SineLanes<D>::sine(x);
        D::store_trunc(du + c, D::mul(s, amp_x));
        D::store_trunc(dv + c, D::mul(s, amp_y));
    }
    pixmill::ripple_offsets_row(r, i0 + c, n - c, du + c, dv + c);
}

}  // namespace pixmill::PIXMILL_LVL
