// The images the tool generates for itself, so that `pixmill demo` and
// `pixmill gallery` need nothing downloaded or supplied: a landscape, a soft
// round sprite, a gem on a key colour and round masks.
#pragma once

#include <cstdint>

#include "image.h"

namespace pixmill_tool {

// The gem's key colour, as the red, green, blue arguments of a keyed export.
constexpr int32_t kKeyRed = 255, kKeyGreen = 0, kKeyBlue = 255;

uint8_t clamp_byte(double v);
// Stores blue, green, red (each cut to 0..255) into bytes 0, 1, 2 of p.
void set_bgr(uint8_t* p, double b, double g, double r);

// A landscape of any size, 24-bit: a sky fading to the horizon, a sun, two
// ranges of hills and a checkered field, with enough edges and gradients to
// show what each operation does to them.
Image landscape(int32_t width, int32_t height);

// A round 32-bit sprite, warm in the middle, whose alpha falls off towards
// the rim and is 0 outside it.
Image soft_sprite(int32_t size);

// A gem: a blue diamond shaded from its top-left with a white glint, 24-bit,
// on the key colour.
Image keyed_gem(int32_t size);

// The same gem as a 32-bit sprite: opaque inside the diamond, alpha 0 outside.
Image gem_sprite(int32_t size);

// A 24-bit mask whose red byte is 255 at the centre, falls off smoothly and is
// 0 from the inscribed circle outward (the other two bytes are 0).
Image round_mask(int32_t size);

}  // namespace pixmill_tool
