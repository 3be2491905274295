// An image as a Visual Basic program holds it, in memory the tool owns: a
// 1-based two-dimensional array whose rows are stored bottom-up, each padded to
// a multiple of 4 bytes as a bitmap's rows are. A 24-bit image is a byte array
// (Stride = padded row bytes), a 32-bit image an array of 32-bit pixels
// (Stride = width).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "pixmill.h"

namespace pixmill_tool {

// Images whose pixel block would exceed this are refused before anything is
// allocated; it also keeps every row and size computation inside 32 bits.
constexpr int64_t kMaxPixelBytes = int64_t{1} << 30;

// Row length in bytes, padded to 4; -1 when width or bits make no sense.
int64_t padded_row_bytes(int64_t width, int bits);

class Image {
public:
    Image() = default;
    // A zero-filled image; bits is 24 or 32. Throws ToolError when the sizes are
    // not positive or the pixel block would exceed kMaxPixelBytes.
    Image(int32_t width, int32_t height, int bits);

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    int bits() const { return bits_; }
    int32_t row_bytes() const { return row_bytes_; }
    size_t byte_count() const { return static_cast<size_t>(row_bytes_) * static_cast<size_t>(height_); }

    // Array row 0 is the bottom row of the picture.
    uint8_t* bytes() { return reinterpret_cast<uint8_t*>(words_.data()); }
    const uint8_t* bytes() const { return reinterpret_cast<const uint8_t*>(words_.data()); }
    // Top-down row y and pixel (x, y).
    uint8_t* row(int32_t y) { return bytes() + static_cast<size_t>(height_ - 1 - y) * row_bytes_; }
    const uint8_t* row(int32_t y) const { return bytes() + static_cast<size_t>(height_ - 1 - y) * row_bytes_; }
    uint8_t* pixel(int32_t x, int32_t y) { return row(y) + static_cast<size_t>(x) * (bits_ / 8); }
    const uint8_t* pixel(int32_t x, int32_t y) const { return row(y) + static_cast<size_t>(x) * (bits_ / 8); }

    // The record to hand to the library, wrapped afresh around the current
    // storage (so an Image may be moved between calls).
    Surface* surface();

    // 32-bit images only: whether the file carries explicit channel masks
    // (BI_BITFIELDS, alpha in the top byte) or is plain BI_RGB. Writing keeps
    // the form the image was read in.
    bool bitfields() const { return bitfields_; }
    void set_bitfields(bool on) { bitfields_ = on; }

private:
    int32_t width_ = 0, height_ = 0, row_bytes_ = 0;
    int bits_ = 24;
    bool bitfields_ = false;
    std::vector<uint32_t> words_;  // 32-bit storage keeps 32-bit pixels aligned
    PixmillArray array_{};
    Surface surface_{};
};

}  // namespace pixmill_tool
