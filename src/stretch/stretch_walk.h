// The walk shared by every scaled copy: read both surfaces, clip, take the
// ratios and the source column of every destination column, then for each
// destination row (from the top down, unless the order cannot show) find its
// source row and hand it, with the columns, to the export's row rule. The
// exports differ only in that rule.
//
// Why nothing outside the two arrays is touched (S the source, D the
// destination, values after clip_stretch):
// - Columns: 0 <= sx <= S.Width - 1 and u = sample_index(i, rx, S.Width - 1 - sx)
//   lies in 0..S.Width - 1 - sx, so every sample column c = sx + u lies in
//   0..S.Width - 1. Rows likewise: r = sy + t in 0..S.Rows - 1.
// - Neighbours: left c - 1 only when c != 0, so >= 0; right c + 1 only when
//   c < S.Width - 1, so <= S.Width - 1; above r - 1 only when t > 0, so >= sy
//   >= 0; below r + 1 only when r < S.Rows - 1. Each missing one is the sample
//   itself. So every read is a pixel of S's Width x Rows, which the caller
//   guarantees lies in its array.
// - Writes: destination column dx + i for 0 <= i < dw and row dy + j for
//   0 <= j < dh, and the clip leaves 0 <= dx, dx + dw <= D.Width, 0 <= dy,
//   dy + dh <= D.Rows: only the clipped rectangle is written.
// - Pointers are only formed to those pixels: the upper and lower rows are
//   chosen before any address past the surface is computed.
// Pixels are processed rows top to bottom, left to right, each read whole
// before it is written, so a call whose source is its own destination sees
// what it has already drawn, in that order.
// - Repeated rows: when the arrays share no byte and the rule writes every
//   byte of every pixel from the source alone, a destination row whose source
//   row (and so its upper and lower rows, which follow from t) is the one the
//   row below it had is a copy of that row: same reads, same bytes.
// - Kernels: a rule that takes a `const Kernels&` first is handed the active
//   level's kernels where the destination pixels it writes share no byte with
//   the source pixels it may read (so the order of reads and writes cannot
//   show), and the scalar kernels otherwise.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "frame/stretch_clip.h"
#include "frame/surface.h"
#include "frame/walk.h"
#include "stretch/sample_map.h"
#include "stretch/stretch_rows.h"

