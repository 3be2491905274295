#include "draw/draw_rows.h"

#include "frame/arith.h"

namespace pixmill {

namespace {

inline void put(uint8_t* d, Bgr c)
{
    d[0] = c.b;
    d[1] = c.g;
    d[2] = c.r;
}

// One byte of the constant-alpha blend with its per-call product hoisted. The
// sum is read as a signed 32-bit value, so the quotient truncates toward zero
// as blend255's does.
inline uint8_t blend_byte(uint8_t old, uint32_t product, uint32_t keep)
{
    return static_cast<uint8_t>(static_cast<int32_t>(old * keep + product) / 255);
}

inline void blend(uint8_t* d, const ConstBlend& k)
{
    d[0] = blend_byte(d[0], k.b, k.keep);
    d[1] = blend_byte(d[1], k.g, k.keep);
    d[2] = blend_byte(d[2], k.r, k.keep);
}

}  // namespace

void fill_row_24(uint8_t* dst, int32_t w, const Colour24& c)
{
    for (int32_t i = 0; i < w; ++i, dst += 3) put(dst, c.colour);
}

void fill_row_32(uint8_t* dst, int32_t w, Bgr c)
{
    for (int32_t i = 0; i < w; ++i, dst += 4) put(dst, c);
}

void fill_row_32_alpha_byte(uint8_t* dst, int32_t w, Bgr c, uint8_t alpha)
{
    for (int32_t i = 0; i < w; ++i, dst += 4) {
        put(dst, c);
        dst[3] = alpha;
    }
}

void blend_row_24(uint8_t* dst, int32_t w, const ConstBlend& k)
{
    for (int32_t i = 0; i < w; ++i, dst += 3) blend(dst, k);
}

void blend_row_32(uint8_t* dst, int32_t w, const ConstBlend& k)
{
    for (int32_t i = 0; i < w; ++i, dst += 4) blend(dst, k);
}

void mask_blend_row_24(uint8_t* dst, const uint8_t* mask, int32_t w, const Colour24& k)
{
    const Bgr c = k.colour;
    for (int32_t i = 0; i < w; ++i, dst += 3, mask += 3) {
        const uint32_t m = mask[2];
        if (m == 0) continue;
        if (m == 255) {
            put(dst, c);
        } else {
            dst[0] = blend255_byte(c.b, dst[0], m);
            dst[1] = blend255_byte(c.g, dst[1], m);
            dst[2] = blend255_byte(c.r, dst[2], m);
        }
    }
}

}  // namespace pixmill
