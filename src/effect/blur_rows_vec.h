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
// A band runs from step 0 to the step where its last row ends, so its rows
// begin and end at different steps. Lanes whose row has not begun keep their
// row's first pixel as their result (the left term that stands in at a row's
// start); lanes past their row's end compute what is never stored. Loads
// that would leave a row take its first or last pixel instead (the last
// pixel is its own right neighbour), and stores keep to the row. A band of
// fewer rows than L (the rectangle's last) gives the rows after its last one
// the row below to read, and never stores them. Rectangles too narrow or too
// short for a band to pay go to the scalar kernel.
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

// Vectors a band of wide rows is dealt to: two give the processor twice the
// independent work of one, while the steps a band spends filling and
// emptying (L - 1) stay few; four measured no faster.
constexpr int kGroups = 2;

// Below kMinWidth pixels a band costs more than the scalar rows; from
// kWideRow pixels on, bands of kGroups vectors.
template <class S>
constexpr int32_t kMinWidth = S::kBytes / 4;
constexpr int32_t kWideRow = 256;

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

// The kBytes / 4 pixels at p, reading no byte past them.
template <class S, int B>
inline typename S::V tight_pixels(const uint8_t* p)
{
    if constexpr (B == 3)
        return S::load24_to_32_tight(p);
    else
        return S::load(p);
}

// kLane[N + d + i] = d + i kept to 0 .. N - 1, for d in -N .. N and i below
// N: the lanes of a run of N pixels that stand for N pixels d further on.
template <int N>
struct Clamped {
    struct Table {
        int32_t lane[3 * N];
    };
    static constexpr Table make()
    {
        Table t{};
        for (int j = 0; j < 3 * N; ++j) t.lane[j] = j < N ? 0 : j >= 2 * N ? N - 1 : j - N;
        return t;
    }
    static constexpr Table kTable = make();
    static constexpr const int32_t* kLane = kTable.lane;
};

// How far ahead of its loads each row of a band is fetched, in bytes.
constexpr ptrdiff_t kAhead = 1024;

// Row g of a band is lane g / R of vector g % R.
template <int R>
constexpr int row_of(int r, int k)
{
    return k * R + r;
}

