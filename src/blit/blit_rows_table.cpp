#include "blit/blit_rows_table.h"

#include "blit/blit_rows.h"
#include "blit/blit_rows_isa.h"
#include "blit/mask_rows.h"

namespace pixmill {

namespace {

constexpr BlitKernels kScalar = {
    copy_row_24to32,       blend_row_32to24,        blend_row_32to32,      key_row_24to24,
    alpha_row_24to24,      key_alpha_row_24to24,    stamp_row_24to32,      key_stamp_row_24to32,
    alpha_to_grey_row_32to24, red_to_alpha_row_24to32, mask_blend_row_24to24, mask_alpha_row_24to32,
};

#ifdef PIXMILL_HAVE_VECTOR_KERNELS
constexpr BlitKernels kSse2 = {
    copy_row_24to32,       blend_row_32to24,        sse2::blend_row_32to32,      sse2::key_row_24to24,
    sse2::alpha_row_24to24, sse2::key_alpha_row_24to24, stamp_row_24to32,         key_stamp_row_24to32,
    alpha_to_grey_row_32to24, red_to_alpha_row_24to32, sse2::mask_blend_row_24to24, mask_alpha_row_24to32,
};

constexpr BlitKernels kSsse3 = {
    ssse3::copy_row_24to32,          ssse3::blend_row_32to24,        sse2::blend_row_32to32,
    sse2::key_row_24to24,            sse2::alpha_row_24to24,         sse2::key_alpha_row_24to24,
    ssse3::stamp_row_24to32,         ssse3::key_stamp_row_24to32,    ssse3::alpha_to_grey_row_32to24,
    ssse3::red_to_alpha_row_24to32,  sse2::mask_blend_row_24to24,    ssse3::mask_alpha_row_24to32,
};

constexpr BlitKernels kAvx2 = {
    ssse3::copy_row_24to32,          avx2::blend_row_32to24,        avx2::blend_row_32to32,
    avx2::key_row_24to24,            avx2::alpha_row_24to24,         avx2::key_alpha_row_24to24,
    ssse3::stamp_row_24to32,         ssse3::key_stamp_row_24to32,    ssse3::alpha_to_grey_row_32to24,
    ssse3::red_to_alpha_row_24to32,  avx2::mask_blend_row_24to24,    ssse3::mask_alpha_row_24to32,
};

constexpr BlitKernels kAvx512 = {
    avx512::copy_row_24to32,         avx512::blend_row_32to24,      avx512::blend_row_32to32,
    avx512::key_row_24to24,          avx512::alpha_row_24to24,      avx512::key_alpha_row_24to24,
    ssse3::stamp_row_24to32,         ssse3::key_stamp_row_24to32,   ssse3::alpha_to_grey_row_32to24,
    ssse3::red_to_alpha_row_24to32,  avx512::mask_blend_row_24to24, ssse3::mask_alpha_row_24to32,
};
#endif

}  // namespace

const BlitKernels& blit_kernels(Isa isa)
{
#ifdef PIXMILL_HAVE_VECTOR_KERNELS
    return kernels_for(isa, kScalar, kSse2, kSsse3, kAvx2, kAvx512);
#else
    (void)isa;
    return kScalar;
#endif
}

}  // namespace pixmill
