// The channel operations' row kernels and the colour sums for one
// instruction-set level: each entry is the best version available at that
// level (a lower level's, or the scalar kernel). The exports call
// channel_kernels(active_isa()); tests call every level the CPU has.
#pragma once

#include <cstdint>

#include "filter/colour_sum_rows.h"
#include "frame/cpu.h"

namespace pixmill {

struct ChannelKernels {
    void (*invert_24)(uint8_t* row, int32_t w);
    void (*invert_32)(uint8_t* row, int32_t w);
    void (*invert_alpha_32)(uint8_t* row, int32_t w);
    void (*add_alpha_32)(uint8_t* row, int32_t w, int32_t delta);
    void (*set_alpha_32)(uint8_t* row, int32_t n, uint8_t alpha);
    void (*flip_32)(uint8_t* row, int32_t w);
    void (*sum_24)(const uint8_t* row, int32_t w, ColourSums& sums);
};

const ChannelKernels& channel_kernels(Isa isa);

}  // namespace pixmill
