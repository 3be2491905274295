#include "frame/trig.h"

#include <cstdint>
#include <cstring>

namespace pixmill {

namespace {

using namespace trig_constants;

// ---- exact double arithmetic -------------------------------------------------

// s + e == a + b exactly.
inline void two_sum(double a, double b, double& s, double& e)
{
    s = a + b;
    const double bb = s - a;
    e = (a - (s - bb)) + (b - bb);
}

// p + e == a * b exactly (Dekker's product; no fused multiply-add needed).
// Both factors must stay below 2^996 so the split cannot overflow.
inline void split(double a, double& hi, double& lo)
{
    const double c = 134217729.0 * a;  // 2^27 + 1
    hi = c - (c - a);
    lo = a - hi;
}

inline void two_prod(double a, double b, double& p, double& e)
{
    p = a * b;
    double ah, al, bh, bl;
    split(a, ah, al);
    split(b, bh, bl);
    e = ((ah * bh - p) + ah * bl + al * bh) + al * bl;
}

inline double abs_of(double x) { return x < 0 ? -x : x; }

// 2^k for k in the normal range.
inline double pow2(int k)
{
    const uint64_t bits = static_cast<uint64_t>(k + 1023) << 52;
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
}

// The constants below were worked out in exact integer arithmetic (pi from
// Machin's formula to 1600 bits), then cut into doubles.

// pi/2 as a double plus the next 53 bits.
constexpr double kPio2Hi = 0x1.921fb54442d18p+0;
constexpr double kPio2Lo = 0x1.1a62633145c07p-54;


// The binary fraction of 2/pi, 32 bits a word, most significant first: enough
// words for any finite double's exponent plus the 224-bit window used below.
constexpr uint32_t kTwoOverPiBits[] = {
    0xa2f9836e, 0x4e441529, 0xfc2757d1, 0xf534ddc0, 0xdb629599, 0x3c439041, 0xfe5163ab, 0xdebbc561,
    0xb7246e3a, 0x424dd2e0, 0x06492eea, 0x09d1921c, 0xfe1deb1c, 0xb129a73e, 0xe88235f5, 0x2ebb4484,
    0xe99c7026, 0xb45f7e41, 0x3991d639, 0x835339f4, 0x9c845f8b, 0xbdf9283b, 0x1ff897ff, 0xde05980f,
    0xef2f118b, 0x5a0a6d1f, 0x6d367ecf, 0x27cb09b7, 0x4f463f66, 0x9e5fea2d, 0x7527bac7, 0xebe5f17b,
    0x3d0739f7, 0x8a5292ea, 0x6bfb5fb1, 0x1f8d5d08, 0x56033046, 0xfc7b6bab, 0xf0cfbc20, 0x9af4361d,
};

// x == quadrant * pi/2 + hi + lo (quadrant mod 4), |hi + lo| about pi/4 at most.
struct Reduced {
    int quadrant;
    double hi, lo;
};

// Arguments below 2^20: subtract n * pi/2 piece by piece. Where x lies close
// to a multiple of pi/2 the early subtractions cancel and are exact, so the
// small remainder keeps its full relative accuracy.
Reduced reduce_medium(double x)
{
    const double round_const = 0x1.8p52;
    const double n = (x * kTwoOverPi + round_const) - round_const;  // nearest integer
    double hi = x - n * kPio2Part1;                                  // exact
    double lo = 0, e;
    two_sum(hi, -(n * kPio2Part2), hi, e);
    lo += e;
    two_sum(hi, -(n * kPio2Part3), hi, e);
    lo += e;
    lo -= n * kPio2Part4;
    two_sum(hi, lo, hi, lo);
    return {static_cast<int>(static_cast<int32_t>(n) & 3), hi, lo};
}

// Bits [pos, pos + 64) of a little-endian multiword integer; bits outside it read as 0.
uint64_t bits64(const uint32_t* p, int words, int pos)
{
    const int k = pos >= 0 ? pos / 32 : -((31 - pos) / 32);  // floor(pos / 32)
    const int shift = pos - 32 * k;
    auto word = [&](int i) -> uint64_t { return i >= 0 && i < words ? p[i] : 0u; };
    const uint64_t low = word(k) | (word(k + 1) << 32);
    return shift == 0 ? low : (low >> shift) | (word(k + 2) << (64 - shift));
}

// Clears every bit at position n and above.
void keep_low_bits(uint32_t* p, int words, int n)
{
    for (int k = 0; k < words; ++k) {
        const int lo_bit = 32 * k;
        if (lo_bit >= n) p[k] = 0;
        else if (lo_bit + 32 > n) p[k] &= (uint32_t{1} << (n - lo_bit)) - 1;
    }
}

// Larger arguments: x = m * 2^e with m a 53-bit integer. Only the bits of 2/pi
// that can reach below the quadrant bits of m * 2^e * 2/pi matter (the earlier
// ones give multiples of 4), so a window of seven words starting there is
// multiplied by m in integer arithmetic. That leaves at least 191 bits after
// the binary point, more than the closest any double comes to a multiple of
// pi/2 needs.
Reduced reduce_large(double ax)
{
    uint64_t bits;
    std::memcpy(&bits, &ax, sizeof bits);
    const int e = static_cast<int>(bits >> 52) - 1075;
    const uint64_t m = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);

