// The rotation's offsets in 2 double lanes.
#include "rotate/rotate_rows_isa.h"

#if defined(__SSE2__)
#include "rotate/rotate_rows_vec.h"

namespace pixmill::sse2 {

void turn_offsets_row(int64_t i, int64_t j0, int32_t count, const Turn& t, int32_t* u, int32_t* v)
{
    turn_offsets_v<Pd2, false>(i, j0, count, t, u, v);
}

void turn_offsets_column(int64_t i0, int64_t j, int32_t count, const Turn& t, int32_t* u, int32_t* v)
{
    turn_offsets_v<Pd2, true>(i0, j, count, t, u, v);
}

}  // namespace pixmill::sse2
#endif
