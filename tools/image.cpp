#include "image.h"

#include <string>

#include "tool_error.h"

namespace pixmill_tool {

int64_t padded_row_bytes(int64_t width, int bits)
{
    if (width <= 0 || (bits != 24 && bits != 32)) return -1;
    return (width * (bits / 8) + 3) / 4 * 4;
}

Image::Image(int32_t width, int32_t height, int bits)
{
    const int64_t row = padded_row_bytes(width, bits);
    if (row < 0 || height <= 0)
        throw ToolError("bad image size " + std::to_string(width) + "x" + std::to_string(height));
    if (row * height > kMaxPixelBytes)
        throw ToolError("image size " + std::to_string(width) + "x" + std::to_string(height) + " is too large");
    width_ = width;
    height_ = height;
    bits_ = bits;
    row_bytes_ = static_cast<int32_t>(row);
    words_.assign(static_cast<size_t>(row * height / 4), 0);
}

Surface* Image::surface()
{
    surface_ = pixmill_wrap(&array_, words_.data(), width_, height_, row_bytes_, bits_);
    return &surface_;
}

}  // namespace pixmill_tool
