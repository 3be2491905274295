#include "draw/draw_rows_table.h"

#include "draw/draw_rows_isa.h"

namespace pixmill {

namespace {

constexpr DrawKernels kScalar = {fill_row_24,  fill_row_32,  fill_row_32_alpha_byte,
                                 blend_row_24, blend_row_32, mask_blend_row_24};

#ifdef PIXMILL_HAVE_VECTOR_KERNELS
constexpr DrawKernels kSse2 = {sse2::fill_row_24,  sse2::fill_row_32,  sse2::fill_row_32_alpha_byte,
                               sse2::blend_row_24, sse2::blend_row_32, sse2::mask_blend_row_24};

// The 24-bit fill stores 16-byte vectors at AVX2 too: its 32-byte unaligned
// stores cross cache lines at every other store and measured a third slower.
constexpr DrawKernels kAvx2 = {sse2::fill_row_24,  avx2::fill_row_32,  avx2::fill_row_32_alpha_byte,
                               avx2::blend_row_24, avx2::blend_row_32, avx2::mask_blend_row_24};

constexpr DrawKernels kAvx512 = {sse2::fill_row_24,    avx512::fill_row_32,  avx512::fill_row_32_alpha_byte,
                                 avx512::blend_row_24, avx512::blend_row_32, avx512::mask_blend_row_24};
#endif

}  // namespace

const DrawKernels& draw_kernels(Isa isa)
{
#ifdef PIXMILL_HAVE_VECTOR_KERNELS
    return kernels_for(isa, kScalar, kSse2, kSse2, kAvx2, kAvx512);
#else
    (void)isa;
    return kScalar;
#endif
}

}  // namespace pixmill
