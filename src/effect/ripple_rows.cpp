#include "effect/ripple_rows.h"

#include <cmath>

#include "frame/trig.h"
#include "frame/truncate.h"

namespace pixmill {

void ripple_offsets_row(const RippleRow& r, int32_t i0, int32_t n, int32_t* du, int32_t* dv)
{
    for (int32_t c = 0; c < n; ++c) {
        const double di = (i0 + c) - r.cxf;
        const double s = sine(std::sqrt(di * di + r.dj2) * r.k);
        du[c] = truncate_to_int32(s * r.amp_x);
        dv[c] = truncate_to_int32(s * r.amp_y);
    }
}

}  // namespace pixmill
