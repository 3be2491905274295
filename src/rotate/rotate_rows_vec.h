// The vector forms of the rotation's kernels, written once over the number
// lanes of frame/vec_x86.h and compiled once per level by frame/level.cpp: the
// offsets in double lanes (S::F64), the 32-bit copies gathered (S::I32, at the
// levels that gather; the others leave them to the scalar copy).
//
// Each offset lane does what turn_offset does for one offset, the same IEEE
// operations in the same order and precision (no fused multiply-add: the
// library is compiled with -ffp-contract=off), so each lane gives the scalar
// bits:
// - i^2 + j^2 is formed in double: below kMaxRowOffset every square and the
//   sum are whole numbers below 2^53, exact, as the scalar 64-bit integer sum
//   converted to double is;
// - the square root, the quotients i / rho and j / rho, the products, the sum
//   and the difference are correctly rounded in lanes as in scalar code, and r
//   is rounded to single precision and back with the same conversions;
// - on the axis (j = 0, i >= 1) rho = i exactly, so i / rho = 1 and
//   j / rho = 0, and the angle-addition forms give r cos a and r sin a, the
//   scalar axis values (a sum or difference with a zero product is exact);
// - the products are far inside the 32-bit range, so truncating them with the
//   lanes' conversion is the clamped scalar truncation.
// The offsets after the last whole vector are turned by the scalar code.
#pragma once

#include <cstddef>
#include <cstdint>

#include "frame/vec_x86.h"
#include "rotate/rotate_offset.h"
#include "rotate/rotate_rows.h"

