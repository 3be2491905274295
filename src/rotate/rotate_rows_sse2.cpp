// The rotation's offsets in 2 double lanes.
#include "rotate/rotate_rows_isa.h"

#if defined(__SSE2__)
#include "rotate/rotate_rows_vec.h"

namespace pixmill::sse2 {

void turn_offsets_row(int64_t i, int64_t j0, int32_t count, const Turn& t, int32_t* u, int32_t* v)
{
    turn_offsets_row_v<Pd2>(i, j0, count, t, u, v);
}

void turn_offset_pairs(int64_t a, int64_t b0, int32_t count, const Turn& t, int32_t* u, int32_t* v, int32_t* mu,
                       int32_t* mv)
{
    turn_offset_pairs_v<Pd2>(a, b0, count, t, u, v, mu, mv);
}

}  // namespace pixmill::sse2
#endif
