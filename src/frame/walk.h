// The row walk shared by every two-surface transfer: clip, compute the first
// row of each surface, then hand rows to a row kernel. Rows go from the top
// of the rectangle down (towards lower addresses, since rows are stored
// bottom-up), which is what a call whose source overlaps its destination
// sees. When the destination shares no byte with the source the order cannot
// show, and the rows go bottom up instead: upwards in memory, the direction
// the processor's prefetchers follow best.
//
// The walk also decides which kernels a row may use: the active level's where
// what the row writes shares no byte with what it reads, the scalar ones
// otherwise (a same-surface call must see the scalar kernel's pixel order). A
// row function that takes a `const Kernels&` first gets the table to use;
// one that does not is called as it is.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "frame/clip.h"
#include "frame/kernels.h"
#include "frame/surface.h"

namespace pixmill {

// Whether the byte ranges [a, a + na) and [b, b + nb) share no byte.
inline bool bytes_apart(const uint8_t* a, ptrdiff_t na, const uint8_t* b, ptrdiff_t nb)
{
    return spans_apart(span_at(a, na), span_at(b, nb));
}

// The two tables a walk chooses from, looked up once per call.
struct RowKernels {
    const Kernels& fast = kernels();
    const Kernels& safe = scalar_kernels();
    const Kernels& for_row(bool apart) const { return apart ? fast : safe; }
};

// Calls row with the table the row may use (fast where apart, else scalar).
template <class RowFn, class... Args>
inline void call_row(RowFn& row, const RowKernels& k, bool apart, Args... args)
{
    if constexpr (std::is_invocable_v<RowFn&, const Kernels&, Args...>)
        row(k.for_row(apart), args...);
    else
        (void)k, (void)apart, row(args...);
}

struct BlockRows {
    Block clipped;           // the rectangle after clip_block
    uint8_t* dst = nullptr;  // first pixel of the rectangle's top row in the destination
    const uint8_t* src = nullptr;
    ptrdiff_t dst_stride = 0;  // bytes from one array row to the next
    ptrdiff_t src_stride = 0;
    int32_t dst_bpp = kBgr24, src_bpp = kBgr24;
    Span dst_span;               // the bytes the destination array covers
    bool any_order = false;      // rows_independent(destination, source)
};

// Clips b against both surfaces and computes the first row addresses. False
// when nothing is to be drawn.
inline bool prepare_block(const SurfaceView& d, const SurfaceView& s, Block b, BlockRows& out)
{
    if (!clip_block(b, d.width, d.rows, s.width, s.rows)) return false;
    out.clipped = b;
    out.dst = pixel_at(d, b.dx, b.dy);
    out.src = pixel_at(s, b.sx, b.sy);
    out.dst_stride = d.stride_bytes;
    out.src_stride = s.stride_bytes;
    out.dst_bpp = d.bpp;
    out.src_bpp = s.bpp;
    out.dst_span = span_of(d);
    out.any_order = rows_independent(d, s);
    return true;
}

// Calls row(dst_row, src_row, w) for each of the h rows: top row first, or
// in memory order when the order cannot show.
template <class RowFn>
inline void walk_rows(const BlockRows& r, RowFn&& row)
{
    const RowKernels tables;
    const ptrdiff_t dst_bytes = static_cast<ptrdiff_t>(r.clipped.w) * r.dst_bpp;
    const ptrdiff_t src_bytes = static_cast<ptrdiff_t>(r.clipped.w) * r.src_bpp;
    const int32_t last = r.clipped.h - 1;
    uint8_t* d = r.dst;
    const uint8_t* s = r.src;
    ptrdiff_t dst_step = -r.dst_stride, src_step = -r.src_stride;
    if (r.any_order) {
        d -= last * r.dst_stride;
        s -= last * r.src_stride;
        dst_step = r.dst_stride;
        src_step = r.src_stride;
    }
    // The row pointers only step between rows, so they never leave the arrays.
    for (int32_t j = 0;;) {
        call_row(row, tables, r.any_order || bytes_apart(d, dst_bytes, s, src_bytes), d, s, r.clipped.w);
        if (++j > last) break;
        d += dst_step;
        s += src_step;
    }
}

// Walks the rows of r together with a third surface that is not clipped (a
// mask): it is addressed at the source's array row and column (src_rows being
// the source's Rows) with its own Data and StrideBytes, so mask array row k
// pairs with source array row k. Calls row(dst_row, src_row, mask_row, n) top
// row first (in memory order when the destination shares no byte with the
// source or the mask), n being the leading pixels of the row whose mask pixel lies
// inside the mask's array. A row whose mask row lies at or beyond the mask's
// Rows, and the pixels of a row whose mask pixel would pass the end of a mask
// row, are not handed over at all, so their destination stays as it was.
template <class RowFn>
inline void walk_rows_masked(const BlockRows& r, int32_t src_rows, const SurfaceView& mask, RowFn&& row)
{
    const Block& b = r.clipped;
    // Whole mask pixels in one mask row, beyond the source column sx.
    const int64_t room = static_cast<int64_t>(mask.stride_bytes) / mask.bpp - b.sx;
    const int32_t n = room < b.w ? static_cast<int32_t>(room) : b.w;
    if (n < 1) return;
    // Array row of the rectangle's top row; each row down is one array row lower.
    const int64_t top = static_cast<int64_t>(src_rows) - 1 - b.sy;
    const int64_t first = top - mask.rows + 1;  // first rectangle row with a mask row
    if (first >= b.h) return;
    const int32_t j0 = first > 0 ? static_cast<int32_t>(first) : 0;

    const uint8_t* m0 = mask.data + static_cast<ptrdiff_t>(b.sx) * mask.bpp;
    const RowKernels tables;
    const bool all_apart = r.any_order && spans_apart(r.dst_span, span_of(mask));
    const ptrdiff_t dst_bytes = static_cast<ptrdiff_t>(n) * r.dst_bpp, src_bytes = static_cast<ptrdiff_t>(n) * r.src_bpp;
    const ptrdiff_t mask_bytes = static_cast<ptrdiff_t>(n) * mask.bpp;
    const auto visit = [&](int32_t j) {
        uint8_t* d = r.dst - j * r.dst_stride;
        const uint8_t* s = r.src - j * r.src_stride;
        const uint8_t* m = m0 + static_cast<ptrdiff_t>(top - j) * mask.stride_bytes;
        const bool apart = all_apart || (bytes_apart(d, dst_bytes, s, src_bytes) && bytes_apart(d, dst_bytes, m, mask_bytes));
        call_row(row, tables, apart, d, s, m, n);
    };
    if (all_apart) {
        for (int32_t j = b.h - 1; j >= j0; --j) visit(j);
    } else {
        for (int32_t j = j0; j < b.h; ++j) visit(j);
    }
}

// The usual shape of a block-transfer export: read both surfaces, clip, walk.
template <class RowFn>
inline int32_t blit(const Surface* dest, PixelFormat dest_format, const Surface* src, PixelFormat src_format,
                    Block b, RowFn&& row)
{
    BlockRows r;
    if (prepare_block(read_surface(dest, dest_format), read_surface(src, src_format), b, r)) walk_rows(r, row);
    return 0;
}

}  // namespace pixmill
