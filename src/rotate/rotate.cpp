// Rotation of one surface into another about the centres of both, by inverse
// nearest-neighbour mapping. For each offset (i, j) of one quadrant the offset
// is turned by the angle once, truncated to whole pixels (u, v), and reused for
// the four destination pixels that are quarter turns of (i, j). There is no
// clip: each transfer happens only when its source pixel and its destination
// pixel both pass their own test, and the transfers run in a fixed order, so
// later writes win (this decides the pixels on the axes through the centre).
//
// That order matters only for pixels written twice and for reads that can see
// a write. Offsets with i >= 1 reach every destination pixel at most once
// (transfer 1 the quadrant x > 0, y >= 0 from the centre, transfer 2 x < 0,
// y <= 0, transfer 3 x >= 0, y < 0, transfer 4 x <= 0, y > 0); only the
// column i = 0 writes pixels of the axes that an offset with i >= 1 writes
// again. So when the two arrays share no byte, the column i = 0 goes first in
// its order and the other offsets may go in any order: in tiles of
// destination pixels, whose source pixels stay in the caches while the tile
// reads them again. Otherwise the walk keeps the defined order throughout.
#include <cmath>
#include <initializer_list>

#include "frame/arith.h"
#include "frame/kernels.h"
#include "frame/surface.h"
#include "frame/trig.h"
#include "frame/truncate.h"
#include "rotate/rotate.h"
#include "rotate/rotate_offset.h"
#include "rotate/rotate_rows.h"

namespace pixmill {

namespace {

// Horizontal centre: Width / 2 for a 24-bit surface, Stride / 2 for a 32-bit
// one (whose Stride counts pixels).
int32_t centre_x(const SurfaceView& s)
{
    return (s.bpp == kBgra32 ? s.stride : s.width) / 2;
}

// A source pixel may be read when it lies in a row of the array and its first
// byte lies more than 4 bytes before the end of the row, which leaves out the
// array's last column.
bool source_ok(const SurfaceView& s, int64_t x, int64_t y)
{
    return x >= 0 && y >= 0 && y < s.rows && s.bpp * x < static_cast<int64_t>(s.stride_bytes) - 4;
}

// A destination pixel may be written when it lies in a row of the array and
// all its bytes lie within the row. The Width is not consulted, so row padding
// may be written.
int64_t last_dest_column(const SurfaceView& d)
{
    const int64_t stride = d.stride;
    if (d.bpp == kBgra32) return stride - 1;
    return stride < 3 ? -1 : (stride - 3) / 3;  // 3x + 3 <= Stride
}

// What a call works with: both surfaces, the centres, the turn and how far the
// offsets go.
struct Frame {
    SurfaceView d, s;
    int64_t cxd, cyd, cxs, cys;
    int64_t last_column;  // of the destination
    int64_t end;          // both indices stay below it
    Turn turn;

