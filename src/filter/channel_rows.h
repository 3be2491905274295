// Row kernels of the channel and orientation operations: inversion, the
// alpha byte's operations, and the left-right mirror.
#pragma once

#include <cstdint>

// The channel operations' kernels, which have vector forms
// (filter/channel_rows_vec.h): each entry names the table member and the
// scalar kernel that defines it.
#define PIXMILL_CHANNEL_KERNELS(K)               \
    K(invert_24, invert_row_24)                  \
    K(invert_32, invert_row_32)                  \
    K(invert_alpha_32, invert_alpha_row_32)      \
    K(add_alpha_32, add_alpha_row_32)            \
    K(set_alpha_32, set_alpha_row_32)            \
    K(flip_32, flip_row_32)

namespace pixmill {

// Bytes 0, 1, 2 of each 24-bit pixel become 255 - byte.
void invert_row_24(uint8_t* row, int32_t w);
// Bytes 0, 1, 2 of each 32-bit pixel become 255 - byte; alpha stays.
void invert_row_32(uint8_t* row, int32_t w);
// The alpha byte becomes 255 - alpha; colour stays.
void invert_alpha_row_32(uint8_t* row, int32_t w);
// The alpha byte becomes alpha + delta, cut to 0..255; colour stays.
void add_alpha_row_32(uint8_t* row, int32_t w, int32_t delta);
// The alpha byte of each of n pixels becomes alpha.
void set_alpha_row_32(uint8_t* row, int32_t n, uint8_t alpha);
// The w pixels are mirrored in place, whole 4-byte pixels; with an odd w the
// middle one stays.
void flip_row_32(uint8_t* row, int32_t w);

}  // namespace pixmill
