#include "stretch/stretch_rows_table.h"

#include "stretch/stretch_rows_isa.h"

namespace pixmill {

namespace {

constexpr StretchKernels kScalar = {
    sample_row_24to24, sample_row_24to32, sample_row_32to32_whole,
    smooth_row_24to24, smooth_row_24to32, smooth_row_32to32_whole,
};

#ifdef PIXMILL_HAVE_VECTOR_KERNELS
constexpr StretchKernels kSsse3 = {
    ssse3::sample_row_24to24, ssse3::sample_row_24to32, sample_row_32to32_whole,
    ssse3::smooth_row_24to24, ssse3::smooth_row_24to32, ssse3::smooth_row_32to32_whole,
};

constexpr StretchKernels kAvx2 = {
    avx2::sample_row_24to24, avx2::sample_row_24to32, avx2::sample_row_32to32_whole,
    avx2::smooth_row_24to24, avx2::smooth_row_24to32, avx2::smooth_row_32to32_whole,
};

constexpr StretchKernels kAvx512 = {
    avx512::sample_row_24to24, avx512::sample_row_24to32, avx512::sample_row_32to32_whole,
    avx512::smooth_row_24to24, avx512::smooth_row_24to32, avx512::smooth_row_32to32_whole,
};
#endif

}  // namespace

const StretchKernels& stretch_kernels(Isa isa)
{
#ifdef PIXMILL_HAVE_VECTOR_KERNELS
    return kernels_for(isa, kScalar, kScalar, kSsse3, kAvx2, kAvx512);
#else
    (void)isa;
    return kScalar;
#endif
}

}  // namespace pixmill
