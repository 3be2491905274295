// The vector form of the hue, lightness, saturation row kernel, written once
// over the number lanes of frame/vec_x86.h (S::I32, S::F32, S::F64) and
// compiled once per level by frame/level.cpp.
//
// Every lane computes what rgb_to_hls and hls_to_rgb (filter/hls.h) compute
// for its pixel, in single-precision lanes where that gives the same whole
// numbers; the tests run every colour and every (hue, lightness, saturation)
// triple through every level. Where the steps differ in form:
//
// - Lightness: (240 sum + 255) / 510 = (16 sum + 17) / 34, taken as
//   ((16 sum + 17) 15421) >> 19 in 16-bit lanes (checked for every sum below).
// - Saturation: trunc(fl(n / den)) in single precision, n < 2^16 and den <=
//   510, the exact quotient at most 240: the same reasoning, a quotient that
//   is not whole lies at least 1/510 below the next integer.
// - Hue: with F the quotient rounded to single precision and D the other one
//   (in double; in single for a blue maximum), the definition truncates
//   (F + base) - D, base 0, 80 or 160, negated for a red maximum (adding 0
//   is exact, IEEE subtraction is symmetric and truncation commutes with
//   negation). Exactly, that is base - x / d for a whole x, |x| <= 40 d.
//   When d does not divide x, x / d lies at least 1/255 from every integer,
//   and the lanes' single-precision F, D and sums, a few millionths off,
//   truncate the same. When it does, x / d = k is whole (the lanes find it to
//   the nearest integer) and the roundings decide the side: the sum is
//   base - k + eF - eD with eF, eD the quotients' rounding errors. A nonzero
//   eF is at least 2^-39 while a double's eD is below 2^-48, and eF = 0 makes
//   D's quotient a short binary fraction, eD = 0: so the side is that of eF,
//   or of eF - eD for a blue maximum where both are single-precision. Their
//   signs are those of the exact residuals F d - fn and D d - dn, which a
//   fused multiply-add gives exactly (or the product split in halves of 12
//   bits, where there is no fused form); the final sum's rounding cannot
//   reach the integer, since |eF - eD| stays above its half ulp (2^-44).
// - m2 = fl32(a + n k1) and m1 = fl32(2 l - m2) are single roundings of exact
//   values (n k1 and the difference are exact in double), which the fused
//   multiply-add and a single-precision subtraction give directly; without a
//   fused form m2 is formed in double halves. The whole numbers a and n stay
//   below 2^24, so single-precision lanes form them exactly.
// - The bytes of m1 and m2: (v 255 + 120) / 240 is v 17/16 + 1/2, formed as
//   fl(v * 1.0625 + 0.5) (fused or not), truncated: the same byte as the
//   definition's double steps for every (l, s), which the tests check.
// - The one channel on a slope, p + ((q - p) t + 20) c: in single precision
//   it is within 3e-5 of the double value (checked over every l, s and t);
//   lanes whose scaled value falls within 2^-12 of a whole number (about one
//   in 1600) are worked out again in double, one lane at a time.
// - Roles: with the hue h (0..240) the three channels' hues lie 80 apart, so
//   at most one channel is on a slope, at position t = the distance from h
//   to the nearest multiple of 80; the others take q or p by h's range.
// - Grey: l 255 / 240 = floor(17 l / 16).
// - Deltas: a delta d added to a value 0..240 and the sum cut to 0..240 is
//   the value raised by d with the byte's saturation at 255 (or lowered,
//   saturating at 0), then cut to 240; a saturation cut to 0 is a grey as
//   one below 0 is.
//
// Grey pixels divide by 1 in place of 0 and their results are replaced, so no
// lane ever divides by zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "filter/hls.h"
#include "filter/hls_rows.h"
#include "frame/vec_x86.h"