namespace pixmill {

// Whether the dst_bytes at dst share no byte with what a row kernel reads
// for the n columns cols (non-decreasing, n >= 1) of pixels of bpp bytes: the
// columns from the first one's left neighbour to the last one's right
// neighbour, on the sample row and on the rows above and below it.
inline bool reads_apart(const uint8_t* dst, ptrdiff_t dst_bytes, const SourceRows& rows, const int32_t* cols,
                        int32_t n, int32_t bpp)
{
    const int32_t lo = cols[0] > 0 ? cols[0] - 1 : 0;
    const int32_t hi = cols[n - 1] < rows.last_col ? cols[n - 1] + 1 : rows.last_col;
    const ptrdiff_t from = static_cast<ptrdiff_t>(lo) * bpp;
    const ptrdiff_t bytes = (static_cast<ptrdiff_t>(hi) - lo + 1) * bpp;
    return bytes_apart(dst, dst_bytes, rows.row + from, bytes) &&
           bytes_apart(dst, dst_bytes, rows.above + from, bytes) &&
           bytes_apart(dst, dst_bytes, rows.below + from, bytes);
}

// The source columns of a destination row are the same for every row, so
// they are worked out once per call when the row has at most this many
// pixels (16 KiB of stack); wider rows work them out again for each row, in
// chunks of this size.
constexpr int32_t kSampleColumns = 4096;
// The destination columns drawn between two rounds of prefetches.
constexpr int32_t kFetchColumns = 128;

// Fills cols[0..n) with the source columns of destination columns i0 onwards.
inline void sample_columns(int32_t* cols, int32_t i0, int32_t n, int32_t sx, float rx, int32_t col_limit)
{
    for (int32_t k = 0; k < n; ++k) cols[k] = sx + sample_index(i0 + k, rx, col_limit);
}

// How a row rule writes. kMixes: the result depends on the destination too (a
// blend, a key that leaves pixels, a kept fourth byte). kReplaces: every byte
// of every pixel comes from the source alone.
enum class RowWrite { kMixes, kReplaces };

// Calls rule(dst, rows, cols, n) for every chunk of every destination row:
// dst the first destination pixel of the chunk, rows the source rows
// (SourceRows), cols the n source columns; or rule(kernels, dst, rows, cols,
// n) where the rule takes the kernels to use. Returns 0, as every export does.
template <class RowRule>
inline int32_t stretch(const Surface* dest, PixelFormat dest_format, const Surface* src, PixelFormat src_format,
                       StretchRect r, RowRule&& rule, RowWrite write = RowWrite::kMixes)
{
    const SurfaceView d = read_surface(dest, dest_format);
    const SurfaceView s = read_surface(src, src_format);
    if (!clip_stretch(r, d.width, d.rows, s.width, s.rows)) return 0;

    const float rx = stretch_ratio(r.sw, r.dw);
    const float ry = stretch_ratio(r.sh, r.dh);
    const int32_t last_col = s.width - 1, last_row = s.rows - 1;
    const int32_t col_limit = last_col - r.sx, row_limit = last_row - r.sy;

    int32_t cols[kSampleColumns];
    const bool whole_row = r.dw <= kSampleColumns;
    if (whole_row) sample_columns(cols, 0, r.dw, r.sx, rx, col_limit);
    // Destination rows go from the top down, as a call whose source is its
    // own destination sees them; when the arrays share no byte the order
    // cannot show and they go upwards in memory instead.
    const bool any_order = rows_independent(d, s);
    const bool may_repeat = any_order && write == RowWrite::kReplaces;
    const RowKernels tables;
    const auto draw = [&](uint8_t* to, const SourceRows& rows, const int32_t* c, int32_t n) {
        const bool apart = any_order || reads_apart(to, static_cast<ptrdiff_t>(n) * d.bpp, rows, c, n, s.bpp);
        call_row(rule, tables, apart, to, rows, c, n);
    };
    const size_t row_bytes = static_cast<size_t>(r.dw) * static_cast<size_t>(d.bpp);
    // A copy that shrinks its rows reads every other source row or fewer,
    // which the processor's prefetchers do not foresee: the lines of the next
    // row are asked for a chunk at a time, while this row is drawn.
    const bool skips = ry > 1.0f;
    const uint8_t* last_drow = nullptr;  // the row last worked out (if any), and its t
    int32_t last_t = 0;
    for (int32_t k = 0; k < r.dh; ++k) {
        const int32_t j = any_order ? r.dh - 1 - k : k;
        uint8_t* drow = pixel_at(d, r.dx, r.dy + j);
        const int32_t t = sample_index(j, ry, row_limit);
        if (may_repeat && last_drow != nullptr && t == last_t) {
            std::memcpy(drow, last_drow, row_bytes);
            continue;
        }
        last_drow = drow;
        last_t = t;
        const int32_t y = r.sy + t;
        SourceRows rows;
        rows.row = row_at(s, y);
        rows.above = t > 0 ? rows.row + s.stride_bytes : rows.row;
        rows.below = y < last_row ? rows.row - s.stride_bytes : rows.row;
        rows.last_col = last_col;
        if (k + 1 < r.dh) {
            // Upwards in memory the next row's upper neighbour is new, top-down its lower one.
            const int32_t t2 = sample_index(any_order ? j - 1 : j + 1, ry, row_limit), y2 = r.sy + t2;
            const uint8_t* next = row_at(s, y2);
            rows.ahead[0] = next;
            rows.ahead[1] = any_order ? (t2 > 0 ? next + s.stride_bytes : next)
                                      : (y2 < last_row ? next - s.stride_bytes : next);
        }
        // Equal widths map column i to sx + i: the ratio is exactly 1 and i
        // stays below sw, short of the limit. (Nearly equal huge widths can
        // round to a ratio of 1 as well, but there the limit may hold the
        // last columns back.)
        rows.unit_step = r.sw == r.dw;
        if (whole_row && skips && rows.ahead[0] != nullptr) {
            for (int32_t i0 = 0; i0 < r.dw; i0 += kFetchColumns) {
                const int32_t n = std::min(kFetchColumns, r.dw - i0);
                const ptrdiff_t last = static_cast<ptrdiff_t>(cols[i0 + n - 1]) * s.bpp;
                for (ptrdiff_t o = static_cast<ptrdiff_t>(cols[i0]) * s.bpp; o <= last; o += 64)
                    __builtin_prefetch(rows.ahead[0] + o);
                draw(drow + static_cast<ptrdiff_t>(i0) * d.bpp, rows, cols + i0, n);
            }
            continue;
        }
        if (whole_row) {
            draw(drow, rows, cols, r.dw);
            continue;
        }
        for (int32_t i0 = 0; i0 < r.dw;) {
            const int32_t n = std::min(kSampleColumns, r.dw - i0);
            sample_columns(cols, i0, n, r.sx, rx, col_limit);
            draw(drow + static_cast<ptrdiff_t>(i0) * d.bpp, rows, cols, n);
            i0 += n;
        }
    }
    return 0;
}

}  // namespace pixmill
