// The vector forms of the scaled-copy row kernels, written once over the
// vocabulary of frame/vec_x86.h and compiled once per level by frame/level.cpp.
// Each gives its scalar kernel's bytes. Rows reach them only when what they
// write shares no byte with what they read (the walk sees to that).
//
// A block is one destination pixel per 32-bit lane (4, 8 or 16 pixels). The
// source columns of neighbouring destination pixels lie close together unless
// the copy shrinks a lot, so a block loads a window of one or two vectors of
// the source row from near its first column and picks its pixels out of it:
// 24-bit pixels by byte indices (shuffles, or permutes across the vector
// where the level has them), 32-bit pixels as whole words. A window never
// reaches past the bytes the row's pixels may use; near the end of the row it
// is moved back to end there. A block whose columns spread wider than two
// vectors takes 32-bit gathers (whole 32-bit pixels, where the level has
// them) or the scalar kernel, as do the pixels after the last whole block.
// SSE2 has no byte shuffles and leaves every row to the scalar kernels.
//
// Averages: levels that shuffle within 16-byte lanes average every pixel of
// the windows (from loads shifted by one pixel) and pick the block's
// averages out of them; a level with permutes picks the five terms of each
// pixel and averages only those.
//
// The five-point sums are at most 5 x 255 = 1275 and are divided by 5 as
// (x * 13108) >> 16 in 16-bit lanes. That is exact for x < 16384: write
// x = 5q + r with r in 0..4; 13108 = (65536 + 4) / 5, so
// x * 13108 / 65536 = q + (r + 4x / 65536) / 5, and r + 4x / 65536 < 4 + 1
// keeps the floor at q.
#pragma once

#include <cstddef>
#include <cstdint>

#include "frame/vec_x86.h"
#include "stretch/stretch_rows.h"

