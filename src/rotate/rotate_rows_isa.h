// The vector versions of the rotation's kernels, one namespace per instruction
// set, each compiled in its own file with that set's flags: the offsets in 2,
// 4 and 8 double lanes, the 32-bit copies with gathers of 8 and 16 pixels.
#pragma once

#include <cstdint>

#include "rotate/rotate_offset.h"
#include "rotate/rotate_rows.h"

namespace pixmill {

#define PIXMILL_ROTATE_KERNELS                                                                              \
    void turn_offsets_row(int64_t i, int64_t j0, int32_t count, const Turn& t, int32_t* u, int32_t* v);      \
    void turn_offset_pairs(int64_t a, int64_t b0, int32_t count, const Turn& t, int32_t* u, int32_t* v,       \
                           int32_t* mu, int32_t* mv);

namespace sse2 {
PIXMILL_ROTATE_KERNELS
}  // namespace sse2

#define PIXMILL_ROTATE_GATHER_KERNELS                                                                   \
    void copy_run_32(const SourceRead& s, uint8_t* dst, int32_t dir, const int32_t* a, const int32_t* b, \
                     int32_t sa, int32_t sb, int32_t n);

namespace avx2 {
PIXMILL_ROTATE_KERNELS
PIXMILL_ROTATE_GATHER_KERNELS
}  // namespace avx2

namespace avx512 {
PIXMILL_ROTATE_KERNELS
PIXMILL_ROTATE_GATHER_KERNELS
}  // namespace avx512

#undef PIXMILL_ROTATE_KERNELS
#undef PIXMILL_ROTATE_GATHER_KERNELS

}  // namespace pixmill
