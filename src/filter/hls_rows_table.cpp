#include "filter/hls_rows_table.h"

#include "filter/hls_rows_isa.h"

namespace pixmill {

namespace {

constexpr HlsKernels kScalar = {adjust_hls_row_32};

#ifdef PIXMILL_HAVE_VECTOR_KERNELS
constexpr HlsKernels kSse2 = {sse2::adjust_hls_row_32};
constexpr HlsKernels kAvx2 = {avx2::adjust_hls_row_32};
constexpr HlsKernels kAvx512 = {avx512::adjust_hls_row_32};
#endif

}  // namespace

const HlsKernels& hls_kernels(Isa isa)
{
#ifdef PIXMILL_HAVE_VECTOR_KERNELS
    return kernels_for(isa, kScalar, kSse2, kSse2, kAvx2, kAvx512);
#else
    (void)isa;
    return kScalar;
#endif
}

}  // namespace pixmill
