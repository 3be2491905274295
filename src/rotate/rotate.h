// The three rotations behind one entry that names the transfer, the kernel
// level and whether the walk may leave the defined order, so tests can run
// every level and both walks against the defined order at the scalar level.
#pragma once

#include <cstdint>

#include "frame/cpu.h"
#include "pixmill.h"

namespace pixmill {

enum class RotateTransfer { kCopy24to24, kCopy32to32, kBlend32to24 };

// The defined order: offsets i = first, first + 1, ..., j = 0, 1, ... within
// each i, the four transfers of an offset in turn. Any order: the same
// bytes, allowed to walk the offsets in tiles when the two arrays share no
// byte (the walk itself still keeps the defined order otherwise).
enum class RotateOrder { kDefined, kAny };

void rotate_surfaces(Surface* dest, Surface* src, int32_t angle, RotateTransfer transfer, Isa isa,
                     RotateOrder order);

}  // namespace pixmill
