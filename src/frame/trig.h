// The library's own double-precision sine, cosine and arctangent.
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
double arctangent(double x);

}  // namespace pixmill
