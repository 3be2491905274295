#include "filter/contrast_rows.h"

#include <cmath>

#include "filter/byte_clamp.h"

namespace pixmill {

uint8_t contrast_byte(uint8_t b, float factor)
{
    const double p = static_cast<double>(static_cast<int32_t>(b) - 128) * static_cast<double>(factor);
    // Beyond +-256 every product lands on 0 or 255 after the offset of 128,
    // so cutting there changes no result and keeps the conversion in range.
    double q = p;
    if (std::isnan(p)) {
        q = 0.0;
    } else if (p > 256.0) {
        q = 256.0;
    } else if (p < -256.0) {
        q = -256.0;
    }
    return clamp_byte(static_cast<int32_t>(q) + 128);
}

void contrast_row_24(uint8_t* row, int32_t w, float factor)
{
    for (int32_t i = 0; i < w; ++i, row += 3) {
        row[2] = contrast_byte(row[2], factor);
        row[1] = contrast_byte(row[1], factor);
        row[0] = contrast_byte(row[0], factor);
    }
}

// Entry b is contrast_byte(b, factor), worked out in whole numbers: with the
// factor as m / 2^k, q = trunc((b - 128) m / 2^k) is formed exactly (the
// product fits in 32 bits, and a negative one is raised by 2^k - 1 before the
// arithmetic shift so that it truncates toward zero), which is the double
// product's truncation; its cut at +-256 decides no byte. A loop without
// branches the compiler runs in vector lanes: 256 double conversions would
// cost as much as a whole 64 x 64 call.
const uint8_t* contrast_table(ContrastCall& c)
{
    if (!c.filled) {
        const ExactFactor f = exact_factor(c.factor);
        const int32_t round_up = static_cast<int32_t>((uint32_t{1} << f.k) - 1);
        for (int32_t b = 0; b < 256; ++b) {
            const int32_t x = (b - 128) * f.m;
            const int32_t v = ((x + (x < 0 ? round_up : 0)) >> f.k) + 128;
            c.table[b] = static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v);
        }
        c.filled = true;
    }
    return c.table;
}

void contrast_call_24(uint8_t* row, int32_t w, ContrastCall& c)
{
    if (c.pixels <= kContrastTablePixels) return contrast_row_24(row, w, c.factor);
    // Each byte depends on itself alone, so the order within a pixel does
    // not show in the result.
    const uint8_t* t = contrast_table(c);
    const int64_t bytes = 3 * static_cast<int64_t>(w);
    for (int64_t k = 0; k < bytes; ++k) row[k] = t[row[k]];
}

}  // namespace pixmill
