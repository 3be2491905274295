#include "rotate/rotate_rows.h"

namespace pixmill {

void turn_offsets_row(int64_t i, int64_t j0, int32_t count, const Turn& t, int32_t* u, int32_t* v)
{
    for (int32_t k = 0; k < count; ++k) turn_offset(i, j0 + k, t, u[k], v[k]);
}

void turn_offset_pairs(int64_t a, int64_t b0, int32_t count, const Turn& t, int32_t* u, int32_t* v, int32_t* mu,
                       int32_t* mv)
{
    for (int32_t k = 0; k < count; ++k) {
        turn_offset(a, b0 + k, t, u[k], v[k]);
        turn_offset(b0 + k, a, t, mu[k], mv[k]);
    }
}

void copy_run_32(const SourceRead& s, uint8_t* dst, int32_t dir, const int32_t* a, const int32_t* b, int32_t sa,
                 int32_t sb, int32_t n)
{
    transfer_run(s, dst, dir, a, b, sa, sb, n, Copy4{});
}

}  // namespace pixmill
