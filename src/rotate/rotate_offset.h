// The arithmetic of one rotation offset, shared by the walk in rotate.cpp.
#pragma once

#include <cstdint>

namespace pixmill {

// Degrees to radians with 3.14 / 180 (not pi / 180), rounded to single
// precision: 90 degrees give 1.5700000524520874, 360 give 6.28000020980835.
float angle_in_radians(int32_t degrees);

// A turn by a radians, its cosine and sine worked out once per call.
struct Turn {
    double a, cos_a, sin_a;
};
Turn make_turn(double a);

// Offset (i, j) from the destination centre, i, j >= 0, turned: in polar form
// r = sqrt(i^2 + j^2) rounded to single precision and the angle atan(j / i)
// (1.57 in single precision when i = 0) plus a; u = r cos, v = r sin, each
// truncated toward zero.
//
// For i > 0 the cosine and sine of the sum come from the angle-addition
// formulas, with cos atan(j / i) = i / rho and sin atan(j / i) = j / rho (rho
// the square root before its rounding to single precision), so no arctangent,
// sine or cosine is evaluated per offset. On the axis (j = 0) this is r cos a
// and r sin a, the very products of turning by a alone. Elsewhere it can
// differ from evaluating cos(atan(j / i) + a) in the last bits, which shows
// only where the product lies within a few units in the last place of a whole
// number: at angle 0, offsets whose length is a whole number ((3, 4) gives
// u = 3, v = 4 here, where the rounding of atan and cos gives 3, 3).
// i = 0 turns the constant 1.57 rather than a right angle, so that column is
// turned with the trigonometric routines themselves.
void turn_offset(int64_t i, int64_t j, const Turn& t, int32_t& u, int32_t& v);

inline void turn_offset(int64_t i, int64_t j, double a, int32_t& u, int32_t& v)
{
    turn_offset(i, j, make_turn(a), u, v);
}

}  // namespace pixmill
