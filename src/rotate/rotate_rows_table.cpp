#include "rotate/rotate_rows_table.h"

#include "rotate/rotate_rows.h"
#include "rotate/rotate_rows_isa.h"

namespace pixmill {

namespace {

constexpr RotateKernels kScalar = {turn_offsets_row, turn_offset_pairs, copy_run_32};

#ifdef PIXMILL_HAVE_VECTOR_KERNELS
constexpr RotateKernels kSse2 = {sse2::turn_offsets_row, sse2::turn_offset_pairs, copy_run_32};
constexpr RotateKernels kAvx2 = {avx2::turn_offsets_row, avx2::turn_offset_pairs, avx2::copy_run_32};
constexpr RotateKernels kAvx512 = {avx512::turn_offsets_row, avx512::turn_offset_pairs, avx512::copy_run_32};
#endif

}  // namespace

const RotateKernels& rotate_kernels(Isa isa)
{
#ifdef PIXMILL_HAVE_VECTOR_KERNELS
    return kernels_for(isa, kScalar, kSse2, kSse2, kAvx2, kAvx512);
#else
    (void)isa;
    return kScalar;
#endif
}

}  // namespace pixmill
