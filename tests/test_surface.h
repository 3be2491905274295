// Test images: pixels allocated exactly to their descriptor, in a Surface.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "pixmill.h"

namespace pixmill_test {

class TestSurface {
public:
    // bits is 24 or 32. pad is extra bytes per row (24-bit) or extra pixels
    // per row (32-bit) beyond the width.
    TestSurface(int32_t width, int32_t height, int32_t bits, int32_t pad = 0)
        : width_(width), height_(height), bpp_(bits / 8),
          pitch_(bits == 32 ? 4 * (width + pad) : 3 * width + pad),
          bytes_(static_cast<size_t>(pitch_) * static_cast<size_t>(height))
    {
        surface_ = pixmill_wrap(&array_, bytes_.data(), width, height, pitch_, bits);
    }
    TestSurface(const TestSurface&) = delete;
    TestSurface& operator=(const TestSurface&) = delete;

    Surface* get() { return &surface_; }
    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int32_t pitch() const { return pitch_; }
    std::vector<uint8_t>& bytes() { return bytes_; }

    // Pixel (x, y), top-down: row y lives at array row height - 1 - y.
    uint8_t* px(int32_t x, int32_t y) { return bytes_.data() + (height_ - 1 - y) * pitch_ + x * bpp_; }

    void fill_random(std::mt19937& rng)
    {
        for (auto& b : bytes_) b = static_cast<uint8_t>(rng());
    }
    void fill(uint8_t v) { bytes_.assign(bytes_.size(), v); }
    void set(int32_t x, int32_t y, const std::vector<int>& values)
    {
        uint8_t* p = px(x, y);
        for (int v : values) *p++ = static_cast<uint8_t>(v);
    }
    std::vector<uint8_t> pixel(int32_t x, int32_t y) { return {px(x, y), px(x, y) + bpp_}; }

private:
    int32_t width_, height_, bpp_, pitch_;
    std::vector<uint8_t> bytes_;
    PixmillArray array_;
    Surface surface_;
};

}  // namespace pixmill_test