namespace pixmill::PIXMILL_LVL {

template <class S>
void rotate_offsets(int64_t i, int64_t j0, int32_t count, const Turn& t, int32_t* u, int32_t* v)
{
    using D = typename S::F64;
    using V = typename D::V;
    const V cos_a = D::set1(t.cos_a), sin_a = D::set1(t.sin_a), step = D::set1(D::kLanes);
    const V di = D::set1(static_cast<double>(i));
    V j = D::ramp(static_cast<double>(j0));
    int32_t k = 0;
    for (; k + D::kLanes <= count; k += D::kLanes) {
        const V rho = D::sqrt(D::add(D::mul(di, di), D::mul(j, j)));
        const V r = D::through_f32(rho);
        const V cos0 = D::div(di, rho), sin0 = D::div(j, rho);
        D::store_trunc(u + k, D::mul(r, D::sub(D::mul(cos0, cos_a), D::mul(sin0, sin_a))));
        D::store_trunc(v + k, D::mul(r, D::add(D::mul(sin0, cos_a), D::mul(cos0, sin_a))));
        j = D::add(j, step);
    }
    pixmill::turn_offsets_row(i, j0 + k, count - k, t, u + k, v + k);
}

// For offset (a, b) c = a / rho and s = b / rho are its cosine and sine; for
// the mirror image (b, a) they are the sine and cosine, and the length is the
// same double, so the four products serve both.
template <class D>
struct TurnedPairs {
    typename D::V u, v, mu, mv;  // offset (a, b) turned, and its mirror image (b, a), not yet truncated
};

// The lanes' offsets (a, b) and (b, a) turned, aa being a * a.
template <class D>
inline TurnedPairs<D> turn_pairs(typename D::V da, typename D::V aa, typename D::V b, typename D::V cos_a,
                                 typename D::V sin_a)
{
    using V = typename D::V;
    const V rho = D::sqrt(D::add(aa, D::mul(b, b)));
    const V r = D::through_f32(rho);
    const V c = D::div(da, rho), s = D::div(b, rho);
    const V cc = D::mul(c, cos_a), ss = D::mul(s, sin_a), sc = D::mul(s, cos_a), cs = D::mul(c, sin_a);
    return {D::mul(r, D::sub(cc, ss)), D::mul(r, D::add(sc, cs)), D::mul(r, D::sub(sc, cs)),
            D::mul(r, D::add(cc, ss))};
}

template <class S>
void rotate_offset_pairs(int64_t a, int64_t b0, int32_t count, const Turn& t, int32_t* u, int32_t* v, int32_t* mu,
                         int32_t* mv)
{
    using D = typename S::F64;
    using V = typename D::V;
    const V cos_a = D::set1(t.cos_a), sin_a = D::set1(t.sin_a), step = D::set1(D::kLanes);
    const V da = D::set1(static_cast<double>(a)), aa = D::mul(da, da);
    V b = D::ramp(static_cast<double>(b0));
    int32_t k = 0;
    for (; k + D::kLanes <= count; k += D::kLanes) {
        const TurnedPairs<D> p = turn_pairs<D>(da, aa, b, cos_a, sin_a);
        D::store_trunc(u + k, p.u);
        D::store_trunc(v + k, p.v);
        D::store_trunc(mu + k, p.mu);
        D::store_trunc(mv + k, p.mv);
        b = D::add(b, step);
    }
    pixmill::turn_offset_pairs(a, b0 + k, count - k, t, u + k, v + k, mu + k, mv + k);
}

// The source seen from 32-bit lanes: pixel (x, y) (top-down, x and y taken
// unsigned, so a negative one fails) lies in it when x <= max_x and y <=
// rows - 1, at word x - y stride from top.
template <class S>
struct SourceLanes {
    using V = typename S::V;
    using I = typename S::I32;
    V cx, cy, max_x, last_row, stride;
    explicit SourceLanes(const SourceRead& s)
        : cx(S::set1_32(static_cast<uint32_t>(s.cx))),
          cy(S::set1_32(static_cast<uint32_t>(s.cy))),
          max_x(S::set1_32(static_cast<uint32_t>(s.max_x))),
          last_row(S::set1_32(static_cast<uint32_t>(s.rows - 1))),
          stride(S::set1_32(static_cast<uint32_t>(s.stride_bytes / 4)))
    {
    }
    typename I::M inside(V x, V y) const { return I::both(I::le_u(x, max_x), I::le_u(y, last_row)); }
    V word(V x, V y) const { return I::sub(x, I::mullo(y, stride)); }
};

// Lanes in destination order: a run to the left takes its offsets reversed
// and stores the lanes ending at the k-th pixel. A lane whose source pixel
// fails its test neither reads nor writes; sa a and sb b are formed as
// (a ^ m) - m with m = 0 or -1. The pixels' indices from the top need 32 bits
// (index32).
template <class S>
void rotate_copy_32(const SourceRead& s, uint8_t* dst, int32_t dir, const int32_t* a, const int32_t* b, int32_t sa,
                    int32_t sb, int32_t n)
{
    int32_t k = 0;
    if constexpr (S::I32::kGathers) {
        using I = typename S::I32;
        using V = typename S::V;
        constexpr int32_t lanes = I::kLanes;
        if (s.index32 && s.rows >= 1) {
            const SourceLanes<S> src(s);
            const V ma = S::set1_32(sa < 0 ? ~0u : 0u), mb = S::set1_32(sb < 0 ? ~0u : 0u);
            for (; k + lanes <= n; k += lanes) {
                V va = S::load(reinterpret_cast<const uint8_t*>(a + k));
                V vb = S::load(reinterpret_cast<const uint8_t*>(b + k));
                if (dir < 0) {
                    va = S::reverse32(va);
                    vb = S::reverse32(vb);
                }
                const V x = I::add(src.cx, I::sub(S::xor_(va, ma), ma));
                const V y = I::add(src.cy, I::sub(S::xor_(vb, mb), mb));
                const typename I::M ok = src.inside(x, y);
                const V px = I::gather(s.top, src.word(x, y), ok);
                I::store_masked(dir > 0 ? dst + 4 * static_cast<ptrdiff_t>(k)
                                        : dst - 4 * static_cast<ptrdiff_t>(k + lanes - 1),
                                ok, px);
            }
        }
    }
    if (k < n)
        pixmill::copy_run_32(s, dst + dir * 4 * static_cast<ptrdiff_t>(k), dir, a + k, b + k, sa, sb, n - k);
}

// One vector of offset pairs turned in two halves of double lanes, as
// rotate_offset_pairs turns them, and their four transfers drawn at once from
// the lanes: nothing goes through memory between the turn and the gathers.
// The two transfers that run to the left take the lanes reversed.
//
// The source lines a tile row reads come from memory (the walk along slanted
// lines defeats the processor's own prefetching); each vector asks for the
// lines that the same row of the next block, count columns on, will read:
// its source points lie count (cos a, sin a) further along for the transfers
// to the right and as far back for those to the left. Every fourth lane
// suffices, as a source line is met by several lanes or several rows. Each
// row also asks for the destination lines it will write in the next block,
// which the short runs of a block leave to memory too. Without a next block
// nothing is asked for: lines past the picture's edge may lie on pages not
// mapped, whose asking costs as much as a miss.
//
// At levels without gathers the block goes by the runs of copy_block_32_by.
template <class S>
void rotate_block_32(const SourceRead& s, const DestCentre& d, const Turn& t, int64_t a0, int64_t a1, int64_t b0,
                     int32_t count, int32_t ahead)
{
    int32_t drawn = 0;  // columns
    if constexpr (S::I32::kGathers) {
        using I = typename S::I32;
        using D = typename S::F64;
        using V = typename S::V;
        using DV = typename D::V;
        constexpr int32_t lanes = I::kLanes;
        static_assert(lanes == 2 * D::kLanes, "a vector of offsets is two halves of double lanes");
        if (s.index32 && s.rows >= 1) {
            const DV cos_a = D::set1(t.cos_a), sin_a = D::set1(t.sin_a), step = D::set1(lanes);
            const SourceLanes<S> src(s);
            const int64_t stride_words = s.stride_bytes / 4;
            // The step, in words, modulo 2^32 as the lanes add it: a picture
            // too flat for it to fit only asks for lines it does not need.
            const int64_t step_words =
                static_cast<int64_t>(count * t.cos_a) - static_cast<int64_t>(count * t.sin_a) * stride_words;
            const V next = S::set1_32(static_cast<uint32_t>(step_words));
            const V back = S::set1_32(static_cast<uint32_t>(-step_words));
            // Source pixel (x, y) is word x - y stride from top; the lanes of
            // live whose source pixel passes its test are read and stored at
            // p (the lanes in the order the caller gives them).
            int first = 0;  // the lanes asked for turn with the row
            auto draw = [&](uint8_t* p, V x, V y, V to_next, typename I::M live) {
                const typename I::M ok = I::both(live, src.inside(x, y));
                const V at = src.word(x, y);
                if (ahead > 0) I::prefetch_every4(s.top, I::add(at, to_next), first);
                I::store_masked(p, ok, I::gather(s.top, at, ok));
            };
            // The last vector may reach past the block: its lanes beyond
            // count read and write nothing, and the runs to the left start
            // their vector before the block's last pixel (an address only).
            alignas(64) static constexpr int32_t kLaneNumbers[16] = {0, 1, 2,  3,  4,  5,  6,  7,
                                                                     8, 9, 10, 11, 12, 13, 14, 15};
            const V numbers = S::load(reinterpret_cast<const uint8_t*>(kLaneNumbers));
            const typename I::M all = I::eq(numbers, numbers);
            const V left_over = S::set1_32(static_cast<uint32_t>(count % lanes));
            const typename I::M tail = I::gt(left_over, numbers);
            const typename I::M tail_reversed = I::gt(left_over, S::reverse32(numbers));
            auto ending_at = [](uint8_t* p, int64_t pixels) {
                return reinterpret_cast<uint8_t*>(reinterpret_cast<uintptr_t>(p) - static_cast<uintptr_t>(4 * pixels));
            };
            drawn = count;
            for (int64_t a = a0; a < a1; ++a, first = (first + 1) & 3) {
                uint8_t* down = d.centre - a * d.stride_bytes;  // row cyd + a
                uint8_t* up = d.centre + a * d.stride_bytes;    // row cyd - a
                if (ahead > 0)  // the lines of this row's pixels in the next block
                    for (int64_t c = 0; c < 4 * ahead; c += 64) {
                        S::prefetch(down + 4 * (b0 + count) + c);
                        S::prefetch(up + 4 * (b0 + count) + c);
                        S::prefetch(up - 4 * (b0 + count + ahead - 1) + c);
                        S::prefetch(down - 4 * (b0 + count + ahead - 1) + c);
                    }
                const DV da = D::set1(static_cast<double>(a));
                const DV aa = D::mul(da, da);
                DV b_lo = D::ramp(static_cast<double>(b0)), b_hi = D::ramp(static_cast<double>(b0 + lanes / 2));
                for (int32_t k = 0; k < count; k += lanes) {
                    const TurnedPairs<D> lo = turn_pairs<D>(da, aa, b_lo, cos_a, sin_a);
                    const TurnedPairs<D> hi = turn_pairs<D>(da, aa, b_hi, cos_a, sin_a);
                    b_lo = D::add(b_lo, step);
                    b_hi = D::add(b_hi, step);
                    const V ou = D::trunc_join(lo.u, hi.u), ov = D::trunc_join(lo.v, hi.v);
                    const V om = D::trunc_join(lo.mu, hi.mu), on = D::trunc_join(lo.mv, hi.mv);
                    const int64_t b = b0 + k;
                    const bool last = count - k < lanes;
                    const typename I::M right = last ? tail : all, left = last ? tail_reversed : all;
                    draw(down + 4 * b, I::add(src.cx, om), I::add(src.cy, on), next, right);
                    draw(up + 4 * b, I::add(src.cx, ov), I::sub(src.cy, ou), next, right);
                    const V rm = S::reverse32(om), rn = S::reverse32(on), ru = S::reverse32(ou), rv = S::reverse32(ov);
                    draw(ending_at(up, b + lanes - 1), I::sub(src.cx, rm), I::sub(src.cy, rn), back, left);
                    draw(ending_at(down, b + lanes - 1), I::sub(src.cx, rv), I::add(src.cy, ru), back, left);
                }
            }
        }
    }
    if (drawn < count)
        pixmill::copy_block_32_by(rotate_offset_pairs<S>, s, d, t, a0, a1, b0 + drawn, count - drawn);
}

}  // namespace pixmill::PIXMILL_LVL
