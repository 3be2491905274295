// The hue, lightness, saturation adjustment over whole vectors of pixels, for
// any of the lane structs of filter/hls_lanes_x86.h. Included only by the
// per-instruction-set files.
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
// lane ever divides by zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "filter/hls.h"
#include "filter/hls_lanes_x86.h"
#include "filter/hls_rows.h"

namespace pixmill {
namespace {

template <class V>
struct HlsLaneDeltas {
    typename V::I hue, lum, sat;
};

inline int32_t cut_delta(int32_t v)
{
    return v < -241 ? -241 : v > 241 ? 241 : v;
}

// channel_byte for a half of the lanes, before truncation.
template <class V>
inline typename V::D channel_scaled(typename V::D v)
{
    const typename V::D s =
        V::mul_d(V::add_d(V::mul_d(v, V::setd(255.0)), V::setd(120.0)), V::setd(hls_detail::kInv240));
    return V::min_d(V::max_d(s, V::setd(0.0)), V::setd(255.0));
}

template <class V>
struct HlsLanes {
    typename V::I h, l, s;
};

// rgb_to_hls for each lane's pixel (bytes 2, 1, 0; byte 3 is ignored).
template <class V>
inline HlsLanes<V> hls_from_colour_lanes(typename V::I px)
{
    using I = typename V::I;
    using F = typename V::F;
    using D = typename V::D;
    using M = typename V::M;
    const I zero = V::set1(0), one = V::set1(1), byte = V::set1(0xFF);

    const I b = V::and_(px, byte);
    const I g = V::and_(V::template srli<8>(px), byte);
    const I r = V::and_(V::template srli<16>(px), byte);
    const I cmax = V::and_(V::max_u8(V::max_u8(px, V::template srli<8>(px)), V::template srli<16>(px)), byte);
    const I cmin = V::and_(V::min_u8(V::min_u8(px, V::template srli<8>(px)), V::template srli<16>(px)), byte);
    const I sum = V::add(cmax, cmin), d = V::sub(cmax, cmin);
    const M grey = V::eq(d, zero);

    const I l = V::trunc_f(V::mul_f(V::add_f(V::mul_f(V::to_f(sum), V::setf(240.0f)), V::setf(255.0f)),
                                    V::setf(1.0f / 510.0f)));

    const I den = V::select(grey, one, V::select(V::gt(l, V::set1(120)), V::sub(V::set1(510), sum), sum));
    const I dd = V::select(grey, one, d);
    const I s_num = V::add(V::sub(V::template slli<8>(d), V::template slli<4>(d)), V::template srli<1>(den));
    const I s = V::select(grey, zero, V::trunc_f(V::div_f(V::to_f(s_num), V::to_f(den))));

    // 40 (cmax - c) + d / 2 for each channel.
    const I half = V::template srli<1>(d);
    const auto dist = [&](I c) {
        const I x = V::sub(cmax, c);
        return V::add(V::add(V::template slli<5>(x), V::template slli<3>(x)), half);
    };
    const I rn = dist(r), gn = dist(g), bn = dist(b);
    const M rmax = V::eq(r, cmax), gmax = V::eq(g, cmax), rgmax = V::eq(V::max_small(r, g), cmax);
    // Red maximum: F = gq, D = bq. Green: F = rq, D = bq. Blue: F = gq, D = rq.
    const I f_num = V::select(rmax, gn, V::select(gmax, rn, gn));
    const I d_num = V::select(rgmax, bn, rn);
    const I base = V::select(rmax, zero, V::select(gmax, V::set1(80), V::set1(160)));
    const F fq = V::div_f(V::to_f(f_num), V::to_f(dd));
    const auto hue_half = [](D fq_h, D base_h, D num_h, D d_h, typename V::DM rg) {
        const D q = V::div_d(num_h, d_h);
        return V::sub_d(V::add_d(fq_h, base_h), V::select_d(rg, q, V::round_f(q)));
    };
    I h = V::trunc_join(
        hue_half(V::lo_d(fq), V::lo_d(base), V::lo_d(d_num), V::lo_d(dd), V::dmask_lo(rgmax)),
        hue_half(V::hi_d(fq), V::hi_d(base), V::hi_d(d_num), V::hi_d(dd), V::dmask_hi(rgmax)));
    h = V::select(rmax, V::sub(zero, h), h);
    h = V::select(V::gt(zero, h), V::add(h, V::set1(240)), h);  // never above 240 here
    return {V::select(grey, V::set1(160), h), l, s};
}

// hls_to_rgb for each lane: h2, l2 in 0..240, s2 in -32768..240 (grey when
// <= 0). The colour comes back in bytes 2, 1, 0, byte 3 zero.
template <class V>
inline typename V::I colour_from_hls_lanes(typename V::I h2, typename V::I l2, typename V::I s2)
{
    using I = typename V::I;
    using F = typename V::F;
    using D = typename V::D;
    using M = typename V::M;
    const I zero = V::set1(0), one = V::set1(1), c240 = V::set1(240);

    // m2 = a - n k1: for l <= 120, a = 0 and n = -((s + 240) l + 120); else
    // a = s + l and n = l s + 120. The products are whole and below 2^24.
    const F fl = V::to_f(l2), fs = V::to_f(s2);
    const M low = V::gt(V::set1(121), l2);
    const F n_low = V::sub_f(V::setf(0.0f),
                             V::add_f(V::mul_f(V::add_f(fs, V::setf(240.0f)), fl), V::setf(120.0f)));
    const F n_high = V::add_f(V::mul_f(fl, fs), V::setf(120.0f));
    const F nn = V::select_f(low, n_low, n_high);
    const F aa = V::select_f(low, V::setf(0.0f), V::add_f(fs, fl));
    const I l2x2 = V::add(l2, l2);

    struct Half {
        D p, q, diff;
    };
    const auto working = [](D a_h, D n_h, D l2x2_h) {
        const D q = V::round_f(V::sub_d(a_h, V::mul_d(n_h, V::setd(hls_detail::kInv240f))));
        const D p = V::round_f(V::sub_d(l2x2_h, q));
        return Half{p, q, V::sub_d(q, p)};
    };
    const Half lo = working(V::lo_d(aa), V::lo_d(nn), V::lo_d(l2x2));
    const Half hi = working(V::hi_d(aa), V::hi_d(nn), V::hi_d(l2x2));
    const I p_byte = V::trunc_join(channel_scaled<V>(lo.p), channel_scaled<V>(hi.p));
    const I q_byte = V::trunc_join(channel_scaled<V>(lo.q), channel_scaled<V>(hi.q));

    // Each channel's hue, wrapped, and its slope position t: hue for 0..39,
    // 160 - hue for 120..159, -1 where the channel is q (40..119) or p
    // (160..240). The three hues lie 80 apart, so at most one channel of a
    // pixel is on a slope: one interpolation per pixel serves all three.
    struct Channel {
        I hue, t;
    };
    const I minus1 = V::set1(-1), c39 = V::set1(39), c119 = V::set1(119), c159 = V::set1(159);
    const auto channel = [&](I hue) {
        hue = V::select(V::gt(zero, hue), V::add(hue, c240), hue);
        hue = V::select(V::gt(hue, c240), V::sub(hue, c240), hue);
        I t = V::select(V::gt(hue, c39), minus1, hue);
        t = V::select(V::gt(hue, c119), V::sub(V::set1(160), hue), t);
        return Channel{hue, V::select(V::gt(hue, c159), minus1, t)};
    };
    const Channel rc = channel(V::add(h2, V::set1(80))), gc = channel(h2), bc = channel(V::sub(h2, V::set1(80)));
    const I t = V::max_small(V::max_small(rc.t, gc.t), bc.t);
    const auto interp = [](const Half& w, D t_h) {
        const D v = V::add_d(w.p, V::mul_d(V::add_d(V::mul_d(w.diff, t_h), V::setd(20.0)),
                                           V::setd(static_cast<double>(hls_detail::kFortieth))));
        return channel_scaled<V>(v);
    };
    const I slope = V::trunc_join(interp(lo, V::lo_d(t)), interp(hi, V::hi_d(t)));

    const M grey2 = V::gt(one, s2);
    const I grey_byte = V::template srli<4>(V::add(V::template slli<4>(l2), l2));
    const auto channel_byte = [&](const Channel& c) {
        const I flat = V::select(V::gt(c.hue, c159), p_byte, q_byte);
        return V::select(grey2, grey_byte, V::select(V::gt(c.t, minus1), slope, flat));
    };
    const I red = channel_byte(rc), green = channel_byte(gc), blue = channel_byte(bc);

    return V::or_(V::template slli<16>(red), V::or_(V::template slli<8>(green), blue));
}

template <class V>
inline typename V::I adjust_hls_lanes(typename V::I px, const HlsLaneDeltas<V>& k)
{
    using I = typename V::I;
    const I zero = V::set1(0), c240 = V::set1(240);
    const HlsLanes<V> c = hls_from_colour_lanes<V>(px);
    const I h = V::max_small(V::min_small(V::add(c.h, k.hue), c240), zero);
    const I l = V::max_small(V::min_small(V::add(c.l, k.lum), c240), zero);
    const I s = V::min_small(V::add(c.s, k.sat), c240);
    const I alpha = V::and_(px, V::set1(static_cast<int32_t>(0xFF000000u)));
    return V::or_(alpha, colour_from_hls_lanes<V>(h, l, s));
}

// The row in whole vectors; the last few pixels go through a local vector's
// worth of bytes, so they take the same lanes.
template <class V>
void adjust_hls_row_32_v(uint8_t* row, int32_t w, const HlsDeltas& deltas)
{
    const HlsLaneDeltas<V> k{V::set1(cut_delta(deltas.hue)), V::set1(cut_delta(deltas.lum)),
                             V::set1(cut_delta(deltas.sat))};
    constexpr ptrdiff_t n = V::kLanes;
    ptrdiff_t i = 0;
    for (; i + n <= w; i += n) V::store(row + 4 * i, adjust_hls_lanes<V>(V::load(row + 4 * i), k));
    if (i < w) {
        uint8_t buf[4 * n] = {};
        const size_t bytes = 4 * static_cast<size_t>(w - i);
        std::memcpy(buf, row + 4 * i, bytes);
        V::store(buf, adjust_hls_lanes<V>(V::load(buf), k));
        std::memcpy(row + 4 * i, buf, bytes);
    }
}

}  // namespace
}  // namespace pixmill
