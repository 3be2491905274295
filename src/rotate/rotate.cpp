// Rotation of one surface into another about the centres of both, by inverse
// nearest-neighbour mapping. For each offset (i, j) of one quadrant the offset
// is turned by the angle once, truncated to whole pixels (u, v), and reused for
// the four destination pixels that are quarter turns of (i, j). There is no
// clip: each transfer happens only when its source pixel and its destination
// pixel both pass their own test, and the transfers run in a fixed order, so
// later writes win (this decides the pixels on the axes through the centre).
#include <cmath>
#include <initializer_list>

#include "frame/arith.h"
#include "frame/surface.h"
#include "frame/trig.h"
#include "frame/truncate.h"
#include "rotate/rotate_offset.h"

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

struct Point {
    int64_t x, y;
};

// Walks the offsets (i, j), i from first_i and j from 0, both below N, and
// calls put(dst_pixel, src_pixel) for each transfer that passes both tests.
template <class Put>
void rotate(const Surface* dest, PixelFormat dest_format, const Surface* src, PixelFormat src_format,
            int32_t angle, int32_t first_i, Put put)
{
    const SurfaceView d = read_surface(dest, dest_format);
    const SurfaceView s = read_surface(src, src_format);
    // A destination without rows (a null or one-dimensional descriptor) or
    // without a whole pixel in its rows passes no destination test. Its
    // Stride alone could still make the walk below span millions of offsets.
    const int64_t last_column = last_dest_column(d);
    if (d.rows < 1 || last_column < 0) return;
    const int64_t cxd = centre_x(d), cyd = d.rows / 2, cxs = centre_x(s), cys = s.rows / 2;
    const int64_t n = cxs > cys ? cxs : cys;
    const Turn turn = make_turn(angle_in_radians(angle));

    // An offset beyond every distance from the destination centre to an edge
    // fails every destination test, so neither index needs to go further.
    const int64_t right = last_column - cxd, bottom = static_cast<int64_t>(d.rows) - 1 - cyd;
    int64_t reach = cxd;
    for (int64_t e : {cyd, right, bottom}) reach = e > reach ? e : reach;
    const int64_t end = n < reach + 1 ? n : reach + 1;

    auto dest_ok = [&](Point p) { return p.x >= 0 && p.y >= 0 && p.y < d.rows && p.x <= last_column; };
    for (int64_t i = first_i; i < end; ++i) {
        for (int64_t j = 0; j < end; ++j) {
            const Point to[4] = {{cxd + i, cyd + j}, {cxd - i, cyd - j}, {cxd + j, cyd - i}, {cxd - j, cyd + i}};
            const bool writes[4] = {dest_ok(to[0]), dest_ok(to[1]), dest_ok(to[2]), dest_ok(to[3])};
            if (!(writes[0] || writes[1] || writes[2] || writes[3])) continue;

            int32_t u, v;
            turn_offset(i, j, turn, u, v);

            const Point from[4] = {{cxs + u, cys + v}, {cxs - u, cys - v}, {cxs + v, cys - u}, {cxs - v, cys + u}};
            for (int t = 0; t < 4; ++t) {
                if (!writes[t] || !source_ok(s, from[t].x, from[t].y)) continue;
                put(pixel_at(d, static_cast<int32_t>(to[t].x), static_cast<int32_t>(to[t].y)),
                    pixel_at(s, static_cast<int32_t>(from[t].x), static_cast<int32_t>(from[t].y)));
            }
        }
    }
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

// The per-pixel rules. Source and destination may be the same pixel. The
// exports hand them to the walk inside lambdas, so they are inlined there.
void copy3(uint8_t* to, const uint8_t* from)
{
    for (int b = 0; b < 3; ++b) to[b] = from[b];
}

void copy4(uint8_t* to, const uint8_t* from)
{
    for (int b = 0; b < 4; ++b) to[b] = from[b];
}

// Blended by the source's byte 3: 0 leaves the pixel, 255 copies.
void blend_by_source_alpha(uint8_t* to, const uint8_t* from)
{
    const uint32_t alpha = from[3];
    if (alpha == 0) return;
    for (int b = 0; b < 3; ++b) to[b] = alpha == 255 ? from[b] : blend255_byte(from[b], to[b], alpha);
}

}  // namespace

extern "C" {

int32_t PIXMILL_CALL Render_Rotate24to24(Surface* dest, Surface* src, int32_t angle)
{
    rotate(dest, kBgr24, src, kBgr24, angle, 0, [](uint8_t* to, const uint8_t* from) { copy3(to, from); });
    return 0;
}

int32_t PIXMILL_CALL Render_Rotate32to32(Surface* dest, Surface* src, int32_t angle)
{
    rotate(dest, kBgra32, src, kBgra32, angle, 0, [](uint8_t* to, const uint8_t* from) { copy4(to, from); });
    return 0;
}

// Starts at i = 1, so each pixel of the square but the centre is reached once
// and none is blended twice; the centre pixel is never written.
int32_t PIXMILL_CALL Render_Rotate32to24(Surface* dest, Surface* src, int32_t angle)
{
    rotate(dest, kBgr24, src, kBgra32, angle, 1,
           [](uint8_t* to, const uint8_t* from) { blend_by_source_alpha(to, from); });
    return 0;
}

}  // extern "C"
