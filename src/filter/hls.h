// Conversion between a pixel's red, green, blue bytes and a hue, lightness,
// saturation triple on a scale of 0 to 240 (hue 0 red, 80 green, 160 blue).
// The round trip is lossy: it reproduces a fixed mix of integer steps and
// single-precision roundings, so most colours come back a step or two off.
//
// Both directions run once per pixel, so they are defined here, inline, for
// the row kernel to take in whole.
#pragma once

#include <algorithm>
#include <cstdint>

namespace pixmill {

struct Hls {
    int32_t h, l, s;  // each 0..240; a grey has s = 0 and h = 160
};

// Back to bytes.
struct Rgb {
    uint8_t r, g, b;
};

namespace hls_detail {

// ceil(2^32 / n) for n = 1..510. For x < 2^16, (x * m) >> 32 is x / n: the
// product overshoots x / n by less than x / 2^32 < 2^-16, and a quotient by
// n <= 510 that is not whole lies at least 1 / 510 below the next integer.
struct Reciprocals {
    uint64_t m[511];
};
constexpr Reciprocals make_reciprocals()
{
    Reciprocals r{};
    for (uint64_t n = 1; n < 511; ++n) r.m[n] = ((uint64_t{1} << 32) + n - 1) / n;
    return r;
}
inline constexpr Reciprocals kReciprocals = make_reciprocals();

// x / n for x < 2^16 and n in 1..510, without a divide.
inline uint32_t divide(uint32_t x, uint32_t n)
{
    return static_cast<uint32_t>((x * kReciprocals.m[n]) >> 32);
}

// The hue from the channels' distances to the maximum, each divided by d in
// floating point: the red and green quotients rounded to single precision,
// the blue one not. Red wins a tie for the maximum, then green.
inline int32_t hue_by_quotients(int32_t r, int32_t g, int32_t b, int32_t cmax, int32_t d)
{
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
    return static_cast<int32_t>(h);
}

// The single-precision values nearest 1/240 and 0.025, as the conversion
// back to colour uses them; and 1/240 in double precision for the final
// scaling to bytes.
constexpr float kInv240f = 1.0f / 240.0f;
constexpr float kFortieth = 0.025f;
constexpr double kInv240 = 1.0 / 240.0;

inline uint8_t channel_byte(double v)
{
    const double scaled = (v * 255.0 + 120.0) * kInv240;
    // Cut while still floating: a working value a hair outside 0..240 must
    // neither wrap nor reach a conversion out of range.
    return static_cast<uint8_t>(std::clamp(scaled, 0.0, 255.0));
}

}  // namespace hls_detail

inline Hls rgb_to_hls(int32_t r, int32_t g, int32_t b)
{
    const int32_t cmax = std::max({r, g, b}), cmin = std::min({r, g, b});
    const int32_t sum = cmax + cmin, d = cmax - cmin;
    Hls out{160, (sum * 240 + 255) / 510, 0};
    if (d == 0) return out;  // a grey; l is at most 240 already

    // d <= den, so the quotient is at most 240 and the numerator below 2^16.
    const int32_t den = out.l <= 120 ? sum : 510 - sum;
    out.s = static_cast<int32_t>(hls_detail::divide(static_cast<uint32_t>(d * 240 + den / 2),
                                                    static_cast<uint32_t>(den)));

    // The two quotients the hue is made of differ by x / d exactly (their
    // halves cancel), base being the maximum's own hue: h = trunc(base +
    // x / d), |x| <= 40 d. Their roundings move the difference by a few
    // millionths at most, while a quotient by d <= 255 that is not whole lies
    // at least 1/255 from every integer: so unless d divides x the truncation
    // is that of the exact quotient, done in integers. When d divides x the
    // roundings decide on which side of the integer the difference falls, and
    // the quotients are formed as they are.
    int32_t base, x;
    if (r == cmax) {
        base = 0, x = 40 * (g - b);
    } else if (g == cmax) {
        base = 80, x = 40 * (b - r);
    } else {
        base = 160, x = 40 * (r - g);
    }
    const auto ax = static_cast<uint32_t>(x < 0 ? -x : x);
    const auto q = static_cast<int32_t>(hls_detail::divide(ax, static_cast<uint32_t>(d)));
    if (static_cast<uint32_t>(q * d) == ax) {
        out.h = hls_detail::hue_by_quotients(r, g, b, cmax, d);
    } else if (x > 0) {
        out.h = base + q;
    } else {
        // Toward zero below 0, toward the lower integer above it.
        out.h = base == 0 ? -q : base - q - 1;
    }
    if (out.h < 0) out.h += 240;
    if (out.h > 240) out.h -= 240;
    return out;
}

// One colour channel on the 0..240 scale from the working values p (m1) and
// q (m2) and the channel's hue. The arguments are single precision; the
// result is not rounded to single precision.
inline double HueToChannel(float p, float q, float hue)
{
    double h = hue;
    if (h < 0.0) h += 240.0;
    if (h > 240.0) h -= 240.0;  // exactly 240 stays 240
    const double dp = p, dq = q, c = hls_detail::kFortieth;
    if (h < 40.0) return dp + ((dq - dp) * h + 20.0) * c;
    if (h < 120.0) return dq;
    if (h < 160.0) return dp + ((dq - dp) * (160.0 - h) + 20.0) * c;
    return dp;
}

// l in 0..240, h in 0..240, s <= 240; s <= 0 gives a grey.
inline Rgb hls_to_rgb(int32_t h, int32_t l, int32_t s)
{
    using hls_detail::channel_byte;
    if (s <= 0) {
        const auto grey = static_cast<uint8_t>(l * 255 / 240);
        return {grey, grey, grey};
    }
    const double k1 = hls_detail::kInv240f;
    const float m2 = l <= 120 ? static_cast<float>(static_cast<double>((s + 240) * l + 120) * k1)
                              : static_cast<float>(static_cast<double>(s + l) - static_cast<double>(l * s + 120) * k1);
    const float m1 = static_cast<float>(static_cast<double>(2 * l) - static_cast<double>(m2));
    return {channel_byte(HueToChannel(m1, m2, static_cast<float>(h + 80))),
            channel_byte(HueToChannel(m1, m2, static_cast<float>(h))),
            channel_byte(HueToChannel(m1, m2, static_cast<float>(h - 80)))};
}

}  // namespace pixmill
