// The vector form of the blur's sweep, written once over frame/vec_x86.h and
// compiled once per level by frame/level.cpp: a wavefront over a band of rows.
//
// Within a band of L rows, row g runs g pixels behind row 0: at step s it
// blurs its pixel s - g. Its left term is then its own result of step s - 1,
// its up term the result of row g - 1 at step s - 1 (that row's pixel s - g),
// and self, right and down are bytes nothing has written yet (row g + 1 only
// reaches pixel s - g at step s + 1). So every row of the band takes one step
// at once, one row to a 32-bit lane: lane g's new pixel is (self + right +
// down + its previous result + lane g - 1's previous result) / 5, row 0
// taking the finished row above the band (or itself at the rectangle's top)
// as lane -1, the band's last row the row below the band (or itself on the
// surface's bottom row) for its down term.
//
// The lanes are fed without gathers: row g of a block of N steps is one plain
// load at pixel s0 - g (N pixels), and a transpose turns the N loads into the
// N steps' vectors, each lane holding its row's pixel of that step. The
// results are transposed back and stored row by row. Channels are summed in
// 16-bit lanes, bytes 0 and 2 of each pixel in one vector and bytes 1 and 3
// in another, and divided by five as (x * 13108) >> 16, exact for every sum
// up to 5 * 255. Byte 3 of a 4-byte pixel is summed along and then replaced
// by its own byte, so it is stored back unchanged.
//
// The rows of a band are dealt to R vectors in turn (row g in lane g / R of
// vector g % R), so a row's up and down terms are the same lane of the
// neighbouring vector, and only vector 0's up term and vector R - 1's down
// term move across lanes.
//
// The first L - 1 pixels of each row but the last (the triangle before the
// wavefront is full), the pixels after the last whole block, the rows after
// the last whole band and rectangles too narrow for one block go to the
// scalar kernels, in an order that keeps every pixel's left and upper
// neighbours blurred and its right and lower ones not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "effect/blur_rows.h"
#include "frame/vec_x86.h"

