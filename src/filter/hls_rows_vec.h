// The vector form of the hue, lightness, saturation row kernel, written once
// over the number lanes of frame/vec_x86.h (S::I32, S::F32, S::F64) and
// compiled once per level by frame/level.cpp.
//
// Every lane computes what rgb_to_hls and hls_to_rgb (filter/hls.h) compute
// for its pixel, with the same IEEE operations in the same precisions, the
// branches turned into selections. Where the steps differ in form, they give
// the same values for every input the kernel can see:
//
// - Lightness: trunc(fl(x * fl(1/510))) with x = 240 sum + 255 <= 122655 is
//   x / 510. x is never a multiple of 510 (240 sum is even, 255 odd), so
//   x / 510 lies at least 1/510 below the next integer (at most 241), while
//   the two roundings move it by less than 241 * 2^-23 < 3e-5.
// - Saturation: trunc(fl(n / den)) in single precision, n < 2^16 and den <=
//   510, the exact quotient at most 240: the same reasoning, a quotient that
//   is not whole lies at least 1/510 below the next integer.
// - The hue's quotients rounded to single precision are divided in single
//   precision: fl32(a / d) equals fl32(fl64(a / d)) for whole a < 2^24 and
//   d <= 255. Rounding twice can only differ if the double lands on a
//   midpoint between two floats (25 significant bits) that the exact quotient
//   misses; but a / d differs from such a midpoint m = k 2^e by at least
//   1 / (d 2^e), relatively at least 1 / (d k) > 2^-33, far beyond the double's
//   half ulp of 2^-53.
// - The hue cases: with F the single-precision quotient and D the other one
//   (in double; rounded to single for a blue maximum), the lane forms
//   (F + base) - D, base 0, 80 or 160. For a red maximum that is the negation
//   of the defined D - F (adding 0 is exact, and IEEE subtraction is
//   symmetric), and truncation toward zero commutes with negation. The
//   scalar kernel reaches the same hue through integer quotients; the tests
//   hold the two together.
// - m2 for lightness <= 120: 0 - (-n) k1 is n k1 in the same rounding.
// - HueToChannel: the hue is whole, so its wrapping and case tests run on
//   integers, and 160 - hue is exact either way. The bytes of q, of p and of
//   the one interpolating channel are computed for every lane and each
//   channel picks its own.
// - Grey: l 255 / 240 = floor(17 l / 16).
// - Deltas are cut to -241..241 per call: for values 0..240 the clamped sums
//   are unchanged, and they fit the lanes.
//
// Grey pixels divide by 1 in place of 0 and their results are replaced, so no
// lane ever divides by zero. The double work runs on each half of the 32-bit
// lanes in turn.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "filter/hls.h"
#include "filter/hls_rows.h"
#include "frame/vec_x86.h"