// The `active` rows from top (row g at top + g down) as one band of L rows;
// above is the row read above row 0, below the row read below the last
// active row. The band's rows from `active` on read below as their own and
// are never written: the last active row's lower neighbour is then the next
// lane's own pixel, and what the lanes after it compute is dropped.
template <class S, int R, int B>
void band(uint8_t* top, ptrdiff_t down, int32_t w, int32_t active, const uint8_t* above, const uint8_t* below)
{
    using V = typename S::V;
    constexpr int N = S::kBytes / 4, L = R * N;
    const ptrdiff_t wide = w;
    const auto src = [&](int g) -> const uint8_t* { return g < active ? top + down * g : below; };

    // N pixels of row p from pixel o as N lanes, pixels before the row's
    // first standing in with it and pixels past its last with that one (the
    // right neighbour of the last pixel is itself; lanes before a row's first
    // pixel are replaced, those past its last dropped).
    const auto fetch = [&](const uint8_t* p, ptrdiff_t o) -> V {
        if (o >= 0 && o * B + S::kBytes <= wide * B) return load_pixels<S, B>(p + o * B);
        if constexpr (S::kShuffles)
            if (wide >= N) {
                // The run of N pixels from base, inside the row, its lanes
                // picked: lane i takes pixel o + i kept to base .. base + N - 1,
                // which holds the row's first or last pixel where o + i is off
                // the row.
                const ptrdiff_t base = o < 0 ? 0 : o + N <= wide ? o : wide - N;
                const ptrdiff_t shift = o - base < -N ? -N : o - base > N ? N : o - base;
                const V idx = S::load(reinterpret_cast<const uint8_t*>(Clamped<N>::kLane + N + shift));
                return S::pick_words(tight_pixels<S, B>(p + base * B), idx);
            }
        uint8_t run[N * 4 + S::kBytes] = {};
        for (ptrdiff_t i = 0; i < N; ++i)
            std::memcpy(run + B * i, p + B * (o + i < 0 ? 0 : o + i < wide ? o + i : wide - 1), B);
        return load_pixels<S, B>(run);
    };
    // The N lanes stored as pixels o .. o + N - 1 of row p, those off the row
    // left out.
    const auto put = [&](uint8_t* p, ptrdiff_t o, V v) {
        if (o >= 0 && o + N <= wide) return store_pixels<S, B>(p + o * B, v);
        const ptrdiff_t lo = o < 0 ? 0 : o < wide ? o : wide, hi = o + N < 0 ? 0 : o + N < wide ? o + N : wide;
        if (hi <= lo) return;
        if constexpr (S::kMasks) {
            // Lane lo - o onwards moved to lane 0, then a byte-masked store.
            const V idx = S::load(reinterpret_cast<const uint8_t*>(Clamped<N>::kLane + N + (lo - o)));
            V moved = S::pick_words(v, idx);
            if constexpr (B == 3) moved = S::low24_packed(moved);
            return S::store_first(p + B * lo, static_cast<size_t>(B * (hi - lo)), moved);
        }
        uint8_t run[N * 4 + S::kBytes];
        store_pixels<S, B>(run, v);
        std::memcpy(p + B * lo, run + B * (lo - o), static_cast<size_t>(B * (hi - lo)));
    };
    // The N steps from s0: row g's pixels s0 - g onwards, turned into one
    // vector per step.
    const auto load_block = [&](ptrdiff_t s0, V(&m)[R][N]) {
        for (int r = 0; r < R; ++r) {
            for (int k = 0; k < N; ++k) {
                const int g = row_of<R>(r, k);
                m[r][k] = fetch(src(g), s0 - g);
                // The many rows of a band outrun the hardware's prefetching.
                if (s0 - g + kAhead / B < wide) S::prefetch(src(g) + (s0 - g) * B + kAhead);
            }
            S::transpose32(m[r]);
        }
    };

    const V low = S::set1_16(0x00FF), fifth = S::set1_16(kFifth), zero = S::zero();
    const V alpha = S::set1_32(0xFF000000u);
    V rows[R];  // each lane's row
    for (int r = 0; r < R; ++r) {
        uint32_t g[N];
        for (int k = 0; k < N; ++k) g[k] = static_cast<uint32_t>(row_of<R>(r, k));
        rows[r] = S::load(reinterpret_cast<const uint8_t*>(g));
    }
    V cur[R][N], next[R][N];
    load_block(0, cur);
    // At step 0 every row's lane holds its first pixel: the left term that
    // stands in at a row's start, and the result kept by the lanes whose row
    // has not started yet.
    V pe[R], po[R];
    for (int r = 0; r < R; ++r) {
        pe[r] = S::and_(cur[r][0], low);
        po[r] = S::template srli16<8>(cur[r][0]);
    }
    const ptrdiff_t steps = wide + active - 1;  // the last active row's last pixel is done at step steps - 1
    for (ptrdiff_t s0 = 0; s0 < steps; s0 += N) {
        // Loaded before this block stores: none of its pixels is one this
        // block writes.
        load_block(s0 + N, next);
        // Row 0's up terms, one per step, moving into the top lane in turn;
        // row L - 1's down terms moving into lane 0.
        V a = S::reverse32(fetch(above, s0));
        V f = fetch(below, s0 - (L - 1));
        V se[R], so[R];
        for (int r = 0; r < R; ++r) {
            se[r] = S::and_(cur[r][0], low);
            so[r] = S::template srli16<8>(cur[r][0]);
        }
        const bool starting = s0 < L - 1;  // some row has not reached its first pixel
        V out[R][N];
        for (int j = 0; j < N; ++j) {
            // Each lane's right neighbour is its pixel of the next step.
            V re[R], ro[R];
            for (int r = 0; r < R; ++r) {
                const V x = j + 1 < N ? cur[r][j + 1] : next[r][0];
                re[r] = S::and_(x, low);
                ro[r] = S::template srli16<8>(x);
            }
            const V ae = S::and_(a, low), ao = S::template srli16<8>(a);
            const V fe = S::and_(f, low), fo = S::template srli16<8>(f);
            V ne[R], no[R];
            for (int r = 0; r < R; ++r) {
                const V down_e = r + 1 < R ? re[r + 1] : S::down_lane32(re[0], fe);
                const V down_o = r + 1 < R ? ro[r + 1] : S::down_lane32(ro[0], fo);
                const V ue = r == 0 ? S::up_lane32(ae, pe[R - 1]) : pe[r - 1];
                const V uo = r == 0 ? S::up_lane32(ao, po[R - 1]) : po[r - 1];
                const V fixed_e = S::add16(S::add16(se[r], re[r]), down_e);
                const V fixed_o = S::add16(S::add16(so[r], ro[r]), down_o);
                ne[r] = S::mulhi_u16(S::add16(S::add16(fixed_e, pe[r]), ue), fifth);
                no[r] = S::mulhi_u16(S::add16(S::add16(fixed_o, po[r]), uo), fifth);
            }
            if (starting)
                for (int r = 0; r < R; ++r) {
                    const V m = S::gt32(rows[r], S::set1_32(static_cast<uint32_t>(s0 + j)));
                    ne[r] = S::select(m, se[r], ne[r]);
                    no[r] = S::select(m, so[r], no[r]);
                }
            for (int r = 0; r < R; ++r) {
                const V px = S::or_(ne[r], S::template slli16<8>(no[r]));
                out[r][j] = B == 4 ? S::select(alpha, cur[r][j], px) : px;
                pe[r] = ne[r], po[r] = no[r], se[r] = re[r], so[r] = ro[r];
            }
            a = S::up_lane32(zero, a);
            f = S::down_lane32(f, zero);
        }
        for (int r = 0; r < R; ++r) {
            S::transpose32(out[r]);
            for (int k = 0; k < N; ++k) {
                const int g = row_of<R>(r, k);
                if (g < active) put(top + down * g, s0 - g, out[r][k]);
            }
            for (int k = 0; k < N; ++k) cur[r][k] = next[r][k];
        }
    }
}