    bool dest_ok(int64_t x, int64_t y) const { return x >= 0 && y >= 0 && y < d.rows && x <= last_column; }
};

// Reads both surfaces; false when no transfer can pass its destination test.
bool make_frame(Frame& f, const Surface* dest, PixelFormat dest_format, const Surface* src, PixelFormat src_format,
                int32_t angle)
{
    f.d = read_surface(dest, dest_format);
    f.s = read_surface(src, src_format);
    // A destination without rows (a null or one-dimensional descriptor) or
    // without a whole pixel in its rows passes no destination test. Its
    // Stride alone could still make the walk below span millions of offsets.
    f.last_column = last_dest_column(f.d);
    if (f.d.rows < 1 || f.last_column < 0) return false;
    f.cxd = centre_x(f.d);
    f.cyd = f.d.rows / 2;
    f.cxs = centre_x(f.s);
    f.cys = f.s.rows / 2;
    const int64_t n = f.cxs > f.cys ? f.cxs : f.cys;
    f.turn = make_turn(angle_in_radians(angle));

    // An offset beyond every distance from the destination centre to an edge
    // fails every destination test, so neither index needs to go further.
    const int64_t right = f.last_column - f.cxd, bottom = static_cast<int64_t>(f.d.rows) - 1 - f.cyd;
    int64_t reach = f.cxd;
    for (int64_t e : {f.cyd, right, bottom}) reach = e > reach ? e : reach;
    f.end = n < reach + 1 ? n : reach + 1;
    return true;
}

struct Point {
    int64_t x, y;
};

// Offsets (i, j) for i from first_i to last_i - 1 and every j, in the defined
// order. The offsets of a column i >= 1 come from the kernel, a run of j at a
// time.
template <class Put>
void walk_in_order(const Frame& f, const Kernels& kernels, int64_t first_i, int64_t last_i, Put put)
{
    constexpr int32_t kRun = 64;
    int32_t us[kRun], vs[kRun];
    for (int64_t i = first_i; i < last_i; ++i) {
        for (int64_t j = 0; j < f.end; ++j) {
            const int32_t k = static_cast<int32_t>(j % kRun);
            if (i > 0 && k == 0) {
                const int64_t left = f.end - j;
                kernels.rotate_offsets(i, j, static_cast<int32_t>(left < kRun ? left : kRun), f.turn, us, vs);
            }
            const Point to[4] = {{f.cxd + i, f.cyd + j}, {f.cxd - i, f.cyd - j}, {f.cxd + j, f.cyd - i},
                                 {f.cxd - j, f.cyd + i}};
            const bool writes[4] = {f.dest_ok(to[0].x, to[0].y), f.dest_ok(to[1].x, to[1].y),
                                    f.dest_ok(to[2].x, to[2].y), f.dest_ok(to[3].x, to[3].y)};
            if (!(writes[0] || writes[1] || writes[2] || writes[3])) continue;

            int32_t u, v;
            if (i == 0) {
                turn_offset(i, j, f.turn, u, v);
            } else {
                u = us[k];
                v = vs[k];
            }
            const Point from[4] = {
                {f.cxs + u, f.cys + v}, {f.cxs - u, f.cys - v}, {f.cxs + v, f.cys - u}, {f.cxs - v, f.cys + u}};
            for (int t = 0; t < 4; ++t) {
                if (!writes[t] || !source_ok(f.s, from[t].x, from[t].y)) continue;
                put(pixel_at(f.d, static_cast<int32_t>(to[t].x), static_cast<int32_t>(to[t].y)),
                    pixel_at(f.s, static_cast<int32_t>(from[t].x), static_cast<int32_t>(from[t].y)));
            }
        }
    }
}

struct Range {
    int64_t lo, hi;  // [lo, hi)
    bool empty() const { return lo >= hi; }
    int64_t size() const { return empty() ? 0 : hi - lo; }
};

Range meet(Range a, Range b)
{
    return {a.lo > b.lo ? a.lo : b.lo, a.hi < b.hi ? a.hi : b.hi};
}

// Where c + dir k lies in [0, last], for dir = 1 or -1.
Range within(int64_t c, int64_t dir, int64_t last)
{
    return dir > 0 ? Range{-c, last - c + 1} : Range{c - last, c + 1};
}

// One transfer seen along destination rows: row index a and column index b
// stand for offset (i, j) = (a, b), or (b, a) when mirrored, which writes
// destination pixel (cxd + x_dir b, cyd + y_dir a) from source pixel
// (cxs + sa p, cys + sb q), where (p, q) is (u, v) or, swapped, (v, u).
struct RowTransfer {
    int32_t y_dir, x_dir, sa, sb;
    bool mirrored, swapped;
};

constexpr RowTransfer kRowTransfers[4] = {
    {1, 1, 1, 1, true, false},     // 1: (cxd + i, cyd + j) from (cxs + u, cys + v)
    {-1, -1, -1, -1, true, false},  // 2: (cxd - i, cyd - j) from (cxs - u, cys - v)
    {-1, 1, 1, -1, false, true},    // 3: (cxd + j, cyd - i) from (cxs + v, cys - u)
    {1, -1, -1, 1, false, true},    // 4: (cxd - j, cyd + i) from (cxs - v, cys + u)
};

// The column i = 0 in order, then the offsets with i >= 1 in tiles of
// destination pixels. Row index a gives destination rows cyd + a (transfer 4
// left of the centre, 1 right of it) and cyd - a (2 and 3), column index b
// the distance from the centre column, each offset pair (a, b), (b, a) turned
// once for all four. A tile is a band of row indices by a block of column
// indices, walked row by row. The source pixels of one tile row lie along
// four slanted lines, and the next row reads the lines beside them. No
// prefetcher of the processor follows such lines, so where every transfer of
// a pair passes its destination test the 32-bit copy goes to rotate_block_32,
// which asks for the source lines of the next block before it gathers: with
// blocks of 64 columns those lines are still cached when their block comes,
// and bands of 32 rows keep the lines neighbouring rows share. Without the
// asking ahead tiles measured no faster than whole rows, and the pixel by
// pixel transfers slower, so those go along whole rows (bands of one row).
template <class Put>
void walk_in_tiles(const Frame& f, const Kernels& kernels, int64_t first_i, Put put)
{
    if (first_i == 0) walk_in_order(f, kernels, 0, f.end < 1 ? f.end : 1, put);
    const int64_t stride_pixels = f.s.stride_bytes / f.s.bpp;
    const SourceRead s{pixel_at(f.s, 0, 0),
                       f.s.stride_bytes,
                       f.s.bpp,
                       f.cxs,
                       f.cys,
                       static_cast<uint64_t>((f.s.stride_bytes - 5) / f.s.bpp),
                       static_cast<uint64_t>(f.s.rows),
                       f.s.bpp == 4 && (static_cast<int64_t>(f.s.rows) - 1) * stride_pixels <= INT32_MAX};

    // Where each transfer's offsets have i >= 1 and its destination pixels
    // pass their test, and where all four transfers' do.
    Range rows_ok[4], columns_ok[4];
    Range all_rows{0, f.end}, all_columns{0, f.end};
    for (int h = 0; h < 4; ++h) {
        const RowTransfer& t = kRowTransfers[h];
        rows_ok[h] = meet(Range{t.mirrored ? 0 : 1, f.end}, within(f.cyd, t.y_dir, f.d.rows - 1));
        columns_ok[h] = meet(Range{t.mirrored ? 1 : 0, f.end}, within(f.cxd, t.x_dir, f.last_column));
        all_rows = meet(all_rows, rows_ok[h]);
        all_columns = meet(all_columns, columns_ok[h]);
    }
    if (!(Put::kCopies32 && s.index32)) all_columns = Range{0, 0};

    constexpr int64_t kRun = 1024;
    const bool tiles = !all_columns.empty();
    const int64_t band_rows = tiles ? 32 : 1, block_columns = tiles ? 64 : kRun;
    int32_t turned[4][kRun];  // u, v of offsets (a, b), then of (b, a)
    // The columns of run in row a, each transfer where it passes its tests.
    auto row_run = [&](int64_t a, Range run) {
        Range columns[4], hull{run.hi, run.lo};
        for (int h = 0; h < 4; ++h) {
            columns[h] = a >= rows_ok[h].lo && a < rows_ok[h].hi ? meet(run, columns_ok[h]) : Range{0, 0};
            if (columns[h].empty()) continue;
            hull.lo = columns[h].lo < hull.lo ? columns[h].lo : hull.lo;
            hull.hi = columns[h].hi > hull.hi ? columns[h].hi : hull.hi;
        }
        if (hull.empty()) return;
        kernels.rotate_offset_pairs(a, hull.lo, static_cast<int32_t>(hull.hi - hull.lo), f.turn, turned[0],
                                    turned[1], turned[2], turned[3]);
        for (int h = 0; h < 4; ++h) {
            if (columns[h].empty()) continue;
            const RowTransfer& t = kRowTransfers[h];
            uint8_t* dst = pixel_at(f.d, static_cast<int32_t>(f.cxd + t.x_dir * columns[h].lo),
                                    static_cast<int32_t>(f.cyd + t.y_dir * a));
            const int pair = t.mirrored ? 2 : 0;
            const int64_t at = columns[h].lo - hull.lo;
            const int32_t* p = turned[pair + (t.swapped ? 1 : 0)] + at;
            const int32_t* q = turned[pair + (t.swapped ? 0 : 1)] + at;
            const auto n = static_cast<int32_t>(columns[h].hi - columns[h].lo);
            if constexpr (Put::kCopies32)
                kernels.rotate_copy_32(s, dst, t.x_dir, p, q, t.sa, t.sb, n);
            else
                transfer_run(s, dst, t.x_dir, p, q, t.sa, t.sb, n, put);
        }
    };

    const DestCentre centre{
        all_columns.empty() ? nullptr : pixel_at(f.d, static_cast<int32_t>(f.cxd), static_cast<int32_t>(f.cyd)),
        f.d.stride_bytes};
    for (int64_t a0 = 0; a0 < f.end; a0 += band_rows) {
        const Range band{a0, a0 + band_rows < f.end ? a0 + band_rows : f.end};
        for (int64_t b0 = 0; b0 < f.end; b0 += block_columns) {
            const Range block{b0, b0 + block_columns < f.end ? b0 + block_columns : f.end};
            const Range whole = meet(block, all_columns);
            const Range rows = whole.empty() ? Range{0, 0} : meet(band, all_rows);
            if (!rows.empty())
                kernels.rotate_block_32(s, centre, f.turn, rows.lo, rows.hi, whole.lo,
                                        static_cast<int32_t>(whole.hi - whole.lo),
                                        static_cast<int32_t>(meet(Range{whole.hi, whole.hi + block_columns},
                                                                  all_columns).size()));
            for (int64_t a = band.lo; a < band.hi; ++a) {
                if (a >= rows.lo && a < rows.hi) {
                    row_run(a, Range{block.lo, whole.lo});
                    row_run(a, Range{whole.hi, block.hi});
                } else {
                    row_run(a, block);
                }
            }
        }
    }
}

// The walk for one call. Walking along destination rows needs a source with
// a readable pixel (so that the source test has a column limit), arrays that
// share no byte, and offsets small enough for the vector kernels.
template <class Put>
void rotate(const Surface* dest, PixelFormat dest_format, const Surface* src, PixelFormat src_format, int32_t angle,
            int64_t first_i, RotateOrder order, const Kernels& fast, Put put)
{
    Frame f;
    if (!make_frame(f, dest, dest_format, src, src_format, angle)) return;
    const bool small = f.end <= kMaxRowOffset;
    const Kernels& kernels = small ? fast : scalar_kernels();
    const bool readable = f.s.rows >= 1 && f.s.stride_bytes >= 5;
    if (order == RotateOrder::kAny && small && readable && spans_apart(span_of(f.d), span_of(f.s)))
        walk_in_tiles(f, kernels, first_i, put);
    else
        walk_in_order(f, kernels, first_i, f.end, put);
}

}  // namespace

float angle_in_radians(int32_t degrees)
{
    return static_cast<float>(degrees * (3.14 / 180.0));
}

Turn make_turn(double a)
{
    Turn t{a, 0.0, 0.0};
    sine_cosine(a, t.sin_a, t.cos_a);
    return t;
}

void turn_offset(int64_t i, int64_t j, const Turn& t, int32_t& u, int32_t& v)
{
    const double rho = std::sqrt(static_cast<double>(i * i + j * j));
    const double r = static_cast<float>(rho);
    if (i == 0) {
        const float quarter_turn = 1.57f;
        double sin_t, cos_t;
        sine_cosine(static_cast<double>(quarter_turn) + t.a, sin_t, cos_t);
        u = truncate_to_int32(r * cos_t);
        v = truncate_to_int32(r * sin_t);
        return;
    }
    if (j == 0) {
        u = truncate_to_int32(r * t.cos_a);
        v = truncate_to_int32(r * t.sin_a);
        return;
    }
    const double cos0 = static_cast<double>(i) / rho, sin0 = static_cast<double>(j) / rho;
    u = truncate_to_int32(r * (cos0 * t.cos_a - sin0 * t.sin_a));
    v = truncate_to_int32(r * (sin0 * t.cos_a + cos0 * t.sin_a));
}

}  // namespace pixmill

