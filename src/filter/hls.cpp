#include "filter/hls.h"

#include <algorithm>

namespace pixmill {

namespace {

// The single-precision values nearest 1/240 and 0.025, as the conversion
// back to colour uses them; and 1/240 in double precision for the final
// scaling to bytes.
constexpr float kInv240f = 1.0f / 240.0f;
constexpr float kFortieth = 0.025f;
constexpr double kInv240 = 1.0 / 240.0;

uint8_t channel_byte(double v)
{
    const double scaled = (v * 255.0 + 120.0) * kInv240;
    // Cut while still floating: a working value a hair outside 0..240 must
    // neither wrap nor reach a conversion out of range.
    return static_cast<uint8_t>(std::clamp(scaled, 0.0, 255.0));
}

}  // namespace

Hls rgb_to_hls(int32_t r, int32_t g, int32_t b)
{
    const int32_t cmax = std::max({r, g, b}), cmin = std::min({r, g, b});
    const int32_t sum = cmax + cmin, d = cmax - cmin;
    Hls out{160, (sum * 240 + 255) / 510, 0};
    if (d == 0) return out;  // a grey; l is at most 240 already

    out.s = out.l <= 120 ? (d * 240 + sum / 2) / sum : (d * 240 + (510 - sum) / 2) / (510 - sum);

    const int32_t half = d / 2;
    const float rq = static_cast<float>(static_cast<double>(40 * (cmax - r) + half) / d);
    const float gq = static_cast<float>(static_cast<double>(40 * (cmax - g) + half) / d);
    const double bq = static_cast<double>(40 * (cmax - b) + half) / d;
    double h;
    if (r == cmax) {
        h = bq - static_cast<double>(gq);
    } else if (g == cmax) {
        h = (static_cast<double>(rq) + 80.0) - bq;
    } else {
        h = (static_cast<double>(gq) + 160.0) - static_cast<double>(rq);
    }
    // The quotients lie in 0..40.5, so h is well inside int range.
    out.h = static_cast<int32_t>(h);
    if (out.h < 0) out.h += 240;
    if (out.h > 240) out.h -= 240;
    out.s = std::clamp(out.s, 0, 240);
    out.l = std::clamp(out.l, 0, 240);
    return out;
}

double HueToChannel(float p, float q, float hue)
{
    double h = hue;
    if (h < 0.0) h += 240.0;
    if (h > 240.0) h -= 240.0;  // exactly 240 stays 240
    const double dp = p, dq = q, c = kFortieth;
    if (h < 40.0) return dp + ((dq - dp) * h + 20.0) * c;
    if (h < 120.0) return dq;
    if (h < 160.0) return dp + ((dq - dp) * (160.0 - h) + 20.0) * c;
    return dp;
}

Rgb hls_to_rgb(int32_t h, int32_t l, int32_t s)
{
    if (s <= 0) {
        const auto grey = static_cast<uint8_t>(l * 255 / 240);
        return {grey, grey, grey};
    }
    const double k1 = kInv240f;
    const float m2 = l <= 120 ? static_cast<float>(static_cast<double>((s + 240) * l + 120) * k1)
                              : static_cast<float>(static_cast<double>(s + l) - static_cast<double>(l * s + 120) * k1);
    const float m1 = static_cast<float>(static_cast<double>(2 * l) - static_cast<double>(m2));
    return {channel_byte(HueToChannel(m1, m2, static_cast<float>(h + 80))),
            channel_byte(HueToChannel(m1, m2, static_cast<float>(h))),
            channel_byte(HueToChannel(m1, m2, static_cast<float>(h - 80)))};
}

}  // namespace pixmill
