// The block-transfer row kernels for one instruction-set level: each entry is
// the best version available at that level (a lower level's, or the scalar
// kernel where no vector version pays). The exports call
// blit_kernels(cpu_isa()); tests call every level the CPU has.
#pragma once

#include <cstdint>

#include "blit/key_rows.h"
#include "frame/cpu.h"

namespace pixmill {

struct BlitKernels {
    void (*copy_24to32)(uint8_t* dst, const uint8_t* src, int32_t w);
    void (*blend_32to24)(uint8_t* dst, const uint8_t* src, int32_t w);
    void (*blend_32to32)(uint8_t* dst, const uint8_t* src, int32_t w);
    void (*key_24to24)(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key);
    void (*alpha_24to24)(uint8_t* dst, const uint8_t* src, int32_t w, int32_t alpha);
    void (*key_alpha_24to24)(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, int32_t alpha);
    void (*stamp_24to32)(uint8_t* dst, const uint8_t* src, int32_t w, uint8_t alpha);
    void (*key_stamp_24to32)(uint8_t* dst, const uint8_t* src, int32_t w, ColorKey key, uint8_t alpha);
    void (*alpha_to_grey_32to24)(uint8_t* dst, const uint8_t* src, int32_t w);
    void (*red_to_alpha_24to32)(uint8_t* dst, const uint8_t* src, int32_t w);
    void (*mask_blend_24to24)(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w);
    void (*mask_alpha_24to32)(uint8_t* dst, const uint8_t* src, const uint8_t* mask, int32_t w);
};

const BlitKernels& blit_kernels(Isa isa);

}  // namespace pixmill
