// The rotation's kernels for one instruction-set level. The exports call
// rotate_kernels(active_isa()); tests call every level the CPU has.
#pragma once

#include <cstdint>

#include "frame/cpu.h"
#include "rotate/rotate_offset.h"
#include "rotate/rotate_rows.h"

namespace pixmill {

struct RotateKernels {
    void (*turn_offsets_row)(int64_t i, int64_t j0, int32_t count, const Turn& t, int32_t* u, int32_t* v);
    void (*turn_offset_pairs)(int64_t a, int64_t b0, int32_t count, const Turn& t, int32_t* u, int32_t* v, int32_t* mu,
                              int32_t* mv);
    void (*copy_run_32)(const SourceRead& s, uint8_t* dst, int32_t dir, const int32_t* a, const int32_t* b,
                        int32_t sa, int32_t sb, int32_t n);
};

const RotateKernels& rotate_kernels(Isa isa);

}  // namespace pixmill
