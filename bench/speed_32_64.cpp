// pixmill_speed: the benchmark's Pixmill calls at 1920 x 1080, timed without
// Google Benchmark or the peer libraries, so that the same program builds as
// 32-bit and as 64-bit code (bench/compare_32_64.sh runs both and divides).
// Prints one line per workload: its name, a tab, the median nanoseconds per call.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "images.h"
#include "pixmill.h"

namespace {

constexpr int32_t kW = 1920, kH = 1080;

// A random picture, 64-byte aligned with rows padded to 4 bytes, as the
// benchmark's own.
using Picture = bench::Image;

struct Workload {
    std::string name;
    std::function<void()> call;
    Picture* out;  // put back to its starting bytes before every call (not timed)
};

}  // namespace

int main(int argc, char** argv)
{
    const char* filter = argc > 1 ? argv[1] : "";
    auto picture = [](int bits, uint32_t seed, int32_t w, int32_t h) {
        auto p = std::make_unique<Picture>(bench::Size{w, h}, bits);
        p->fill_random(seed);
        return p;
    };
    auto p24 = [&](uint32_t seed, int32_t w = kW, int32_t h = kH) { return picture(24, seed, w, h); };
    auto p32 = [&](uint32_t seed, int32_t w = kW, int32_t h = kH) { return picture(32, seed, w, h); };
    auto a24 = p24(1), b24 = p24(2), a32 = p32(3), b32 = p32(4);
    auto half24 = p24(5, kW / 2, kH / 2), double24 = p24(6, kW * 2, kH * 2);
    auto half32 = p32(7, kW / 2, kH / 2), double32 = p32(8, kW * 2, kH * 2);
    int32_t sums[3];
    Surface *d24 = a24->surface(), *s24 = b24->surface(), *d32 = a32->surface(), *s32 = b32->surface();

    std::vector<Workload> work = {
        {"Render_BitBlt24to24", [&] { Render_BitBlt24to24(d24, 0, 0, kW, kH, s24, 0, 0); }, a24.get()},
        {"Render_StretchBlt32to32F 1:1", [&] { Render_StretchBlt32to32F(d32, 0, 0, kW, kH, s32, 0, 0, kW, kH); }, a32.get()},
        {"Render_DrawBar24", [&] { Render_DrawBar24(d24, 0, 0, kW, kH, 200, 100, 50); }, a24.get()},
        {"Render_DrawBar32", [&] { Render_DrawBar32(d32, 0, 0, kW, kH, 200, 100, 50); }, a32.get()},
        {"Render_BitBlt24to24Alpha", [&] { Render_BitBlt24to24Alpha(d24, 0, 0, kW, kH, s24, 0, 0, 100); }, a24.get()},
        {"Render_DrawBar24Alpha", [&] { Render_DrawBar24Alpha(d24, 0, 0, kW, kH, 200, 100, 50, 100); }, a24.get()},
        {"Render_BitBlt24to24TColor", [&] { Render_BitBlt24to24TColor(d24, 0, 0, kW, kH, s24, 0, 0, 255, 0, 255); }, a24.get()},
        {"Render_StretchBlt24to24 2x up", [&] { Render_StretchBlt24to24(d24, 0, 0, kW, kH, half24->surface(), 0, 0, kW / 2, kH / 2); }, a24.get()},
        {"Render_StretchBlt24to24 0.5x down", [&] { Render_StretchBlt24to24(d24, 0, 0, kW, kH, double24->surface(), 0, 0, kW * 2, kH * 2); }, a24.get()},
        {"Render_StretchBlt32to32F 2x up", [&] { Render_StretchBlt32to32F(d32, 0, 0, kW, kH, half32->surface(), 0, 0, kW / 2, kH / 2); }, a32.get()},
        {"Render_StretchBlt32to32F 0.5x down", [&] { Render_StretchBlt32to32F(d32, 0, 0, kW, kH, double32->surface(), 0, 0, kW * 2, kH * 2); }, a32.get()},
        {"Render_StretchBltBillinear24to24 2x up", [&] { Render_StretchBltBillinear24to24(d24, 0, 0, kW, kH, half24->surface(), 0, 0, kW / 2, kH / 2); }, a24.get()},
        {"Render_StretchBltBillinear24to24 0.5x down", [&] { Render_StretchBltBillinear24to24(d24, 0, 0, kW, kH, double24->surface(), 0, 0, kW * 2, kH * 2); }, a24.get()},
        {"Render_Invert24", [&] { Render_Invert24(d24, 0, 0, kW, kH); }, a24.get()},
        {"Render_HorizontalFlip32", [&] { Render_HorizontalFlip32(d32, 0, 0, kW, kH); }, a32.get()},
        {"Render_Set32Alpha", [&] { Render_Set32Alpha(d32, 128); }, a32.get()},
        {"Render_GammaCorrect24", [&] { Render_GammaCorrect24(d24, 0, 0, kW, kH, 10, -20, 30); }, a24.get()},
        {"Render_Contrast24", [&] { Render_Contrast24(d24, 0, 0, kW, kH, 1.5f); }, a24.get()},
        {"Render_CalcColor24", [&] { Render_CalcColor24(d24, 0, 0, kW, kH, &sums[0], &sums[1], &sums[2]); }, nullptr},
        {"Render_AjustHLS32", [&] { Render_AjustHLS32(d32, 0, 0, kW, kH, 10, 5, 5); }, a32.get()},
        {"Render_Blur24", [&] { Render_Blur24(d24, 0, 0, kW, kH); }, a24.get()},
        {"Render_Blur32", [&] { Render_Blur32(d32, 0, 0, kW, kH); }, a32.get()},
        {"Render_Rotate32to32 30 degrees", [&] { Render_Rotate32to32(d32, s32, 30); }, a32.get()},
        {"Render_RoundsFromWater32", [&] { Render_RoundsFromWater32(d32, 0, 0, kW, kH, 20, 50); }, a32.get()},
        {"Render_BitBlt32to32", [&] { Render_BitBlt32to32(d32, 0, 0, kW, kH, s32, 0, 0); }, a32.get()},
        {"Render_BitBlt32to24", [&] { Render_BitBlt32to24(d24, 0, 0, kW, kH, s32, 0, 0); }, a24.get()},
    };

    using Clock = std::chrono::steady_clock;
    for (const Workload& w : work) {
        if (w.name.find(filter) == std::string::npos) continue;
        const size_t n = w.out != nullptr ? static_cast<size_t>(w.out->buffer_bytes()) : 0;
        std::vector<uint8_t> start;
        if (w.out != nullptr) start.assign(w.out->data(), w.out->data() + n);
        std::vector<double> ns;
        const Clock::time_point until = Clock::now() + std::chrono::milliseconds(400);
        while (ns.size() < 5 || (Clock::now() < until && ns.size() < 1000)) {
            if (w.out != nullptr) std::memcpy(w.out->data(), start.data(), n);
            const Clock::time_point t0 = Clock::now();
            w.call();
            ns.push_back(std::chrono::duration<double, std::nano>(Clock::now() - t0).count());
        }
        std::nth_element(ns.begin(), ns.begin() + ns.size() / 2, ns.end());
        std::printf("%s\t%.0f\n", w.name.c_str(), ns[ns.size() / 2]);
    }
    return 0;
}
