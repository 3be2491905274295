// The arithmetic of one rotation offset, shared by the walk in rotate.cpp.
#pragma once

#include <cstdint>

namespace pixmill {

// Degrees to radians with 3.14 / 180 (not pi / 180), rounded to single
// precision: 90 degrees give 1.5700000524520874, 360 give 6.28000020980835.
float angle_in_radians(int32_t degrees);

// Offset (i, j) from the destination centre, i, j >= 0, turned by a radians:
// in polar form r = sqrt(i^2 + j^2) rounded to single precision and the angle
// atan(j / i) (1.57 in single precision when i = 0) plus a; u = r cos, v = r
// sin, each truncated toward zero.
void turn_offset(int64_t i, int64_t j, double a, int32_t& u, int32_t& v);

}  // namespace pixmill
