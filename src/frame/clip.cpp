#include "frame/clip.h"

namespace pixmill {

bool clip_block(Block& b, int32_t dw, int32_t dr, int32_t sw, int32_t sr)
{
    if (b.dx > dw || b.dy > dr || b.sx > sw || b.sy > sr) return false;

    int64_t dx = b.dx, dy = b.dy, w = b.w, h = b.h, sx = b.sx, sy = b.sy;
    if (dx < 0) {
        sx -= dx;
        w += dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        h += dy;
        dy = 0;
    }
    if (sx < 0) sx = 0;
    if (sy < 0) sy = 0;
    if (dx + w > dw) w = dw - dx;
    if (dy + h > dr) h = dr - dy;
    if (sx + w > sw) w = sw - sx - 1;
    if (sy + h > sr) h = sr - sy;
    if (w < 1 || h < 1) return false;

    // Every value now lies between 0 and the surfaces' sizes.
    b = Block{static_cast<int32_t>(dx), static_cast<int32_t>(dy), static_cast<int32_t>(w),
              static_cast<int32_t>(h),  static_cast<int32_t>(sx), static_cast<int32_t>(sy)};
    return true;
}

bool clip_rect(Rect& r, int32_t width, int32_t rows)
{
    if (r.x > width || r.y > rows) return false;

    int64_t x = r.x, y = r.y, w = r.w, h = r.h;
    if (x < 0) {
        w += x;
        x = 0;
    }
    if (y < 0) {
        h += y;
        y = 0;
    }
    if (x + w > width) w = width - x;
    if (y + h > rows) h = rows - y;
    if (w < 1 || h < 1) return false;

    r = Rect{static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(w), static_cast<int32_t>(h)};
    return true;
}

}  // namespace pixmill
