#include "images.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace bench {

namespace {

// xorshift64*: fast enough to fill 3840 x 2160 pictures between runs.
struct Random {
    uint64_t state;
    explicit Random(uint64_t seed) : state(seed * 0x9E3779B97F4A7C15ull + 1) {}
    uint64_t next()
    {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return state * 0x2545F4914F6CDD1Dull;
    }
};

}  // namespace

Image::Image(Size size, int bits)
    : size_(size), bits_(bits), pitch_((size.width * (bits / 8) + 3) & ~3)
{
    size_t bytes = (static_cast<size_t>(buffer_bytes()) + 63) & ~size_t{63};
    data_ = static_cast<uint8_t*>(std::aligned_alloc(64, bytes == 0 ? 64 : bytes));
    if (data_ == nullptr) throw std::bad_alloc();
    own_ = data_;
    std::memset(data_, 0, bytes);
    surface_ = pixmill_wrap(&array_, data_, size.width, size.height, pitch_, bits);
}

void Image::look_at(uint8_t* buffer)
{
    data_ = buffer != nullptr ? buffer : own_;
    surface_ = pixmill_wrap(&array_, data_, size_.width, size_.height, pitch_, bits_);
}

Image::~Image()
{
#ifdef PIXMILL_BENCH_PIXMAN
    for (pixman_image_t* view : pixman_views_) pixman_image_unref(view);
#endif
    std::free(own_);
}

void Image::fill_random(uint64_t seed)
{
    Random random(seed);
    int64_t n = buffer_bytes();
    int64_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t v = random.next();
        std::memcpy(data_ + i, &v, 8);
    }
    for (; i < n; ++i) data_[i] = static_cast<uint8_t>(random.next());
}

void Image::fill_premultiplied(uint64_t seed)
{
    fill_random(seed);
    int32_t bpp = bytes_per_pixel();
    for (int32_t r = 0; r < height(); ++r) {
        uint8_t* p = memory_row(r);
        for (int32_t x = 0; x < width(); ++x, p += bpp) {
            uint32_t limit = uint32_t{p[3]} + 1;
            for (int k = 0; k < 3; ++k) p[k] = static_cast<uint8_t>(p[k] % limit);
        }
    }
}

void Image::copy_from(const Image& other)
{
    std::memcpy(data_, other.data_, static_cast<size_t>(buffer_bytes()));
}

bool Image::same_pixels(const Image& other) const
{
    if (other.width() != width() || other.height() != height() || other.bits_ != bits_) return false;
    for (int32_t r = 0; r < height(); ++r)
        if (std::memcmp(memory_row(r), other.memory_row(r), static_cast<size_t>(row_bytes())) != 0)
            return false;
    return true;
}

#ifdef PIXMILL_BENCH_OPENCV
cv::Mat Image::mat()
{
    return cv::Mat(height(), width(), bits_ == 32 ? CV_8UC4 : CV_8UC3, data_, static_cast<size_t>(pitch_));
}
#endif

#ifdef PIXMILL_BENCH_PIXMAN
pixman_image_t* Image::pixman(pixman_format_code_t format)
{
    pixman_image_t* view = pixman_image_create_bits(format, width(), height(),
                                                    reinterpret_cast<uint32_t*>(data_), pitch_);
    if (view == nullptr) throw std::bad_alloc();
    pixman_views_.push_back(view);
    return view;
}
#endif

ImagePtr random_image(Size size, int bits, uint64_t seed)
{
    auto image = std::make_shared<Image>(size, bits);
    image->fill_random(seed);
    return image;
}

ImagePtr copy_of(const Image& image)
{
    auto copy = std::make_shared<Image>(Size{image.width(), image.height()}, image.bytes_per_pixel() * 8);
    copy->copy_from(image);
    return copy;
}

}  // namespace bench
