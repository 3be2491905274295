// The library's own double-precision sine and cosine.
//
// The C runtime's versions differ between platforms (the 32-bit Linux one
// runs on the x87 unit, the Windows one has its own polynomials), and the
// ripple and the rotation truncate products of these values to whole pixels,
// so a last-bit difference can move a pixel. These are written in plain
// double arithmetic (no long double, no fused multiply-add), so every build
// gives the same bits. Each result is within about one unit in the last place
// of the true value, for every finite argument: large arguments are reduced
// with pi/2 carried to well over a hundred bits.
#pragma once

namespace pixmill {

double sine(double x);
double cosine(double x);
// Both at once, sharing the argument reduction; the same bits as sine(x) and
// cosine(x).
void sine_cosine(double x, double& s, double& c);

// What the sine's argument reduction and series use, shared with the sine in
// vector lanes (frame/sine_lanes.h), which must give the same bits.
namespace trig_constants {

// pi/2 in four pieces: the first three have at most 33 significant bits, so n
// times each is exact for |n| < 2^20; together they carry 168 bits.
constexpr double kPio2Part1 = 0x1.921fb544p+0;
constexpr double kPio2Part2 = 0x1.0b4611a6p-34;
constexpr double kPio2Part3 = 0x1.3198a2ep-69;
constexpr double kPio2Part4 = 0x1.b839a252049c1p-104;

constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;

// Below this the argument is reduced in those pieces; above it, bit by bit.
constexpr double kMediumArgument = 0x1p20;
// At most this (pi/4), the argument needs no reduction.
constexpr double kQuarterPi = 0x1.921fb54442d18p-1;

// Taylor coefficients; the series are cut where the next term is below 2^-70
// of the result.
constexpr double kS3 = -1.0 / 6.0, kS5 = 1.0 / 120.0, kS7 = -1.0 / 5040.0, kS9 = 1.0 / 362880.0,
                 kS11 = -1.0 / 39916800.0, kS13 = 1.0 / 6227020800.0, kS15 = -1.0 / 1307674368000.0,
                 kS17 = 1.0 / 355687428096000.0, kS19 = -1.0 / 121645100408832000.0;
constexpr double kC4 = 1.0 / 24.0, kC6 = -1.0 / 720.0, kC8 = 1.0 / 40320.0, kC10 = -1.0 / 3628800.0,
                 kC12 = 1.0 / 479001600.0, kC14 = -1.0 / 87178291200.0, kC16 = 1.0 / 20922789888000.0,
                 kC18 = -1.0 / 6402373705728000.0, kC20 = 1.0 / 2432902008176640000.0;

}  // namespace trig_constants

}  // namespace pixmill