    constexpr int kWindow = 7;
    const int first = e < 2 ? 0 : (e - 2) / 32;
    const int frac_bits = 32 * (first + kWindow) - e;  // bits below the binary point

    uint32_t w[kWindow];  // little-endian window
    for (int k = 0; k < kWindow; ++k) w[k] = kTwoOverPiBits[first + kWindow - 1 - k];

    constexpr int kWords = kWindow + 2;
    uint32_t p[kWords] = {};
    const uint64_t m_lo = m & 0xffffffffu, m_hi = m >> 32;
    uint64_t carry = 0;
    for (int k = 0; k < kWindow; ++k) {
        const uint64_t v = m_lo * w[k] + carry;
        p[k] = static_cast<uint32_t>(v);
        carry = v >> 32;
    }
    p[kWindow] = static_cast<uint32_t>(carry);
    carry = 0;
    for (int k = 0; k < kWindow; ++k) {
        const uint64_t v = m_hi * w[k] + p[k + 1] + carry;
        p[k + 1] = static_cast<uint32_t>(v);
        carry = v >> 32;
    }
    p[kWindow + 1] = static_cast<uint32_t>(carry);

    int quadrant = static_cast<int>(bits64(p, kWords, frac_bits) & 3);

    // Keep only the fraction; from one half up, count it from the next
    // quadrant (a negative remainder) by taking its two's complement.
    keep_low_bits(p, kWords, frac_bits);
    const bool negative = (bits64(p, kWords, frac_bits - 1) & 1) != 0;
    if (negative) {
        quadrant = (quadrant + 1) & 3;
        uint64_t borrow = 1;  // ~p + 1, then masked to the fraction again
        for (int k = 0; k < kWords; ++k) {
            const uint64_t v = static_cast<uint64_t>(static_cast<uint32_t>(~p[k])) + borrow;
            p[k] = static_cast<uint32_t>(v);
            borrow = v >> 32;
        }
        keep_low_bits(p, kWords, frac_bits);
    }

    int top = -1;  // highest set bit of the fraction
    for (int k = kWords - 1; k >= 0 && top < 0; --k)
        if (p[k] != 0) {
            int b = 31;
            while (((p[k] >> b) & 1u) == 0) --b;
            top = 32 * k + b;
        }
    if (top < 0) return {quadrant, 0.0, 0.0};

