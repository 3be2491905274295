#include "pictures.h"

#include <cmath>

namespace pixmill_tool {

uint8_t clamp_byte(double v) { return static_cast<uint8_t>(v < 0 ? 0 : v > 255 ? 255 : v); }

void set_bgr(uint8_t* p, double b, double g, double r)
{
    p[0] = clamp_byte(b);
    p[1] = clamp_byte(g);
    p[2] = clamp_byte(r);
}

Image landscape(int32_t width, int32_t height)
{
    Image p(width, height, 24);
    const double aspect = static_cast<double>(width) / height;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            const double u = (x + 0.5) / width, v = (y + 0.5) / height;
            const double far_hill = 0.55 + 0.08 * std::sin(u * 7.0 + 1.0);
            const double near_hill = 0.68 + 0.06 * std::sin(u * 11.0 + 4.0);
            const double sun = std::hypot((u - 0.72) * aspect, v - 0.26);  // round on any aspect
            uint8_t* px = p.pixel(x, y);
            if (v > 0.8) {
                const bool dark = ((x / 16) + (y / 8)) % 2 == 0;
                set_bgr(px, dark ? 30 : 60, dark ? 110 : 150, dark ? 60 : 90);
            } else if (v > near_hill) {
                set_bgr(px, 40, 120 - 60 * (v - near_hill) * 4, 50);
            } else if (v > far_hill) {
                set_bgr(px, 110, 130, 90 + 40 * u);
            } else if (sun < 0.1) {
                set_bgr(px, 80, 220, 255);
            } else {
                const double glow = sun < 0.25 ? (0.25 - sun) * 300 : 0;
                set_bgr(px, 240 - 80 * v, 150 + 60 * v + glow * 0.6, 70 + 120 * v + glow);
            }
        }
    return p;
}

Image soft_sprite(int32_t size)
{
    Image s(size, size, 32);
    const double half = size / 2.0;
    for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x) {
            const double r = std::hypot(x + 0.5 - half, y + 0.5 - half) / half;
            uint8_t* px = s.pixel(x, y);
            set_bgr(px, 40 + 120 * r, 200 - 80 * r, 255);
            px[3] = r >= 1.0 ? 0 : clamp_byte(255.0 * (1.0 - r * r * r));
        }
    return s;
}

namespace {

// The gem's colour at (x, y) of a size x size square; false outside the diamond.
bool gem_pixel(int32_t x, int32_t y, int32_t size, uint8_t* px)
{
    const double u = (x + 0.5) / size - 0.5, v = (y + 0.5) / size - 0.5;
    if (std::fabs(u) + std::fabs(v) > 0.48) return false;
    const double shade = 1.0 - (u + v + 1.0) * 0.35;
    const bool glint = std::hypot(u + 0.16, v + 0.16) < 0.06;
    set_bgr(px, glint ? 255 : 230 * shade, glint ? 255 : 90 * shade, glint ? 255 : 40 * shade);
    return true;
}

}  // namespace

Image keyed_gem(int32_t size)
{
    Image g(size, size, 24);
    for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x)
            if (!gem_pixel(x, y, size, g.pixel(x, y))) set_bgr(g.pixel(x, y), kKeyBlue, kKeyGreen, kKeyRed);
    return g;
}

Image gem_sprite(int32_t size)
{
    Image g(size, size, 32);
    for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x) g.pixel(x, y)[3] = gem_pixel(x, y, size, g.pixel(x, y)) ? 255 : 0;
    return g;
}

Image round_mask(int32_t size)
{
    Image m(size, size, 24);
    for (int32_t y = 0; y < size; ++y)
        for (int32_t x = 0; x < size; ++x) {
            const double r = std::hypot((x + 0.5) / size - 0.5, (y + 0.5) / size - 0.5) * 2.0;
            set_bgr(m.pixel(x, y), 0, 0, r >= 1.0 ? 0 : 255.0 * (1.0 - r * r));
        }
    return m;
}

}  // namespace pixmill_tool
