// The hue, lightness, saturation row kernel for one instruction-set level:
// the best version available at that level (a lower level's, or the scalar
// kernel). The export calls hls_kernels(active_isa()); tests call every level
// the CPU has.
#pragma once

#include <cstdint>

#include "filter/hls_rows.h"
#include "frame/cpu.h"

namespace pixmill {

struct HlsKernels {
    void (*adjust_32)(uint8_t* row, int32_t w, const HlsDeltas& deltas);
};

const HlsKernels& hls_kernels(Isa isa);

}  // namespace pixmill