    // The fraction's leading 53 bits exactly, the next 64 rounded once.
    const uint64_t head = bits64(p, kWords, top - 63);
    const uint64_t next = bits64(p, kWords, top - 127);
    const double a = static_cast<double>(head >> 11) * pow2(top - 52 - frac_bits);
    const double b = static_cast<double>(((head & 0x7ffu) << 53) | (next >> 11)) * pow2(top - 116 - frac_bits);
    double f_hi, f_lo;
    two_sum(a, b, f_hi, f_lo);

    // Quarter turns to radians.
    double r_hi, r_lo;
    two_prod(f_hi, kPio2Hi, r_hi, r_lo);
    r_lo += f_hi * kPio2Lo + f_lo * kPio2Hi;
    two_sum(r_hi, r_lo, r_hi, r_lo);
    if (negative) {
        r_hi = -r_hi;
        r_lo = -r_lo;
    }
    return {quadrant, r_hi, r_lo};
}

// Finite x only.
Reduced reduce(double x)
{
    const double ax = abs_of(x);
    if (ax <= kQuarterPi) return {0, x, 0.0};
    Reduced r = ax < kMediumArgument ? reduce_medium(ax) : reduce_large(ax);
    if (x < 0) {
        r.quadrant = (4 - r.quadrant) & 3;
        r.hi = -r.hi;
        r.lo = -r.lo;
    }
    return r;
}

// ---- kernels on |hi + lo| <= pi/4 (a little more is harmless) ------------------

// sin(hi + lo) = sin(hi) + lo * cos(hi), with lo * cos(hi) ~ lo * (1 - hi^2/2).
double sin_kernel(double hi, double lo)
{
    const double z = hi * hi;
    const double poly =
        kS3 + z * (kS5 + z * (kS7 + z * (kS9 + z * (kS11 + z * (kS13 + z * (kS15 + z * (kS17 + z * kS19)))))));
    return hi + (z * hi * poly + (lo - 0.5 * z * lo));
}

// cos(hi + lo) = cos(hi) - lo * sin(hi). The leading 1 - hi^2/2 is formed
// with hi^2 exact and its rounding error carried along.
double cos_kernel(double hi, double lo)
{
    double z, z_err;
    two_prod(hi, hi, z, z_err);
    const double half = 0.5 * z;
    const double w = 1.0 - half;
    const double poly =
        kC4 + z * (kC6 + z * (kC8 + z * (kC10 + z * (kC12 + z * (kC14 + z * (kC16 + z * (kC18 + z * kC20)))))));
    return w + ((((1.0 - w) - half) - 0.5 * z_err) + (z * z * poly - hi * lo));
}

inline bool finite(double x) { return x - x == 0; }

}  // namespace

double sine(double x)
{
    if (!finite(x)) return x - x;  // NaN for infinities and NaN
    if (x == 0) return x;          // keeps the sign of zero
    const Reduced r = reduce(x);
    switch (r.quadrant) {
    case 0: return sin_kernel(r.hi, r.lo);
    case 1: return cos_kernel(r.hi, r.lo);
    case 2: return -sin_kernel(r.hi, r.lo);
    default: return -cos_kernel(r.hi, r.lo);
    }
}

double cosine(double x)
{
    if (!finite(x)) return x - x;
    const Reduced r = reduce(x);
    switch (r.quadrant) {
    case 0: return cos_kernel(r.hi, r.lo);
    case 1: return -sin_kernel(r.hi, r.lo);
    case 2: return -cos_kernel(r.hi, r.lo);
    default: return sin_kernel(r.hi, r.lo);
    }
}

void sine_cosine(double x, double& s, double& c)
{
    if (!finite(x)) {
        s = c = x - x;
        return;
    }
    const Reduced r = reduce(x);
    const double sk = x == 0 ? x : sin_kernel(r.hi, r.lo), ck = cos_kernel(r.hi, r.lo);
    switch (r.quadrant) {
    case 0: s = sk, c = ck; break;
    case 1: s = ck, c = -sk; break;
    case 2: s = -sk, c = -ck; break;
    default: s = -ck, c = sk; break;
    }
}

}  // namespace pixmill
