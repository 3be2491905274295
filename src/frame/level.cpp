// Every family's vector kernels for one instruction-set level. This file is
// compiled once per level, with that level's flags and PIXMILL_LVL naming the
// level's namespace (lvl_sse2, lvl_ssse3, lvl_avx2, lvl_avx512) and
// PIXMILL_LVL_VEC its vocabulary; nothing compiled here lands outside that
// namespace (a test reads each level's symbols to keep it so).
#if !defined(PIXMILL_LVL) || !defined(PIXMILL_LVL_VEC)
#error "built once per level by the library's build, never on its own"
#endif

#include "frame/kernels.h"
#include "frame/vec_x86.h"

#include "blit/blit_rows_vec.h"
#include "draw/draw_rows_vec.h"
#include "effect/blur_rows_vec.h"
#include "effect/ripple_rows_vec.h"
#include "filter/channel_rows_vec.h"
#include "filter/colour_sum_rows_vec.h"
#include "filter/hls_rows_vec.h"
#include "filter/tone_rows_vec.h"
#include "rotate/rotate_rows_vec.h"
#include "stretch/stretch_rows_vec.h"

namespace pixmill::PIXMILL_LVL {

using Vec = PIXMILL_LVL_VEC;

#define PIXMILL_KERNEL_LEVEL(name, scalar) &name<Vec>,
extern const Kernels kKernels;
const Kernels kKernels = {PIXMILL_KERNELS(PIXMILL_KERNEL_LEVEL)};
#undef PIXMILL_KERNEL_LEVEL

}  // namespace pixmill::PIXMILL_LVL