namespace pixmill::PIXMILL_LVL {

// The deltas as bytes of the packed triple h | l << 8 | s << 16: each cut
// to -241..241 (for values 0..240 the clamped sums are unchanged), its
// positive part in up, its negative part in down.
template <class S>
struct HlsLaneDeltas {
    typename S::V up, down;
};

template <class S>
inline HlsLaneDeltas<S> hls_lane_deltas(const HlsDeltas& d)
{
    uint32_t up = 0, down = 0;
    const int32_t each[3] = {d.hue, d.lum, d.sat};
    for (int c = 0; c < 3; ++c) {
        const int32_t v = each[c] < -241 ? -241 : each[c] > 241 ? 241 : each[c];
        (v < 0 ? down : up) |= static_cast<uint32_t>(v < 0 ? -v : v) << (8 * c);
    }
    return {S::set1_32(up), S::set1_32(down)};
}

// Every 32-bit lane holding v.
template <class S>
inline typename S::V lanes32(int32_t v)
{
    return S::set1_32(static_cast<uint32_t>(v));
}

// a * b + c: fused where the level has it, else rounded twice. Only where
// both forms give the same whole numbers afterwards.
template <class S>
inline typename S::F32::V mul_add(typename S::F32::V a, typename S::F32::V b, typename S::F32::V c)
{
    using F = typename S::F32;
    if constexpr (F::kFused)
        return F::mul_add(a, b, c);
    else
        return F::add(F::mul(a, b), c);
}

// |v|.
template <class S>
inline typename S::F32::V abs_f(typename S::F32::V v)
{
    using F = typename S::F32;
    return F::from_bits(S::and_(F::bits(v), S::set1_32(0x7FFFFFFFu)));
}

// n - q d exactly, for q the quotient n / d rounded to single precision, n
// and d whole, d below 2^12: the residual of a rounded quotient is a float.
// Without a fused form, q splits into a top of 12 significant bits and the
// rest, each of whose products with d is exact, and the top's product lies
// within a factor 2 of n.
template <class S>
inline typename S::F32::V quotient_residual(typename S::F32::V q, typename S::F32::V d, typename S::F32::V n)
{
    using F = typename S::F32;
    if constexpr (F::kFused) {
        return F::neg_mul_add(q, d, n);
    } else {
        const typename F::V top = F::from_bits(S::and_(F::bits(q), S::set1_32(0xFFFFF000u)));
        return F::sub(F::sub(n, F::mul(top, d)), F::mul(F::sub(q, top), d));
    }
}

constexpr bool lightness_by_multiply()
{
    for (uint32_t sum = 0; sum <= 510; ++sum)
        if ((((16 * sum + 17) * 15421) >> 19) != (sum * 240 + 255) / 510) return false;
    return true;
}
static_assert(lightness_by_multiply());

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
    using V = typename S::V;
    using FV = typename F::V;
    using M = typename I::M;
    const V zero = S::zero(), one = lanes32<S>(1), byte = lanes32<S>(0xFF);

    const V b = S::and_(px, byte);
    const V g = S::and_(S::template srli32<8>(px), byte);
    const V r = S::and_(S::template srli32<16>(px), byte);
    const V rg_max = I::max_small(r, g);
    const V cmax = I::max_small(rg_max, b), cmin = I::min_small(I::min_small(r, g), b);
    const V sum = I::add(cmax, cmin), d = I::sub(cmax, cmin);
    const M grey = I::eq(d, zero);

    const V l = S::template srli32<3>(S::mulhi_u16(I::add(S::template slli32<4>(sum), lanes32<S>(17)), lanes32<S>(15421)));

    const V den = I::select(grey, one, I::select(I::gt(l, lanes32<S>(120)), I::sub(lanes32<S>(510), sum), sum));
    const V dd = I::select(grey, one, d);
    const V s_num = I::add(S::mullo16(d, lanes32<S>(240)), S::template srli32<1>(den));
    const V s = I::select(grey, zero, F::trunc(F::div(F::from(s_num), F::from(den))));