namespace pixmill::PIXMILL_LVL {

template <class S>
struct HlsLaneDeltas {
    typename S::V hue, lum, sat;
};

inline int32_t cut_delta(int32_t v)
{
    return v < -241 ? -241 : v > 241 ? 241 : v;
}

// Every 32-bit lane holding v.
template <class S>
inline typename S::V lanes32(int32_t v)
{
    return S::set1_32(static_cast<uint32_t>(v));
}

// channel_byte for a half of the lanes, before truncation.
template <class S>
inline typename S::F64::V channel_scaled(typename S::F64::V v)
{
    using D = typename S::F64;
    const typename D::V s = D::mul(D::add(D::mul(v, D::set1(255.0)), D::set1(120.0)), D::set1(hls_detail::kInv240));
    return D::min(D::max(s, D::set1(0.0)), D::set1(255.0));
}

template <class S>
struct HlsLanes {
    typename S::V h, l, s;
};

// rgb_to_hls for each lane's pixel (bytes 2, 1, 0; byte 3 is ignored).
template <class S>
inline HlsLanes<S> hls_from_colour_lanes(typename S::V px)
{
    using I = typename S::I32;
    using F = typename S::F32;
    using D = typename S::F64;
    using V = typename S::V;
    using M = typename I::M;
    const V zero = S::zero(), one = lanes32<S>(1), byte = lanes32<S>(0xFF);

    const V b = S::and_(px, byte);
    const V g = S::and_(S::template srli32<8>(px), byte);
    const V r = S::and_(S::template srli32<16>(px), byte);
    const V rg_max = I::max_small(r, g);
    const V cmax = I::max_small(rg_max, b), cmin = I::min_small(I::min_small(r, g), b);
    const V sum = I::add(cmax, cmin), d = I::sub(cmax, cmin);
    const M grey = I::eq(d, zero);

    const V l =
        F::trunc(F::mul(F::add(F::mul(F::from(sum), F::set1(240.0f)), F::set1(255.0f)), F::set1(1.0f / 510.0f)));

    const V den = I::select(grey, one, I::select(I::gt(l, lanes32<S>(120)), I::sub(lanes32<S>(510), sum), sum));
    const V dd = I::select(grey, one, d);
    const V s_num = I::add(I::sub(S::template slli32<8>(d), S::template slli32<4>(d)), S::template srli32<1>(den));
    const V s = I::select(grey, zero, F::trunc(F::div(F::from(s_num), F::from(den))));

    // 40 (cmax - c) + d / 2 for each channel.
    const V half = S::template srli32<1>(d);
    const auto dist = [&](V c) {
        const V x = I::sub(cmax, c);
        return I::add(I::add(S::template slli32<5>(x), S::template slli32<3>(x)), half);
    };
    const V rn = dist(r), gn = dist(g), bn = dist(b);
    const M rmax = I::eq(r, cmax), gmax = I::eq(g, cmax), rgmax = I::eq(rg_max, cmax);
    // Red maximum: F = gq, D = bq. Green: F = rq, D = bq. Blue: F = gq, D = rq.
    const V f_num = I::select(rmax, gn, I::select(gmax, rn, gn));
    const V d_num = I::select(rgmax, bn, rn);
    const V base = I::select(rmax, zero, I::select(gmax, lanes32<S>(80), lanes32<S>(160)));
    const typename F::V fq = F::div(F::from(f_num), F::from(dd));
    using DV = typename D::V;
    const auto hue_half = [](DV fq_h, DV base_h, DV num_h, DV d_h, typename D::M rg) {
        const DV q = D::div(num_h, d_h);
        return D::sub(D::add(fq_h, base_h), D::select(rg, q, D::through_f32(q)));
    };
    V h = D::trunc_join(hue_half(D::lo(fq), D::lo(base), D::lo(d_num), D::lo(dd), D::mask_lo(rgmax)),
                        hue_half(D::hi(fq), D::hi(base), D::hi(d_num), D::hi(dd), D::mask_hi(rgmax)));
    h = I::select(rmax, I::sub(zero, h), h);
    h = I::select(I::gt(zero, h), I::add(h, lanes32<S>(240)), h);  // never above 240 here
    return {I::select(grey, lanes32<S>(160), h), l, s};
}

// hls_to_rgb for each lane: h2, l2 in 0..240, s2 in -32768..240 (grey when
// <= 0). The colour comes back in bytes 2, 1, 0, byte 3 zero.
template <class S>
inline typename S::V colour_from_hls_lanes(typename S::V h2, typename S::V l2, typename S::V s2)
{
    using I = typename S::I32;
    using F = typename S::F32;
    using D = typename S::F64;
    using V = typename S::V;
    using FV = typename F::V;
    using DV = typename D::V;
    using M = typename I::M;
    const V zero = S::zero(), one = lanes32<S>(1), c240 = lanes32<S>(240);

    // m2 = a - n k1: for l <= 120, a = 0 and n = -((s + 240) l + 120); else
    // a = s + l and n = l s + 120. The products are whole and below 2^24.
    const FV fl = F::from(l2), fs = F::from(s2);
    const M low = I::gt(lanes32<S>(121), l2);
    const FV n_low = F::sub(F::set1(0.0f), F::add(F::mul(F::add(fs, F::set1(240.0f)), fl), F::set1(120.0f)));
    const FV n_high = F::add(F::mul(fl, fs), F::set1(120.0f));
    const FV nn = F::select(low, n_low, n_high);
    const FV aa = F::select(low, F::set1(0.0f), F::add(fs, fl));
    const V l2x2 = I::add(l2, l2);

    struct Half {
        DV p, q, diff;
    };
    const auto working = [](DV a_h, DV n_h, DV l2x2_h) {
        const DV q = D::through_f32(D::sub(a_h, D::mul(n_h, D::set1(hls_detail::kInv240f))));
        const DV p = D::through_f32(D::sub(l2x2_h, q));
        return Half{p, q, D::sub(q, p)};
    };
    const Half lo = working(D::lo(aa), D::lo(nn), D::lo(l2x2));
    const Half hi = working(D::hi(aa), D::hi(nn), D::hi(l2x2));
    const V p_byte = D::trunc_join(channel_scaled<S>(lo.p), channel_scaled<S>(hi.p));
    const V q_byte = D::trunc_join(channel_scaled<S>(lo.q), channel_scaled<S>(hi.q));

    // Each channel's hue, wrapped, and its slope position t: hue for 0..39,
    // 160 - hue for 120..159, -1 where the channel is q (40..119) or p
    // (160..240). The three hues lie 80 apart, so at most one channel of a
    // pixel is on a slope: one interpolation per pixel serves all three.
    struct Channel {
        V hue, t;
    };
    const V minus1 = lanes32<S>(-1), c39 = lanes32<S>(39), c119 = lanes32<S>(119), c159 = lanes32<S>(159);
    const auto channel = [&](V hue) {
        hue = I::select(I::gt(zero, hue), I::add(hue, c240), hue);
        hue = I::select(I::gt(hue, c240), I::sub(hue, c240), hue);
        V t = I::select(I::gt(hue, c39), minus1, hue);
        t = I::select(I::gt(hue, c119), I::sub(lanes32<S>(160), hue), t);
        return Channel{hue, I::select(I::gt(hue, c159), minus1, t)};
    };
    const Channel rc = channel(I::add(h2, lanes32<S>(80))), gc = channel(h2), bc = channel(I::sub(h2, lanes32<S>(80)));
    const V t = I::max_small(I::max_small(rc.t, gc.t), bc.t);
    const auto interp = [](const Half& w, DV t_h) {
        const DV v = D::add(w.p, D::mul(D::add(D::mul(w.diff, t_h), D::set1(20.0)),
                                        D::set1(static_cast<double>(hls_detail::kFortieth))));
        return channel_scaled<S>(v);
    };
    const V slope = D::trunc_join(interp(lo, D::lo(t)), interp(hi, D::hi(t)));

    const M grey2 = I::gt(one, s2);
    const V grey_byte = S::template srli32<4>(I::add(S::template slli32<4>(l2), l2));
    const auto channel_byte = [&](const Channel& c) {
        const V flat = I::select(I::gt(c.hue, c159), p_byte, q_byte);
        return I::select(grey2, grey_byte, I::select(I::gt(c.t, minus1), slope, flat));
    };
    const V red = channel_byte(rc), green = channel_byte(gc), blue = channel_byte(bc);

    return S::or_(S::template slli32<16>(red), S::or_(S::template slli32<8>(green), blue));
}

template <class S>
inline typename S::V adjust_hls_lanes(typename S::V px, const HlsLaneDeltas<S>& k)
{
    using I = typename S::I32;
    using V = typename S::V;
    const V zero = S::zero(), c240 = lanes32<S>(240);
    const HlsLanes<S> c = hls_from_colour_lanes<S>(px);
    const V h = I::max_small(I::min_small(I::add(c.h, k.hue), c240), zero);
    const V l = I::max_small(I::min_small(I::add(c.l, k.lum), c240), zero);
    const V s = I::min_small(I::add(c.s, k.sat), c240);
    const V alpha = S::and_(px, S::set1_32(0xFF000000u));
    return S::or_(alpha, colour_from_hls_lanes<S>(h, l, s));
}

// The row in whole vectors; the last few pixels go through a local vector's
// worth of bytes, so they take the same lanes.
template <class S>
void adjust_hls_32(uint8_t* row, int32_t w, const HlsDeltas& deltas)
{
    const HlsLaneDeltas<S> k{lanes32<S>(cut_delta(deltas.hue)), lanes32<S>(cut_delta(deltas.lum)),
                             lanes32<S>(cut_delta(deltas.sat))};
    constexpr ptrdiff_t n = S::I32::kLanes;
    ptrdiff_t i = 0;
    for (; i + n <= w; i += n) S::store(row + 4 * i, adjust_hls_lanes<S>(S::load(row + 4 * i), k));
    if (i < w) {
        uint8_t buf[4 * n] = {};
        const size_t bytes = 4 * static_cast<size_t>(w - i);
        std::memcpy(buf, row + 4 * i, bytes);
        S::store(buf, adjust_hls_lanes<S>(S::load(buf), k));
        std::memcpy(row + 4 * i, buf, bytes);
    }
}

}  // namespace pixmill::PIXMILL_LVL
