// Per-pixel filters, the blur, the ripple and rotation against OpenCV.
// Pixmill works in place; where OpenCV can too, so does the peer.
#include <array>
#include <cmath>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include "comparison.h"

namespace bench {

namespace {

// A one-picture filter: pixmill and peer take the picture's Surface and Mat.
template <typename P, typename Q>
Work in_place(Size s, int bits, P pixmill, Q peer)
{
    ImagePtr img = random_image(s, bits, 31);
    Work w;
    w.pixmill = [=] { pixmill(img->surface(), s); };
    w.peer = [=] { peer(img->mat()); };
    w.amount = s.pixels();
    w.out = img.get();
    return w;
}

Work same_result(Work w)
{
    w.same_bytes = true;
    return w;
}

Work restored(Work w)
{
    w.restore = true;
    return w;
}

Work invert(Size s)
{
    return same_result(in_place(
        s, 24, [](Surface* d, Size z) { Render_Invert24(d, 0, 0, z.width, z.height); },
        [](cv::Mat m) { cv::bitwise_not(m, m); }));
}

Work flip(Size s)
{
    return same_result(in_place(
        s, 32, [](Surface* d, Size z) { Render_HorizontalFlip32(d, 0, 0, z.width, z.height); },
        [](cv::Mat m) { cv::flip(m, m, 1); }));
}

Work set_alpha(Size s)
{
    auto alpha = std::make_shared<cv::Mat>(s.height, s.width, CV_8UC1, cv::Scalar(128));
    return same_result(in_place(
        s, 32, [](Surface* d, Size) { Render_Set32Alpha(d, 128); },
        [alpha](cv::Mat m) {
            const int from_to[] = {0, 3};
            cv::mixChannels(alpha.get(), 1, &m, 1, from_to, 1);
        }));
}

// Repeated offsets would soon leave only 0 and 255, so the picture is put back
// before each call; likewise for contrast and HLS.
Work offsets(Size s)
{
    return same_result(restored(in_place(
        s, 24, [](Surface* d, Size z) { Render_GammaCorrect24(d, 0, 0, z.width, z.height, 10, -20, 30); },
        [](cv::Mat m) { cv::add(m, cv::Scalar(30, -20, 10), m); })));
}

Work contrast(Size s)
{
    return restored(in_place(
        s, 24, [](Surface* d, Size z) { Render_Contrast24(d, 0, 0, z.width, z.height, 1.5f); },
        [](cv::Mat m) { m.convertTo(m, -1, 1.5, 128 * (1 - 1.5)); }));
}

Work hls(Size s)
{
    auto hls_plane = std::make_shared<cv::Mat>(s.height, s.width, CV_8UC3);
    return restored(in_place(
        s, 32, [](Surface* d, Size z) { Render_AjustHLS32(d, 0, 0, z.width, z.height, 10, 5, 5); },
        [hls_plane](cv::Mat m) {
            cv::cvtColor(m, *hls_plane, cv::COLOR_BGR2HLS);
            cv::cvtColor(*hls_plane, m, cv::COLOR_HLS2BGR, 4);
        }));
}

Work colour_sums(Size s)
{
    ImagePtr img = random_image(s, 24, 32);
    auto pixmill_sums = std::make_shared<std::array<int32_t, 3>>();
    auto peer_sums = std::make_shared<cv::Scalar>();
    Work w;
    w.pixmill = [=] {
        auto& r = *pixmill_sums;
        Render_CalcColor24(img->surface(), 0, 0, s.width, s.height, &r[0], &r[1], &r[2]);
    };
    w.peer = [=] { *peer_sums = cv::sum(img->mat()); };
    w.amount = s.pixels();
    // Sums that fit 32 bits: blue, green, red against the Mat's channels 0..2.
    w.agree = [=] {
        auto& r = *pixmill_sums;
        return r[2] == (*peer_sums)[0] && r[1] == (*peer_sums)[1] && r[0] == (*peer_sums)[2];
    };
    return w;
}

// cv::blur is a box filter into a second picture; Pixmill's blur works in place.
Work blur(Size s, int bits)
{
    ImagePtr img = random_image(s, bits, 33), other = random_image(s, bits, 34);
    Work w;
    if (bits == 24)
        w.pixmill = [=] { Render_Blur24(img->surface(), 0, 0, s.width, s.height); };
    else
        w.pixmill = [=] { Render_Blur32(img->surface(), 0, 0, s.width, s.height); };
    w.peer = [=] {
        cv::Mat o = other->mat();
        cv::blur(img->mat(), o, cv::Size(3, 3));
    };
    w.amount = s.pixels();
    return w;
}

// Both leave the pixels that receive nothing as they were (BORDER_TRANSPARENT).
Work rotate(Size s)
{
    ImagePtr src = random_image(s, 32, 35), dst = random_image(s, 32, 36);
    cv::Mat turn = cv::getRotationMatrix2D(cv::Point2f(s.width / 2, s.height / 2), 30, 1.0);
    Work w;
    w.pixmill = [=] { Render_Rotate32to32(dst->surface(), src->surface(), 30); };
    w.peer = [=] {
        cv::Mat d = dst->mat();
        cv::warpAffine(src->mat(), d, turn, d.size(), cv::INTER_NEAREST, cv::BORDER_TRANSPARENT);
    };
    w.amount = s.pixels();
    return w;
}

// The ripple's offsets as remap maps, built on every call as the ripple works
// them out on every call: inside the disc of radius width / 2 the offset is
// sin(distance x k) x (amplitude / 5, amplitude / 8); elsewhere the pixel stays.
Work ripple(Size s)
{
    constexpr int32_t kAmplitude = 20, kSpread = 50;
    ImagePtr img = random_image(s, 32, 37), other = random_image(s, 32, 38);
    auto map_x = std::make_shared<cv::Mat>(s.height, s.width, CV_32FC1);
    auto map_y = std::make_shared<cv::Mat>(s.height, s.width, CV_32FC1);
    Work w;
    w.pixmill = [=] { Render_RoundsFromWater32(img->surface(), 0, 0, s.width, s.height, kAmplitude, kSpread); };
    w.peer = [=] {
        const double cx = s.width * 0.5, cy = s.height * 0.5, k = 1.0 - kSpread * 0.01;
        const double amp_x = kAmplitude * 0.2, amp_y = kAmplitude * 0.125;
        for (int32_t y = 0; y < s.height; ++y) {
            float* mx = map_x->ptr<float>(y);
            float* my = map_y->ptr<float>(y);
            for (int32_t x = 0; x < s.width; ++x) {
                double d = std::sqrt((x - cx) * (x - cx) + (y - cy) * (y - cy));
                double shift = d <= cx ? std::sin(d * k) : 0.0;
                mx[x] = static_cast<float>(x + std::trunc(shift * amp_x));
                my[x] = static_cast<float>(y - std::trunc(shift * amp_y));
            }
        }
        cv::Mat o = other->mat();
        cv::remap(img->mat(), o, *map_x, *map_y, cv::INTER_NEAREST, cv::BORDER_TRANSPARENT);
    };
    w.amount = s.pixels();
    return w;
}

}  // namespace

void add_opencv_filter_comparisons()
{
    add({"Render_Invert24", "cv::bitwise_not", 1.0, Unit::kPixels, {kFullHd}, invert});
    add({"Render_HorizontalFlip32", "cv::flip", 1.0, Unit::kPixels, {kFullHd}, flip});
    add({"Render_Set32Alpha", "cv::mixChannels into the alpha plane", 1.0, Unit::kPixels, {kFullHd}, set_alpha});
    add({"Render_GammaCorrect24", "cv::add with a scalar", 1.0, Unit::kPixels, {kFullHd}, offsets});
    add({"Render_Contrast24", "Mat::convertTo(m, -1, f, 128(1 - f))", 1.0, Unit::kPixels, {kFullHd}, contrast});
    add({"Render_CalcColor24", "cv::sum", 6.0, Unit::kPixels, {kFullHd}, colour_sums});
    add({"Render_AjustHLS32", "cv::cvtColor BGR2HLS, then HLS2BGR", 4.0, Unit::kPixels, {kFullHd}, hls});
    add({"Render_Blur24", "cv::blur 3x3", 3.0, Unit::kPixels, sweep_sizes(), [](Size s) { return blur(s, 24); }});
    add({"Render_Blur32", "cv::blur 3x3", 3.0, Unit::kPixels, {kFullHd}, [](Size s) { return blur(s, 32); }});
    add({"Render_Rotate32to32 30 degrees", "cv::warpAffine INTER_NEAREST", 5.0, Unit::kPixels, {kFullHd}, rotate});
    add({"Render_RoundsFromWater32", "cv::remap INTER_NEAREST, maps built per call", 8.0, Unit::kPixels, {kFullHd},
         ripple});
}

}  // namespace bench