    // 40 (cmax - c) + d / 2 for the channels of the two quotients. Red
    // maximum: F of green, D of blue. Green: F of red, D of blue. Blue: F of
    // green, D of red.
    const V half = S::template srli32<1>(d);
    const auto dist = [&](V c) { return I::add(S::mullo16(I::sub(cmax, c), lanes32<S>(40)), half); };
    const M rmax = I::eq(r, cmax), gmax = I::but_not(I::eq(g, cmax), rmax), rgmax = I::eq(rg_max, cmax);
    const FV f_num = F::from(dist(I::select(gmax, r, g)));
    const FV d_num = F::from(dist(I::select(rgmax, b, r)));
    const FV base = F::select(rmax, F::set1(0.0f), F::select(gmax, F::set1(80.0f), F::set1(160.0f)));
    const FV fd = F::from(dd);
    const FV fq = F::div(f_num, fd), dq = F::div(d_num, fd);
    const FV sum_q = F::sub(F::add(fq, base), dq);

    const FV whole = F::nearest(sum_q);
    const M divides = F::lt(abs_f<S>(F::sub(sum_q, whole)), F::set1(1.0f / 1024.0f));
    // The side of the integer: the sign of eF - eD, which is that of the
    // difference of the residuals fn - F d and dn - D d, negated.
    const FV fzero = F::set1(0.0f);
    const FV side = F::sub(quotient_residual<S>(fq, fd, f_num),
                           F::select(rgmax, fzero, quotient_residual<S>(dq, fd, d_num)));
    // Both residuals are whole multiples of 2^-31 (the quotients are at least
    // 1/255, or 0), so a nonzero side cut to 2^-31 either way and scaled by
    // 2^29 moves the integer by 1/4 to the side the roundings took it.
    const FV nudge = F::min(F::max(side, F::set1(-0x1p-31f)), F::set1(0x1p-31f));
    const FV hue = F::select(divides, mul_add<S>(nudge, F::set1(-0x1p29f), whole), sum_q);
    V h = F::trunc(F::select(rmax, F::sub(fzero, hue), hue));

    h = I::select(I::gt(zero, h), I::add(h, lanes32<S>(240)), h);  // never above 240 here
    return {I::select(grey, lanes32<S>(160), h), l, s};
}

// The byte of a channel value v on the 0..240 scale, before clamping:
// fl(v * 17/16 + 1/2) (see above).
template <class S>
inline typename S::F32::V scaled_channel(typename S::F32::V v)
{
    using F = typename S::F32;
    return mul_add<S>(v, F::set1(1.0625f), F::set1(0.5f));
}

// By the hue's range h / 40 (0..6; 7 for h = 160 exactly, where no channel is
// on a slope): the multiple of 80 nearest to h, and the order of the bytes
// p, q, slope (0, 1, 2) in blue, green, red (byte 3 stays 0).
inline constexpr int32_t kSlopeCentre[16] = {0, 80, 80, 160, 160, 240, 240, 160};
inline constexpr int32_t kChannelOrder[16] = {0x03010200, 0x03020100, 0x03000102, 0x03000201,
                                              0x03020001, 0x03010002, 0x03010000, 0x03000001};

// Entry idx (0..7) of the table, in every lane.
template <class S>
inline typename S::V lookup8(const int32_t (&table)[16], typename S::V idx)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(table);
    if constexpr (S::kBytes == 16)
        return S::pick_words2(S::load(bytes), S::load(bytes + 16), idx);
    else
        return S::pick_words(S::load(bytes), idx);
}