namespace pixmill::PIXMILL_LVL {

namespace blur_wave {

constexpr uint16_t kFifth = 13108;  // x / 5 = (x * kFifth) >> 16 for x in 0 .. 1275

constexpr bool fifth_exact()
{
    for (uint32_t x = 0; x <= 5 * 255; ++x)
        if ((x * kFifth) >> 16 != x / 5) return false;
    return true;
}
static_assert(fifth_exact(), "the reciprocal must divide every sum of five bytes exactly");

// Vectors a band is dealt to: two keep the processor busy on every level
// while the triangles at the band's ends (L - 1 pixels a row) stay short.
template <class S>
constexpr int kGroups = S::kBytes == 64 ? 1 : 2;

template <class S, int B>
inline typename S::V load_pixels(const uint8_t* p)
{
    if constexpr (B == 3)
        return S::load24_to_32(p);
    else
        return S::load(p);
}

template <class S, int B>
inline void store_pixels(uint8_t* p, typename S::V v)
{
    if constexpr (B == 3)
        S::store_low24(p, v);
    else
        S::store(p, v);
}

// How many blocks of N steps a band of L rows takes in a row of w pixels of
// B bytes: block b (steps s0 = L - 1 + b N onwards) is taken when the next
// block's loads, kBytes from pixel s0 + N of row 0, stay inside the row.
template <class S, int B, int L>
inline int32_t blocks_in(int32_t w)
{
    constexpr int N = S::kBytes / 4;
    const ptrdiff_t last_load = (static_cast<ptrdiff_t>(w) * B - S::kBytes) / B;  // pixels; floor when >= 0
    const ptrdiff_t room = last_load - (L - 1) - N;
    if (static_cast<ptrdiff_t>(w) * B < S::kBytes || room < 0) return 0;
    return static_cast<int32_t>(room / N + 1);
}

// The L rows from top (row g at top + g down); above is the row read above
// row 0, below the row read below row L - 1.
template <class S, int R, int B>
void band(uint8_t* top, ptrdiff_t down, int32_t w, const uint8_t* above, const uint8_t* below, int32_t blocks)
{
    using V = typename S::V;
    constexpr int N = S::kBytes / 4, L = R * N;
    const auto row = [&](int g) { return top + down * g; };
    const auto row_above = [&](int g) -> const uint8_t* { return g == 0 ? above : row(g - 1); };
    const auto row_below = [&](int g) -> const uint8_t* { return g == L - 1 ? below : row(g + 1); };

    // The triangle: row g's pixels before L - 1 - g.
    for (int g = 0; g < L - 1; ++g) blur_span(row(g), row_above(g), row_below(g), 0, L - 1 - g, w, B);

    const V low = S::set1_16(0x00FF), fifth = S::set1_16(kFifth), zero = S::zero();
    const V alpha = S::set1_32(0xFF000000u);
    // Each lane's result of step L - 2: the triangle's last pixel of its row,
    // and for the last row (which starts at step L - 1) its first pixel as it
    // is, the left term that stands in at a row's start.
    V pe[R], po[R];
    {
        uint8_t start[R][S::kBytes] = {};
        for (int g = 0; g < L; ++g) std::memcpy(start[g % R] + 4 * (g / R), row(g) + B * (g < L - 1 ? L - 2 - g : 0), B);
        for (int r = 0; r < R; ++r) {
            const V x = S::load(start[r]);
            pe[r] = S::and_(x, low);
            po[r] = S::template srli16<8>(x);
        }
    }
    const auto load_block = [&](int32_t s0, V(&m)[R][N]) {
        for (int r = 0; r < R; ++r) {
            for (int k = 0; k < N; ++k) {
                const int g = k * R + r;
                m[r][k] = load_pixels<S, B>(row(g) + static_cast<ptrdiff_t>(B) * (s0 - g));
            }
            S::transpose32(m[r]);
        }
    };

    V cur[R][N], next[R][N];
    load_block(L - 1, cur);
    for (int32_t b = 0; b < blocks; ++b) {
        const int32_t s0 = L - 1 + b * N;
        // Loaded before this block stores: none of its pixels is one this
        // block writes.
        load_block(s0 + N, next);
        // Row 0's up terms, one per step, moving into the top lane in turn;
        // row L - 1's down terms moving into lane 0.
        const V a = S::reverse32(load_pixels<S, B>(above + static_cast<ptrdiff_t>(B) * s0));
        const V f = load_pixels<S, B>(below + static_cast<ptrdiff_t>(B) * (s0 - (L - 1)));
        V ae = S::and_(a, low), ao = S::template srli16<8>(a);
        V fe = S::and_(f, low), fo = S::template srli16<8>(f);
        V se[R], so[R];
        for (int r = 0; r < R; ++r) {
            se[r] = S::and_(cur[r][0], low);
            so[r] = S::template srli16<8>(cur[r][0]);
        }
        V out[R][N];
        for (int j = 0; j < N; ++j) {
            // Each lane's right neighbour is its pixel of the next step.
            V re[R], ro[R];
            for (int r = 0; r < R; ++r) {
                const V x = j + 1 < N ? cur[r][j + 1] : next[r][0];
                re[r] = S::and_(x, low);
                ro[r] = S::template srli16<8>(x);
            }
            V ne[R], no[R];
            for (int r = 0; r < R; ++r) {
                const V down_e = r + 1 < R ? re[r + 1] : S::template shr_across<4>(re[0], fe);
                const V down_o = r + 1 < R ? ro[r + 1] : S::template shr_across<4>(ro[0], fo);
                const V ue = r == 0 ? S::template shl_across<4>(ae, pe[R - 1]) : pe[r - 1];
                const V uo = r == 0 ? S::template shl_across<4>(ao, po[R - 1]) : po[r - 1];
                const V fixed_e = S::add16(S::add16(se[r], re[r]), down_e);
                const V fixed_o = S::add16(S::add16(so[r], ro[r]), down_o);
                ne[r] = S::mulhi_u16(S::add16(S::add16(fixed_e, pe[r]), ue), fifth);
                no[r] = S::mulhi_u16(S::add16(S::add16(fixed_o, po[r]), uo), fifth);
            }
            for (int r = 0; r < R; ++r) {
                const V px = S::or_(ne[r], S::template slli16<8>(no[r]));
                out[r][j] = B == 4 ? S::select(alpha, cur[r][j], px) : px;
                pe[r] = ne[r], po[r] = no[r], se[r] = re[r], so[r] = ro[r];
            }
            ae = S::template shl_across<4>(zero, ae), ao = S::template shl_across<4>(zero, ao);
            fe = S::template shr_across<4>(fe, zero), fo = S::template shr_across<4>(fo, zero);
        }
        for (int r = 0; r < R; ++r) {
            S::transpose32(out[r]);
            for (int k = 0; k < N; ++k) {
                const int g = k * R + r;
                store_pixels<S, B>(row(g) + static_cast<ptrdiff_t>(B) * (s0 - g), out[r][k]);
            }
            for (int k = 0; k < N; ++k) cur[r][k] = next[r][k];
        }
    }

    // The rest of each row, top row first.
    const int32_t done = L - 1 + blocks * N;
    for (int g = 0; g < L; ++g) blur_span(row(g), row_above(g), row_below(g), done - g, w, w, B);
}

}  // namespace blur_wave

template <class S>
void blur_rect(uint8_t* first, ptrdiff_t down, int32_t w, int32_t h, int32_t bpp, uint32_t edges)
{
    constexpr int R = blur_wave::kGroups<S>, L = R * S::kBytes / 4;
    const int32_t blocks = bpp == 3 ? blur_wave::blocks_in<S, 3, L>(w) : blur_wave::blocks_in<S, 4, L>(w);
    int32_t j = 0;
    if (blocks > 0)
        for (; j + L <= h; j += L) {
            uint8_t* top = first + down * j;
            const uint8_t* above = j == 0 && (edges & kBlurTopEdge) != 0 ? top : top - down;
            const bool bottom = j + L == h && (edges & kBlurBottomEdge) != 0;
            const uint8_t* below = bottom ? top + down * (L - 1) : top + down * L;
            if (bpp == 3)
                blur_wave::band<S, R, 3>(top, down, w, above, below, blocks);
            else
                blur_wave::band<S, R, 4>(top, down, w, above, below, blocks);
        }
    if (j < h) pixmill::blur_rect_rows(first + down * j, down, w, h - j, bpp, j == 0 ? edges : edges & ~uint32_t{kBlurTopEdge});
}

}  // namespace pixmill::PIXMILL_LVL
