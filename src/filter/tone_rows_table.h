// The row kernels of the channel offsets and the contrast for one
// instruction-set level, in their per-call table form: each entry is the best
// version available at that level (a lower level's, or the scalar kernel).
// The exports call tone_kernels(active_isa()); tests call every level the CPU has.
#pragma once

#include <cstdint>

#include "filter/contrast_rows.h"
#include "filter/offset_rows.h"
#include "frame/cpu.h"

namespace pixmill {

struct ToneKernels {
    void (*offset_24)(uint8_t* row, int32_t w, const OffsetTables& t);
    void (*offset_24_keyed)(uint8_t* row, int32_t w, const OffsetTables& t, ColorKey key);
    void (*offset_32)(uint8_t* row, int32_t w, const OffsetTables& t);
    void (*contrast_24)(uint8_t* row, int32_t w, const ContrastTable& t);
};

const ToneKernels& tone_kernels(Isa isa);

}  // namespace pixmill
