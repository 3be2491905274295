// Conversion between a pixel's red, green, blue bytes and a hue, lightness,
// saturation triple on a scale of 0 to 240 (hue 0 red, 80 green, 160 blue).
// The round trip is lossy: it reproduces a fixed mix of integer steps and
// single-precision roundings, so most colours come back a step or two off.
#pragma once

#include <cstdint>

namespace pixmill {

struct Hls {
    int32_t h, l, s;  // each 0..240; a grey has s = 0 and h = 160
};

Hls rgb_to_hls(int32_t r, int32_t g, int32_t b);

// One colour channel on the 0..240 scale from the working values p (m1) and
// q (m2) and the channel's hue. The arguments are single precision; the
// result is not rounded to single precision.
double HueToChannel(float p, float q, float hue);

// Back to bytes. l in 0..240, h in 0..240, s <= 240; s <= 0 gives a grey.
struct Rgb {
    uint8_t r, g, b;
};
Rgb hls_to_rgb(int32_t h, int32_t l, int32_t s);

}  // namespace pixmill
