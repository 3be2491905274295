#include "rotate/rotate_rows.h"

namespace pixmill {

void turn_offsets_row(int64_t i, int64_t j0, int32_t count, const Turn& t, int32_t* u, int32_t* v)
{
    for (int32_t k = 0; k < count; ++k) turn_offset(i, j0 + k, t, u[k], v[k]);
}

void turn_offsets_column(int64_t i0, int64_t j, int32_t count, const Turn& t, int32_t* u, int32_t* v)
{
    for (int32_t k = 0; k < count; ++k) turn_offset(i0 + k, j, t, u[k], v[k]);
}

void copy_run_32(const SourceRead& s, uint8_t* dst, int32_t dir, const int32_t* a, const int32_t* b, int32_t sa,
                 int32_t sb, int32_t n)
{
    transfer_run(s, dst, dir, a, b, sa, sb, n, Copy4{});
}

}  // namespace pixmill