// Bands of R vectors down the h rows from first while enough rows are left
// for one to pay; returns the rows done.
template <class S, int R, int B>
int32_t bands(uint8_t* first, ptrdiff_t down, int32_t w, int32_t h, uint32_t edges)
{
    constexpr int L = R * S::kBytes / 4;
    if (w < kMinWidth<S>) return 0;
    int32_t j = 0;
    for (; h - j >= L / 4 && h - j >= 2; j += L) {
        const int32_t active = h - j < L ? h - j : L;
        uint8_t* top = first + down * j;
        const uint8_t* above = j == 0 && (edges & kBlurTopEdge) != 0 ? top : top - down;
        const bool bottom = j + active == h && (edges & kBlurBottomEdge) != 0;
        band<S, R, B>(top, down, w, active, above, top + down * (bottom ? active - 1 : active));
    }
    return j < h ? j : h;
}

template <class S, int B>
void rect(uint8_t* first, ptrdiff_t down, int32_t w, int32_t h, uint32_t edges)
{
    const auto rest = [&](int32_t done) { return done == 0 ? edges : edges & ~uint32_t{kBlurTopEdge}; };
    int32_t done = w >= kWideRow ? bands<S, kGroups, B>(first, down, w, h, edges) : 0;
    // Narrower rows, or the rows too few for a band of the wider kind: bands
    // of one vector, which spend fewer steps filling and emptying.
    if (done < h) done += bands<S, 1, B>(first + down * done, down, w, h - done, rest(done));
    if (done < h) pixmill::blur_rect_rows(first + down * done, down, w, h - done, B, rest(done));
}

}  // namespace blur_wave

template <class S>
void blur_rect(uint8_t* first, ptrdiff_t down, int32_t w, int32_t h, int32_t bpp, uint32_t edges)
{
    if (bpp == 4) return blur_wave::rect<S, 4>(first, down, w, h, edges);
    // Without byte shuffles 24-bit pixels would go in and out of the lanes
    // one by one, and the scalar rows are faster (measured).
    if constexpr (S::kShuffles)
        blur_wave::rect<S, 3>(first, down, w, h, edges);
    else
        pixmill::blur_rect_rows(first, down, w, h, bpp, edges);
}

}  // namespace pixmill::PIXMILL_LVL
