// A surface whose pixel array sits between guard bytes, with its row padding
// (and any other bytes a call must not read) filled with the same guard
// value. A call that reads where it must not copies a guard byte into a
// pixel, which a test can see.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "pixmill.h"

namespace pixmill_test {

constexpr uint8_t kGuard = 0xEE;

class GuardedSurface {
public:
    // bits is 24 or 32; pad is extra bytes (24-bit) or pixels (32-bit) per row.
    // Pixel bytes start as `fill`, everything else as kGuard.
    GuardedSurface(int32_t width, int32_t height, int32_t bits, int32_t pad, uint8_t fill = 0)
        : height_(height), bpp_(bits / 8), pitch_(bits == 32 ? 4 * (width + pad) : 3 * width + pad),
          bytes_(static_cast<size_t>(pitch_) * height + 2 * kMargin, kGuard)
    {
        for (int32_t y = 0; y < height; ++y) std::fill_n(px(0, y), width * bpp_, fill);
        surface_ = pixmill_wrap(&array_, bytes_.data() + kMargin, width, height, pitch_, bits);
    }
    GuardedSurface(const GuardedSurface&) = delete;
    GuardedSurface& operator=(const GuardedSurface&) = delete;

    Surface* get() { return &surface_; }
    int32_t pitch() const { return pitch_; }
    // Index in all() of pixel (x, y), top-down.
    size_t offset_of(int32_t x, int32_t y) const
    {
        return kMargin + static_cast<size_t>(height_ - 1 - y) * pitch_ + static_cast<size_t>(x) * bpp_;
    }
    uint8_t* px(int32_t x, int32_t y) { return bytes_.data() + offset_of(x, y); }
    // Every byte, guards and padding included.
    const std::vector<uint8_t>& all() const { return bytes_; }

private:
    static constexpr size_t kMargin = 64;
    int32_t height_, bpp_, pitch_;
    std::vector<uint8_t> bytes_;
    PixmillArray array_;
    Surface surface_;
};

}  // namespace pixmill_test