// hls_to_rgb for each lane: h2, l2 and s2 in 0..240 (grey when s2 is 0).
// The colour comes back in bytes 2, 1, 0, byte 3 zero.
template <class S>
inline typename S::V colour_from_hls_lanes(typename S::V h2, typename S::V l2, typename S::V s2)
{
    using I = typename S::I32;
    using F = typename S::F32;
    using D = typename S::F64;
    using V = typename S::V;
    using FV = typename F::V;
    using M = typename I::M;
    const V one = lanes32<S>(1), c255 = lanes32<S>(255);

    // m2 = a + n k1, k1 the single-precision 1/240 (kInv240f): for l <= 120,
    // a = 0 and n = (s + 240) l + 120; else a = s + l and n = -(l s + 120).
    // Every product and sum here is whole and below 2^24 in magnitude, so
    // exact in single precision.
    const FV fl = F::from(l2), fs = F::from(s2), fzero = F::set1(0.0f);
    const M low = I::gt(lanes32<S>(121), l2);
    const FV ls = mul_add<S>(fl, fs, F::set1(120.0f));
    const FV nn = F::select(low, mul_add<S>(fl, F::set1(240.0f), ls), F::sub(fzero, ls));
    const FV aa = F::select(low, fzero, F::add(fs, fl));
    FV q;
    if constexpr (F::kFused) {
        q = F::mul_add(nn, F::set1(hls_detail::kInv240f), aa);
    } else {
        using DV = typename D::V;
        const auto half = [](DV a_h, DV n_h) { return D::add(a_h, D::mul(n_h, D::set1(hls_detail::kInv240f))); };
        q = D::join_f32(half(D::lo(aa), D::lo(nn)), half(D::hi(aa), D::hi(nn)));
    }
    const FV p = F::sub(F::add(fl, fl), q);
    V p_byte = I::min_small(F::trunc(scaled_channel<S>(p)), c255);
    V q_byte = I::min_small(F::trunc(scaled_channel<S>(q)), c255);

    // The slope position t: h's distance to the nearest multiple of 80.
    // With byte shuffles the hue's range (h / 40, 160 apart) picks both that
    // multiple and the order of the channels from small tables.
    const V h = h2;
    constexpr bool kByTable = S::kShuffles;
    V t, range;
    if constexpr (kByTable) {
        range = I::select(I::eq(h, lanes32<S>(160)), lanes32<S>(7), S::mulhi_u16(h, lanes32<S>(1639)));
        const V off = I::sub(h, lookup8<S>(kSlopeCentre, range));
        t = I::max_small(off, I::sub(S::zero(), off));
    } else {
        V r80 = I::select(I::gt(h, lanes32<S>(79)), I::sub(h, lanes32<S>(80)), h);
        r80 = I::select(I::gt(h, lanes32<S>(159)), I::sub(r80, lanes32<S>(80)), r80);
        t = I::min_small(r80, I::sub(lanes32<S>(80), r80));
    }
    const FV slope = mul_add<S>(mul_add<S>(F::sub(q, p), F::from(t), F::set1(20.0f)),
                                F::set1(hls_detail::kFortieth), p);
    const FV scaled = scaled_channel<S>(slope);
    V slope_byte = I::min_small(F::trunc(scaled), c255);

    const M grey2 = I::gt(one, s2);
    const M near = I::but_not(F::lt(abs_f<S>(F::sub(scaled, F::nearest(scaled))), F::set1(1.0f / 4096.0f)), grey2);
    if (uint32_t redo = I::lanes(near)) {
        constexpr int n = I::kLanes;
        int32_t pl[n], ql[n], tl[n], out[n];
        S::store(reinterpret_cast<uint8_t*>(pl), F::bits(p));
        S::store(reinterpret_cast<uint8_t*>(ql), F::bits(q));
        S::store(reinterpret_cast<uint8_t*>(tl), t);
        S::store(reinterpret_cast<uint8_t*>(out), slope_byte);
        for (; redo; redo &= redo - 1) {
            const int k = __builtin_ctz(redo);
            float pk, qk;
            std::memcpy(&pk, &pl[k], sizeof pk);
            std::memcpy(&qk, &ql[k], sizeof qk);
            const double dp = pk, dq = qk, c = hls_detail::kFortieth;
            out[k] = hls_detail::channel_byte(dp + ((dq - dp) * tl[k] + 20.0) * c);
        }
        slope_byte = S::load(reinterpret_cast<const uint8_t*>(out));
    }

    // A grey takes l 255 / 240 in every channel.
    const V grey_byte = S::template srli32<4>(I::add(S::template slli32<4>(l2), l2));
    p_byte = I::select(grey2, grey_byte, p_byte);
    q_byte = I::select(grey2, grey_byte, q_byte);
    slope_byte = I::select(grey2, grey_byte, slope_byte);
    if constexpr (kByTable) {
        const V bytes = S::or_(p_byte, S::or_(S::template slli32<8>(q_byte), S::template slli32<16>(slope_byte)));
        return S::pick_in_words(bytes, lookup8<S>(kChannelOrder, range));
    } else {
        // Which channel takes p, which q; the third is on the slope.
        const M g39 = I::gt(h, lanes32<S>(39)), g79 = I::gt(h, lanes32<S>(79)), g119 = I::gt(h, lanes32<S>(119));
        const M g159 = I::gt(h, lanes32<S>(159)), g160 = I::gt(h, lanes32<S>(160)), g199 = I::gt(h, lanes32<S>(199));
        const auto channel = [&](M is_p, M is_q) {
            return I::select(is_p, p_byte, I::select(is_q, q_byte, slope_byte));
        };
        const V red = channel(I::but_not(g79, g160), I::either(I::gt(lanes32<S>(40), h), g199));
        const V green = channel(g159, I::but_not(g39, g119));
        const V blue = channel(I::either(I::gt(lanes32<S>(80), h), I::eq(h, lanes32<S>(240))), I::but_not(g119, g199));
        return S::or_(S::template slli32<16>(red), S::or_(S::template slli32<8>(green), blue));
    }
}

