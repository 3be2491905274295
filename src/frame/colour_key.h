// A colour key: the colour a keyed operation leaves alone, in pixel byte
// order. Colours arrive as red, green, blue arguments of which only the low
// byte counts.
#pragma once

#include <cstdint>

namespace pixmill {

struct ColorKey {
    uint8_t blue, green, red;
    // True when a pixel's bytes 0, 1, 2 are the key's blue, green, red.
    bool matches(const uint8_t* p) const { return p[0] == blue && p[1] == green && p[2] == red; }
};

inline ColorKey make_key(int32_t red, int32_t green, int32_t blue)
{
    return ColorKey{static_cast<uint8_t>(blue), static_cast<uint8_t>(green), static_cast<uint8_t>(red)};
}

inline bool key_matches(const uint8_t* p, ColorKey k)
{
    return k.matches(p);
}

}  // namespace pixmill
