// Row kernels of the bars and outlines: one function per inner loop, over the
// w pixels of one row (an outline's vertical line is h rows of one pixel).
// These scalar kernels define the arithmetic.
#pragma once

#include <cstdint>

// The bar and outline kernels with vector forms (draw/draw_rows_vec.h): each
// entry names the table member and the scalar kernel that defines it.
#define PIXMILL_DRAW_KERNELS(K)                        \
    K(fill_24, fill_row_24)                            \
    K(fill_32, fill_row_32)                            \
    K(fill_32_alpha_byte, fill_row_32_alpha_byte)      \
    K(blend_24, blend_row_24)                          \
    K(blend_32, blend_row_32)                          \
    K(mask_blend_24, mask_blend_row_24)

namespace pixmill {

// A colour as the three bytes it is stored as; only the low byte of each
// argument counts.
struct Bgr {
    uint8_t b, g, r;
};

inline Bgr colour_bytes(int32_t red, int32_t green, int32_t blue)
{
    return {static_cast<uint8_t>(blue), static_cast<uint8_t>(green), static_cast<uint8_t>(red)};
}

// A run of 24-bit pixels of one colour, long enough for the widest vector
// begun 0, 1 or 2 bytes into a pixel: byte t is byte t mod 3 of the colour.
// Made once per call, so that a row kernel takes its vectors with three loads.
constexpr int kColourRunBytes = 64 + 2;

struct Colour24 {
    Bgr colour;
    uint8_t run[kColourRunBytes];
};

inline Colour24 colour24(Bgr c)
{
    Colour24 k{c, {}};
    for (int t = 0; t < kColourRunBytes; t += 3) {
        k.run[t] = c.b;
        k.run[t + 1] = c.g;
        k.run[t + 2] = c.r;
    }
    return k;
}

// The per-call part of a constant-alpha blend: the colour products c * a and
// the weight 255 - a of the old byte, in wrapping 32-bit arithmetic. The alpha
// argument is used whole, so a weight outside 0..255 gives what the 32-bit
// products give (see blend255).
struct ConstBlend {
    uint32_t b, g, r;  // c * a per colour byte
    uint32_t keep;     // 255 - a
    Colour24 colour;   // the colour and the alpha as given, for the vector kernels
    int32_t alpha;
};

inline ConstBlend const_blend(Bgr c, int32_t alpha)
{
    const uint32_t a = static_cast<uint32_t>(alpha);
    return {c.b * a, c.g * a, c.r * a, 255u - a, colour24(c), alpha};
}

// Opaque fill: the colour into bytes 0..2 of each pixel; a 32-bit pixel's
// alpha byte is left alone.
void fill_row_24(uint8_t* dst, int32_t w, const Colour24& c);
void fill_row_32(uint8_t* dst, int32_t w, Bgr c);
// Opaque fill that also stores alpha into byte 3.
void fill_row_32_alpha_byte(uint8_t* dst, int32_t w, Bgr c, uint8_t alpha);
// Constant-alpha blend of bytes 0..2: (old * (255 - a) + c * a) / 255, the
// quotient truncated and its low byte stored. The alpha byte is left alone.
void blend_row_24(uint8_t* dst, int32_t w, const ConstBlend& k);
void blend_row_32(uint8_t* dst, int32_t w, const ConstBlend& k);
// 24-bit blend with a per-pixel alpha taken from byte 2 of each 24-bit mask
// pixel: 0 leaves the pixel, 255 writes the colour, anything else blends.
void mask_blend_row_24(uint8_t* dst, const uint8_t* mask, int32_t w, const Colour24& c);

}  // namespace pixmill
