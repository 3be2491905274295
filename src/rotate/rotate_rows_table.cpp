#include "rotate/rotate_rows_table.h"

#include "rotate/rotate_rows.h"
#include "rotate/rotate_rows_isa.h"

namespace pixmill {

namespace {

constexpr RotateKernels kScalar = {turn_offsets_row, turn_offset_pairs, copy_run_32};

#if (defined(__x86_64__) || defined(__i386__)) && defined(__SSE2__)
#define PIXMILL_HAVE_VECTOR_KERNELS 1
constexpr RotateKernels kSse2 = {sse2::turn_offsets_row, sse2::turn_offset_pairs, copy_run_32};
constexpr RotateKernels kAvx2 = {avx2::turn_offsets_row, avx2::turn_offset_pairs, avx2::copy_run_32};
constexpr RotateKernels kAvx512 = {avx512::turn_offsets_row, avx512::turn_offset_pairs, avx512::copy_run_32};
#endif

}  // namespace

const RotateKernels& rotate_kernels(Isa isa)
{
#ifdef PIXMILL_HAVE_VECTOR_KERNELS
    switch (isa) {
        case Isa::kScalar: return kScalar;
        case Isa::kSse2:
        case Isa::kSsse3: return kSse2;
        case Isa::kAvx2: return kAvx2;
        case Isa::kAvx512: return kAvx512;
    }
#endif
    (void)isa;
    return kScalar;
}

}  // namespace pixmill
