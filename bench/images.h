// Pictures for the benchmarks: one buffer per picture, seen at once as a
// Pixmill Surface, an OpenCV Mat and a pixman image, so that both sides of a
// comparison work on the same bytes in the same layout.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "pixmill.h"

#ifdef PIXMILL_BENCH_OPENCV
#include <opencv2/core.hpp>
#endif
#ifdef PIXMILL_BENCH_PIXMAN
#include <pixman.h>
#endif

namespace bench {

struct Size {
    int32_t width;
    int32_t height;
    int64_t pixels() const { return int64_t{width} * height; }
};

// A 24- or 32-bit picture whose rows are padded to 4 bytes, as a bitmap's are,
// in a 64-byte aligned buffer. Memory row 0 is the Surface's bottom row and
// the Mat's and pixman's top row; no benchmark depends on which way is up.
class Image {
public:
    Image(Size size, int bits);
    ~Image();
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    int32_t width() const { return size_.width; }
    int32_t height() const { return size_.height; }
    int32_t bytes_per_pixel() const { return bits_ / 8; }
    int32_t row_bytes() const { return size_.width * bytes_per_pixel(); }
    int32_t pitch() const { return pitch_; }
    int64_t buffer_bytes() const { return int64_t{pitch_} * size_.height; }
    uint8_t* data() { return data_; }
    // Points the Image, its Surface and its Mats, at another buffer of the
    // same layout (nullptr: back to its own), as the benchmark's ring of
    // starting pictures needs; pixman views made before keep the old bytes.
    void look_at(uint8_t* buffer);
    const uint8_t* data() const { return data_; }
    uint8_t* memory_row(int32_t r) { return data_ + int64_t{r} * pitch_; }
    const uint8_t* memory_row(int32_t r) const { return data_ + int64_t{r} * pitch_; }
    Surface* surface() { return &surface_; }

    void fill_random(uint64_t seed);
    // Random alpha with each colour byte at most its alpha: valid input for a
    // library that takes premultiplied colour, and plain input for Pixmill.
    void fill_premultiplied(uint64_t seed);
    void copy_from(const Image& other);
    // The width x height pixels (not the row padding) are equal.
    bool same_pixels(const Image& other) const;

#ifdef PIXMILL_BENCH_OPENCV
    cv::Mat mat();
#endif
#ifdef PIXMILL_BENCH_PIXMAN
    // Owned by the Image; the format must have the Image's bits per pixel.
    pixman_image_t* pixman(pixman_format_code_t format);
#endif

private:
    Size size_;
    int bits_;
    int32_t pitch_;
    uint8_t* data_;
    uint8_t* own_;
    PixmillArray array_;
    Surface surface_;
#ifdef PIXMILL_BENCH_PIXMAN
    std::vector<pixman_image_t*> pixman_views_;
#endif
};

using ImagePtr = std::shared_ptr<Image>;

ImagePtr random_image(Size size, int bits, uint64_t seed);
ImagePtr copy_of(const Image& image);

}  // namespace bench
