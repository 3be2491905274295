// The three rotations behind one entry that names the transfer, whether the
// walk may leave the defined order and the kernels it may use, so tests can
// run every level's kernels and both walks against the defined order with the
// scalar kernels.
#pragma once

#include <cstdint>

#include "frame/kernels.h"
#include "pixmill.h"

namespace pixmill {

enum class RotateTransfer { kCopy24to24, kCopy32to32, kBlend32to24 };

// The defined order: offsets i = first, first + 1, ..., j = 0, 1, ... within
// each i, the four transfers of an offset in turn. Any order: the same
// bytes, allowed to walk the offsets in tiles when the two arrays share no
// byte (the walk itself still keeps the defined order otherwise).
enum class RotateOrder { kDefined, kAny };

// The exports pass kernels(). The walk takes the scalar kernels instead when
// the offsets are too large for the vector ones.
void rotate_surfaces(Surface* dest, Surface* src, int32_t angle, RotateTransfer transfer, RotateOrder order,
                     const Kernels& fast);

}  // namespace pixmill
