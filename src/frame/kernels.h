// The one table of row kernels. Every family lists its kernels that have
// vector forms (PIXMILL_<FAMILY>_KERNELS, beside its scalar kernels); the
// table's members and every level's initialisers are expanded from those
// lists by name, so an entry can be neither swapped nor forgotten.
//
// frame/level.cpp compiles every family's vector forms once per level, each
// level in a namespace of its own; the scalar table holds the scalar kernels.
// The exports take kernels() (the level chosen once per process); the walks
// hand a row to scalar_kernels() instead where what it writes shares a byte
// with what it reads.
#pragma once

#include "blit/blit_rows.h"
#include "draw/draw_rows.h"
#include "effect/blur_rows.h"
#include "effect/ripple_rows.h"
#include "filter/channel_rows.h"
#include "filter/colour_sum_rows.h"
#include "filter/hls_rows.h"
#include "filter/tone_rows.h"
#include "frame/cpu.h"
#include "rotate/rotate_rows.h"
#include "stretch/stretch_rows.h"

#define PIXMILL_KERNELS(K)        \
    PIXMILL_BLIT_KERNELS(K)       \
    PIXMILL_DRAW_KERNELS(K)       \
    PIXMILL_CHANNEL_KERNELS(K)    \
    PIXMILL_COLOUR_SUM_KERNELS(K) \
    PIXMILL_TONE_KERNELS(K)       \
    PIXMILL_HLS_KERNELS(K)        \
    PIXMILL_ROTATE_KERNELS(K)     \
    PIXMILL_RIPPLE_KERNELS(K)     \
    PIXMILL_BLUR_KERNELS(K)       \
    PIXMILL_STRETCH_KERNELS(K)

namespace pixmill {

struct Kernels {
#define PIXMILL_KERNEL_MEMBER(name, scalar) decltype(&scalar) name;
    PIXMILL_KERNELS(PIXMILL_KERNEL_MEMBER)
#undef PIXMILL_KERNEL_MEMBER
};

// The kernels of one level. A level above cpu_isa() may be looked at but its
// kernels must not be called; a level this build has no code for gives the
// next lower one.
const Kernels& kernels_at(Isa isa);

const Kernels& scalar_kernels();

// The kernels of active_isa().
inline const Kernels& kernels()
{
    return kernels_at(active_isa());
}

// Row kernel adapter for the walks: the member m of whichever table the walk
// hands over.
template <class F>
constexpr auto row_kernel(F Kernels::*m)
{
    return [m](const Kernels& k, auto... args) { return (k.*m)(args...); };
}

}  // namespace pixmill
