// The scaled-copy row kernels for one instruction-set level: each entry is
// the best version available at that level (a lower level's, or the scalar
// kernel where no vector version pays). The exports call
// stretch_kernels(active_isa()) once per call; tests call every level the CPU has.
#pragma once

#include <cstdint>

#include "frame/cpu.h"
#include "stretch/stretch_rows.h"

namespace pixmill {

// Every kernel takes the columns of one destination row as the walk gives
// them: non-decreasing (the source column never moves left as the
// destination column moves right).
struct StretchKernels {
    void (*sample_24to24)(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
    void (*sample_24to32)(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
    void (*sample_32to32_whole)(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
    void (*smooth_24to24)(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
    void (*smooth_24to32)(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
    void (*smooth_32to32_whole)(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
};

const StretchKernels& stretch_kernels(Isa isa);

}  // namespace pixmill