// The pixels' triples with the deltas added and cut (a saturation of 0 or
// less as 0, a grey), packed h | l << 8 | s << 16.
template <class S>
inline typename S::V adjusted_hls_lanes(typename S::V px, const HlsLaneDeltas<S>& k)
{
    const HlsLanes<S> c = hls_from_colour_lanes<S>(px);
    const typename S::V packed = S::or_(c.h, S::or_(S::template slli32<8>(c.l), S::template slli32<16>(c.s)));
    return S::min_u8(S::subs_u8(S::adds_u8(packed, k.up), k.down), lanes32<S>(0x00F0F0F0));
}

// The row in whole vectors, in chunks: first every pixel's adjusted triple,
// kept on the stack, then every colour (two short loops keep fewer constants
// live than one long one); the last few pixels go through a local vector's
// worth of bytes, so they take the same lanes.
template <class S>
void adjust_hls_32(uint8_t* row, int32_t w, const HlsDeltas& deltas)
{
    using V = typename S::V;
    const HlsLaneDeltas<S> k = hls_lane_deltas<S>(deltas);
    constexpr ptrdiff_t n = S::I32::kLanes, kChunk = 16 * n;
    const ptrdiff_t whole = w / n * n;
    const size_t rest = 4 * static_cast<size_t>(w - whole);
    uint8_t buf[4 * n] = {};
    uint8_t triples[4 * kChunk];
    for (ptrdiff_t start = 0; start < w; start += kChunk) {
        const ptrdiff_t end = w - start < kChunk ? w : start + kChunk;
        for (ptrdiff_t i = start; i < end; i += n) {
            const uint8_t* at = row + 4 * i;
            if (i == whole) at = static_cast<uint8_t*>(std::memcpy(buf, at, rest));
            S::store(triples + 4 * (i - start), adjusted_hls_lanes<S>(S::load(at), k));
        }
        for (ptrdiff_t i = start; i < end; i += n) {
            uint8_t* at = i == whole ? buf : row + 4 * i;
            const V packed = S::load(triples + 4 * (i - start)), byte = lanes32<S>(0xFF);
            const V colour = colour_from_hls_lanes<S>(S::and_(packed, byte), S::and_(S::template srli32<8>(packed), byte),
                                                      S::template srli32<16>(packed));
            S::store(at, S::or_(S::and_(S::load(at), S::set1_32(0xFF000000u)), colour));
        }
    }
    if (rest) std::memcpy(row + 4 * whole, buf, rest);
}

}  // namespace pixmill::PIXMILL_LVL