using namespace pixmill;

namespace {

// The per-pixel rules besides Copy4. Source and destination may be the same
// pixel.
struct Copy3 {
    static constexpr int kBytes = 3;
    static constexpr bool kCopies32 = false;
    void operator()(uint8_t* to, const uint8_t* from) const
    {
        for (int b = 0; b < 3; ++b) to[b] = from[b];
    }
};

struct Copy32 : Copy4 {
    static constexpr bool kCopies32 = true;  // the kernels' runs copy these
};

// Blended by the source's byte 3: 0 leaves the pixel, 255 copies.
struct BlendBySourceAlpha {
    static constexpr int kBytes = 3;
    static constexpr bool kCopies32 = false;
    void operator()(uint8_t* to, const uint8_t* from) const
    {
        const uint32_t alpha = from[3];
        if (alpha == 0) return;
        for (int b = 0; b < 3; ++b) to[b] = alpha == 255 ? from[b] : blend255_byte(from[b], to[b], alpha);
    }
};

}  // namespace

void pixmill::rotate_surfaces(Surface* dest, Surface* src, int32_t angle, RotateTransfer transfer,
                              RotateOrder order, const Kernels& fast)
{
    switch (transfer) {
        case RotateTransfer::kCopy24to24:
            rotate(dest, kBgr24, src, kBgr24, angle, 0, order, fast, Copy3{});
            return;
        case RotateTransfer::kCopy32to32:
            rotate(dest, kBgra32, src, kBgra32, angle, 0, order, fast, Copy32{});
            return;
        case RotateTransfer::kBlend32to24:
            // Starts at i = 1, so each pixel of the square but the centre is
            // reached once and none is blended twice; the centre pixel is
            // never written.
            rotate(dest, kBgr24, src, kBgra32, angle, 1, order, fast, BlendBySourceAlpha{});
            return;
    }
}

extern "C" {

int32_t PIXMILL_CALL Render_Rotate24to24(Surface* dest, Surface* src, int32_t angle)
{
    rotate_surfaces(dest, src, angle, RotateTransfer::kCopy24to24, RotateOrder::kAny, kernels());
    return 0;
}

int32_t PIXMILL_CALL Render_Rotate32to32(Surface* dest, Surface* src, int32_t angle)
{
    rotate_surfaces(dest, src, angle, RotateTransfer::kCopy32to32, RotateOrder::kAny, kernels());
    return 0;
}

int32_t PIXMILL_CALL Render_Rotate32to24(Surface* dest, Surface* src, int32_t angle)
{
    rotate_surfaces(dest, src, angle, RotateTransfer::kBlend32to24, RotateOrder::kAny, kernels());
    return 0;
}

}  // extern "C"
