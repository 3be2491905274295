// The bar and outline row kernels for one instruction-set level: each entry is
// the best version available at that level (a lower level's, or the scalar
// kernel). The exports call draw_kernels(active_isa()); tests call every level
// the CPU has.
#pragma once

#include <cstdint>

#include "draw/draw_rows.h"
#include "frame/cpu.h"

namespace pixmill {

struct DrawKernels {
    void (*fill_24)(uint8_t* dst, int32_t w, Bgr c);
    void (*fill_32)(uint8_t* dst, int32_t w, Bgr c);
    void (*fill_32_alpha_byte)(uint8_t* dst, int32_t w, Bgr c, uint8_t alpha);
    void (*blend_24)(uint8_t* dst, int32_t w, const ConstBlend& k);
    void (*blend_32)(uint8_t* dst, int32_t w, const ConstBlend& k);
    void (*mask_blend_24)(uint8_t* dst, const uint8_t* mask, int32_t w, Bgr c);
};

const DrawKernels& draw_kernels(Isa isa);

}  // namespace pixmill