namespace pixmill::PIXMILL_LVL {

namespace scaled {

// The source columns of a block, one per 32-bit lane.
template <class S>
inline typename S::V columns(const int32_t* cols)
{
    return S::load(reinterpret_cast<const uint8_t*>(cols));
}

// How many vectors hold a block whose pixels span `bytes` bytes of a row (0
// when two do not).
template <class S>
inline int windows_for(int64_t bytes)
{
    return bytes <= S::kBytes ? 1 : bytes <= 2 * S::kBytes ? 2 : 0;
}

// Where the window of nw vectors for a block starting at byte lo begins: at
// lo, or earlier so as to end with byte end of the row (negative where the
// row is shorter than the window).
template <class S>
inline int64_t window_at(int64_t lo, int64_t end, int nw)
{
    const int64_t back = end - static_cast<int64_t>(S::kBytes) * nw;
    return lo < back ? lo : back;
}

template <class S>
inline void load_window(const uint8_t* p, int nw, typename S::V w[2])
{
    w[0] = S::load(p);
    w[1] = nw == 2 ? S::load(p + S::kBytes) : w[0];
}

// What picks the pixels at columns c (Bpp bytes each) out of a window
// starting at byte at of the row: for 24-bit pixels, each lane's three byte
// indices (its fourth byte 0, unused); for 32-bit ones, word indices.
// Worked out modulo 2^32 in the lanes, which still gives the small true
// distances however far along a long row the window lies.
template <class S, int Bpp>
inline typename S::V index_of(typename S::V c, int64_t at)
{
    using V = typename S::V;
    if constexpr (Bpp == 4) {
        return S::I32::sub(c, S::set1_32(static_cast<uint32_t>(at / 4)));
    } else {
        const V off = S::I32::sub(S::I32::add(S::template slli32<1>(c), c), S::set1_32(static_cast<uint32_t>(at)));
        const V rep = S::or_(off, S::or_(S::template slli32<8>(off), S::template slli32<16>(off)));
        return S::I32::add(rep, S::set1_32(0x020100));
    }
}

// The indices of each lane's left (-1) or right (+1) neighbour, all in the
// window.
template <class S, int Bpp>
inline typename S::V index_step(typename S::V idx, int k)
{
    const uint32_t step = Bpp == 4 ? 1u : 0x030303u;
    return k < 0 ? S::I32::sub(idx, S::set1_32(step)) : S::I32::add(idx, S::set1_32(step));
}

// The pixels at indices idx of a window of one vector w, or of two a, b.
template <class S, int Bpp>
inline typename S::V pick1(typename S::V w, typename S::V idx)
{
    if constexpr (Bpp == 4) return S::pick_words(w, idx);
    else return S::pick_bytes(w, idx);
}
template <class S, int Bpp>
inline typename S::V pick2(typename S::V a, typename S::V b, typename S::V idx)
{
    if constexpr (Bpp == 4) return S::pick_words2(a, b, idx);
    else return S::pick_bytes2(a, b, idx);
}

template <class S, int Bpp>
inline typename S::V pick(const typename S::V w[2], int nw, typename S::V idx)
{
    return nw == 1 ? pick1<S, Bpp>(w[0], idx) : pick2<S, Bpp>(w[0], w[1], idx);
}

// Stores a block's pixels (the low three bytes of each lane, or all four for
// Whole): packed into 24-bit pixels, or into 32-bit pixels whose fourth
// bytes are written back as they were.
template <class S, int DBpp, bool Whole>
inline void put(uint8_t* d, typename S::V v)
{
    if constexpr (DBpp == 3) S::store_low24(d, v);
    else if constexpr (Whole) S::store(d, v);
    else S::store(d, S::select(S::set1_32(0x00FFFFFFu), v, S::load(d)));
}

// Per byte, the sum of the five vectors divided by 5.
template <class S>
inline typename S::V average5(typename S::V a, typename S::V b, typename S::V c, typename S::V d, typename S::V e)
{
    using V = typename S::V;
    const V z = S::zero(), k = S::set1_16(13108);
    const V lo = S::add16(S::add16(S::add16(S::unpacklo8(a, z), S::unpacklo8(b, z)),
                                   S::add16(S::unpacklo8(c, z), S::unpacklo8(d, z))),
                          S::unpacklo8(e, z));
    const V hi = S::add16(S::add16(S::add16(S::unpackhi8(a, z), S::unpackhi8(b, z)),
                                   S::add16(S::unpackhi8(c, z), S::unpackhi8(d, z))),
                          S::unpackhi8(e, z));
    return S::packus16(S::mulhi_u16(lo, k), S::mulhi_u16(hi, k));
}

// Asks for the lines at byte at of the rows the next destination row reads
// (the hints of s, when there are any), once per line of this row, so that
// they arrive while this row is worked out. at is below the row's length, so
// the addresses stay on the rows.
template <class S>
inline void fetch_ahead(const SourceRows& s, int64_t at, int64_t& fetched)
{
    if (s.ahead[0] == nullptr || at < fetched) return;
    S::prefetch(s.ahead[0] + at);
    S::prefetch(s.ahead[1] + at);
    fetched = at + 64;
}

// The five-point averages of a block's 32-bit pixels, gathered: each
// neighbour column clamped to the row, where the sample stands in for a
// missing one.
template <class S>
inline typename S::V gathered_averages(const SourceRows& s, typename S::V c)
{
    using V = typename S::V;
    const V one = S::set1_32(1);
    const V left = S::max_i32(S::I32::sub(c, one), S::zero());
    const V right = S::min_i32(S::I32::add(c, one), S::set1_32(s.last_col));
    return average5<S>(S::gather32(s.row, c), S::gather32(s.row, left), S::gather32(s.row, right),
                       S::gather32(s.above, c), S::gather32(s.below, c));
}

// Nearest sample: the block's pixels picked out of a window ending no later
// than the last sampled pixel of the row.
template <class S, int SBpp, int DBpp, class Scalar>
inline void sample(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n, Scalar scalar)
{
    using V = typename S::V;
    constexpr int32_t kBlock = S::kBytes / 4;
    int32_t i = 0;
    if (n >= kBlock) {
        const int64_t end = SBpp * static_cast<int64_t>(cols[n - 1]) + SBpp;
        for (; i + kBlock <= n; i += kBlock) {
            const int64_t lo = SBpp * static_cast<int64_t>(cols[i]);
            const int nw = windows_for<S>(SBpp * static_cast<int64_t>(cols[i + kBlock - 1]) + SBpp - lo);
            const int64_t at = window_at<S>(lo, end, nw);
            const V c = columns<S>(cols + i);
            V v;
            if (nw == 1 && at >= 0) {
                v = pick1<S, SBpp>(S::load(row + at), index_of<S, SBpp>(c, at));
            } else if (nw == 2 && at >= 0) {
                v = pick2<S, SBpp>(S::load(row + at), S::load(row + at + S::kBytes), index_of<S, SBpp>(c, at));
            } else if constexpr (SBpp == 4 && S::I32::kGathers) {
                v = S::gather32(row, c);
            } else {
                scalar(dst + DBpp * i, row, cols + i, kBlock);
                continue;
            }
            put<S, DBpp, SBpp == 4>(dst + DBpp * i, v);
        }
    }
    if (i < n) scalar(dst + DBpp * i, row, cols + i, n - i);
}

// Five-point average, with vector permutes: each of the five terms picked
// out of windows of the three rows (neighbour columns clamped to the row),
// then averaged. Windows of 64-byte vectors reach across both neighbours of
// the block's columns. False where the block spreads too wide.
template <class S, int Bpp>
inline bool pick_then_average(const SourceRows& s, const int32_t* cols, int64_t row_bytes, int64_t& fetched,
                              typename S::V& out)
{
    using V = typename S::V;
    constexpr int32_t kBlock = S::kBytes / 4;
    const int32_t first = cols[0], last = cols[kBlock - 1];
    const int32_t left = first > 0 ? first - 1 : 0, right = last < s.last_col ? last + 1 : s.last_col;
    const int64_t lo = Bpp * static_cast<int64_t>(left);
    const int nw = windows_for<S>(Bpp * (static_cast<int64_t>(right) + 1) - lo);
    const int64_t at = window_at<S>(lo, row_bytes, nw);
    if (nw == 0 || at < 0) return false;
    const V c = columns<S>(cols);
    const V ic = index_of<S, Bpp>(c, at);
    V il, ir;
    if (first > 0 && last < s.last_col) {
        il = index_step<S, Bpp>(ic, -1);
        ir = index_step<S, Bpp>(ic, 1);
    } else {
        const V one = S::set1_32(1);
        il = index_of<S, Bpp>(S::max_i32(S::I32::sub(c, one), S::zero()), at);
        ir = index_of<S, Bpp>(S::min_i32(S::I32::add(c, one), S::set1_32(s.last_col)), at);
    }
    fetch_ahead<S>(s, at, fetched);
    V w[2], up[2], down[2];
    load_window<S>(s.row + at, nw, w);
    load_window<S>(s.above + at, nw, up);
    load_window<S>(s.below + at, nw, down);
    out = average5<S>(pick<S, Bpp>(w, nw, ic), pick<S, Bpp>(w, nw, il), pick<S, Bpp>(w, nw, ir),
                      pick<S, Bpp>(up, nw, ic), pick<S, Bpp>(down, nw, ic));
    return true;
}

// The five-point averages of the S::kBytes bytes of pixels from byte at of
// the rows (from loads shifted by one pixel): right for every pixel with
// both horizontal neighbours in the row. The caller keeps at - Bpp and
// at + S::kBytes + Bpp within the rows.
template <class S>
inline typename S::V averages_at(const SourceRows& s, int64_t at, int bpp)
{
    return average5<S>(S::load(s.row + at), S::load(s.row + at - bpp), S::load(s.row + at + bpp),
                       S::load(s.above + at), S::load(s.below + at));
}

// Five-point average, with in-lane shuffles: the averages of every pixel
// of one or two vectors from the block's first column on, from which the
// block's are picked (cheaper than five picks across the vector). False
// where the block spreads too wide or a pixel of the windows lacks a
// neighbour in the row.
template <class S, int Bpp>
inline bool average_then_pick(const SourceRows& s, const int32_t* cols, int64_t row_bytes, int64_t& fetched,
                              typename S::V& out)
{
    using V = typename S::V;
    constexpr int32_t kBlock = S::kBytes / 4;
    const int64_t lo = Bpp * static_cast<int64_t>(cols[0]);
    const int nw = windows_for<S>(Bpp * static_cast<int64_t>(cols[kBlock - 1]) + Bpp - lo);
    if (nw == 0 || lo == 0 || lo + static_cast<int64_t>(S::kBytes) * nw + Bpp > row_bytes) return false;
    fetch_ahead<S>(s, lo, fetched);
    V w[2];
    w[0] = averages_at<S>(s, lo, Bpp);
    w[1] = nw == 2 ? averages_at<S>(s, lo + S::kBytes, Bpp) : w[0];
    out = pick<S, Bpp>(w, nw, index_of<S, Bpp>(columns<S>(cols), lo));
    return true;
}

template <class S, int SBpp, int DBpp, class Scalar>
inline void smooth(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n, Scalar scalar)
{
    constexpr int32_t kBlock = S::kBytes / 4;
    const int64_t row_bytes = SBpp * (static_cast<int64_t>(s.last_col) + 1);
    int64_t fetched = 0;
    int32_t i = 0;
    for (; i + kBlock <= n; i += kBlock) {
        typename S::V v;
        bool picked;
        // With permutes, picking the five terms is the cheaper while they fit
        // the windows; averaging first needs only the sampled columns there.
        if constexpr (S::kPermutes)
            picked = pick_then_average<S, SBpp>(s, cols + i, row_bytes, fetched, v) ||
                     average_then_pick<S, SBpp>(s, cols + i, row_bytes, fetched, v);
        else
            picked = average_then_pick<S, SBpp>(s, cols + i, row_bytes, fetched, v);
        if (!picked) {
            if constexpr (SBpp == 4 && S::I32::kGathers) {
                v = gathered_averages<S>(s, columns<S>(cols + i));
            } else {
                scalar(dst + DBpp * i, s, cols + i, kBlock);
                continue;
            }
        }
        put<S, DBpp, SBpp == 4>(dst + DBpp * i, v);
    }
    if (i < n) scalar(dst + DBpp * i, s, cols + i, n - i);
}

}  // namespace scaled

template <class S>
void sample_24to24(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    if constexpr (S::kShuffles) scaled::sample<S, 3, 3>(dst, row, cols, n, pixmill::sample_row_24to24);
    else pixmill::sample_row_24to24(dst, row, cols, n);
}

template <class S>
void sample_24to32(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    if constexpr (S::kShuffles) scaled::sample<S, 3, 4>(dst, row, cols, n, pixmill::sample_row_24to32);
    else pixmill::sample_row_24to32(dst, row, cols, n);
}

// Four whole pixels to a vector are copied faster one by one than picked.
template <class S>
void sample_32to32_whole(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    if constexpr (S::kShuffles && S::kBytes > 16)
        scaled::sample<S, 4, 4>(dst, row, cols, n, pixmill::sample_row_32to32_whole);
    else
        pixmill::sample_row_32to32_whole(dst, row, cols, n);
}

template <class S>
void smooth_24to24(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n)
{
    if constexpr (S::kShuffles) scaled::smooth<S, 3, 3>(dst, s, cols, n, pixmill::smooth_row_24to24);
    else pixmill::smooth_row_24to24(dst, s, cols, n);
}

template <class S>
void smooth_24to32(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n)
{
    if constexpr (S::kShuffles) scaled::smooth<S, 3, 4>(dst, s, cols, n, pixmill::smooth_row_24to32);
    else pixmill::smooth_row_24to32(dst, s, cols, n);
}

template <class S>
void smooth_32to32_whole(uint8_t* dst, const SourceRows& s, const int32_t* cols, int32_t n)
{
    if constexpr (S::kShuffles) scaled::smooth<S, 4, 4>(dst, s, cols, n, pixmill::smooth_row_32to32_whole);
    else pixmill::smooth_row_32to32_whole(dst, s, cols, n);
}

}  // namespace pixmill::PIXMILL_LVL
