// Blending, keyed copies and scaling against OpenCV, on CV_8UC3 / CV_8UC4 Mats
// over the very buffers the Pixmill surfaces describe.
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "comparison.h"

namespace bench {

namespace {

constexpr int32_t kAlpha = 100;

Work blend_copy(Size s)
{
    ImagePtr src = random_image(s, 24, 21), dst = random_image(s, 24, 22);
    Work w;
    w.pixmill = [=] {
        Render_BitBlt24to24Alpha(dst->surface(), 0, 0, s.width, s.height, src->surface(), 0, 0, kAlpha);
    };
    w.peer = [=] {
        cv::Mat d = dst->mat();
        cv::addWeighted(src->mat(), kAlpha / 255.0, d, 1 - kAlpha / 255.0, 0, d);
    };
    w.amount = s.pixels();
    return w;
}

// addWeighted takes two pictures, so the bar's colour is a whole picture of it.
Work blend_bar(Size s)
{
    ImagePtr dst = random_image(s, 24, 23);
    auto colour = std::make_shared<cv::Mat>(s.height, s.width, CV_8UC3, cv::Scalar(50, 100, 200));
    Work w;
    w.pixmill = [=] { Render_DrawBar24Alpha(dst->surface(), 0, 0, s.width, s.height, 200, 100, 50, kAlpha); };
    w.peer = [=] {
        cv::Mat d = dst->mat();
        cv::addWeighted(*colour, kAlpha / 255.0, d, 1 - kAlpha / 255.0, 0, d);
    };
    w.amount = s.pixels();
    return w;
}

// A sprite whose background (the key) lies in runs, as drawn sprites have it,
// not scattered pixel by pixel.
Work keyed_copy(Size s)
{
    ImagePtr src = random_image(s, 24, 24), dst = random_image(s, 24, 25);
    for (int32_t r = 0; r < s.height; ++r) {
        uint8_t* p = src->memory_row(r);
        for (int32_t x = 0; x < s.width; ++x, p += 3)
            if (((x >> 4) + (r >> 4)) % 3 == 0) p[0] = 255, p[1] = 0, p[2] = 255;
    }
    auto is_key = std::make_shared<cv::Mat>(s.height, s.width, CV_8UC1);
    Work w;
    w.pixmill = [=] {
        Render_BitBlt24to24TColor(dst->surface(), 0, 0, s.width, s.height, src->surface(), 0, 0, 255, 0, 255);
    };
    w.peer = [=] {
        cv::Mat d = dst->mat();
        cv::inRange(src->mat(), cv::Scalar(255, 0, 255), cv::Scalar(255, 0, 255), *is_key);
        cv::bitwise_not(*is_key, *is_key);
        src->mat().copyTo(d, *is_key);
    };
    w.amount = s.pixels();
    w.out = dst.get();
    w.same_bytes = true;
    return w;
}

enum class Stretch { k24, k32F, kSmooth24 };

// Scales the src_rect-sized top-left rectangle of a source one column wider
// (so that the rectangle keeps its last column) onto the whole of s.
Work stretch(Size s, Size src_rect, Stretch kind)
{
    int bits = kind == Stretch::k32F ? 32 : 24;
    ImagePtr src = random_image({src_rect.width + 1, src_rect.height}, bits, 26), dst = random_image(s, bits, 27);
    auto call = kind == Stretch::k24 ? Render_StretchBlt24to24
              : kind == Stretch::k32F ? Render_StretchBlt32to32F
                                      : Render_StretchBltBillinear24to24;
    int interpolation = kind == Stretch::kSmooth24 ? cv::INTER_LINEAR : cv::INTER_NEAREST;
    Work w;
    w.pixmill = [=] {
        call(dst->surface(), 0, 0, s.width, s.height, src->surface(), 0, 0, src_rect.width, src_rect.height);
    };
    w.peer = [=] {
        cv::Mat d = dst->mat();
        cv::resize(src->mat()(cv::Rect(0, 0, src_rect.width, src_rect.height)), d, d.size(), 0, 0, interpolation);
    };
    w.amount = s.pixels();
    w.out = dst.get();
    // Nearest sampling at exactly twice the size picks the same pixels in both.
    w.same_bytes = kind != Stretch::kSmooth24 && src_rect.width * 2 == s.width;
    return w;
}

void add_stretch(const std::string& name, Stretch kind, const std::string& peer)
{
    add({name + " 2x up", peer, 1.0, Unit::kPixels, {kFullHd},
         [kind](Size s) { return stretch(s, {s.width / 2, s.height / 2}, kind); }});
    add({name + " 0.5x down", peer, 1.0, Unit::kPixels, {kFullHd},
         [kind](Size s) { return stretch(s, {s.width * 2, s.height * 2}, kind); }});
}

}  // namespace

void add_opencv_blit_comparisons()
{
    add({"Render_BitBlt24to24Alpha", "cv::addWeighted", 1.5, Unit::kPixels, {kFullHd}, blend_copy});
    add({"Render_DrawBar24Alpha", "cv::addWeighted with a colour plane", 3.0, Unit::kPixels, {kFullHd}, blend_bar});
    add({"Render_BitBlt24to24TColor", "cv::inRange, bitwise_not, copyTo with the mask", 2.0, Unit::kPixels,
         {kFullHd}, keyed_copy});
    add_stretch("Render_StretchBlt24to24", Stretch::k24, "cv::resize INTER_NEAREST");
    add_stretch("Render_StretchBlt32to32F", Stretch::k32F, "cv::resize INTER_NEAREST");
    add_stretch("Render_StretchBltBillinear24to24", Stretch::kSmooth24, "cv::resize INTER_LINEAR");
}

}  // namespace bench
