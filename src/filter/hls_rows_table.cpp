#include "filter/hls_rows_table.h"

#include "filter/hls_rows_isa.h"

namespace pixmill {

namespace {

constexpr HlsKernels kScalar = {adjust_hls_row_32};

#if (defined(__x86_64__) || defined(__i386__)) && defined(__SSE2__)
#define PIXMILL_HAVE_VECTOR_KERNELS 1

constexpr HlsKernels kSse2 = {sse2::adjust_hls_row_32};
constexpr HlsKernels kAvx2 = {avx2::adjust_hls_row_32};
constexpr HlsKernels kAvx512 = {avx512::adjust_hls_row_32};
#endif

}  // namespace

const HlsKernels& hls_kernels(Isa isa)
{
#ifdef PIXMILL_HAVE_VECTOR_KERNELS
    switch (isa) {
        case Isa::kScalar: return kScalar;
        case Isa::kSse2:
        case Isa::kSsse3: return kSse2;  // no byte shuffles needed here
        case Isa::kAvx2: return kAvx2;
        case Isa::kAvx512: return kAvx512;
    }
#endif
    (void)isa;
    return kScalar;
}

}  // namespace pixmill
