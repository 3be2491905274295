#include "frame/stretch_clip.h"

namespace pixmill {

bool clip_stretch(StretchRect& r, int32_t dwidth, int32_t drows, int32_t swidth, int32_t srows)
{
    if (r.dx > dwidth || r.dy > drows || r.sx > swidth || r.sy > srows) return false;

    int64_t dx = r.dx, dy = r.dy, dw = r.dw, dh = r.dh, sx = r.sx, sy = r.sy, sw = r.sw, sh = r.sh;
    if (dx < 0) {
        sx -= dx;
        dw += dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        dh += dy;
        dy = 0;
    }
    if (sx < 0) {
        sw += sx;
        sx = 0;
    }
    if (sy < 0) {
        sh += sy;
        sy = 0;
    }
    if (dx + dw > dwidth) dw = dwidth - dx;
    if (dy + dh > drows) dh = drows - dy;
    if (sx + sw > int64_t{swidth} - 1) sw = int64_t{swidth} - sx - 1;
    if (sy + sh > srows) sh = srows - sy;
    if (dw < 1 || dh < 1) return false;

    // The first sample must lie in the source: its origin on a real row and
    // column, and neither size negative.
    if (sw < 0 || sh < 0 || sy >= srows || sx > int64_t{swidth} - 1) return false;

    // Every value now lies between 0 and the surfaces' sizes.
    r = StretchRect{static_cast<int32_t>(dx), static_cast<int32_t>(dy), static_cast<int32_t>(dw),
                    static_cast<int32_t>(dh), static_cast<int32_t>(sx), static_cast<int32_t>(sy),
                    static_cast<int32_t>(sw), static_cast<int32_t>(sh)};
    return true;
}

}  // namespace pixmill
