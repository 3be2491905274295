#include "frame/kernels.h"

namespace pixmill {

#ifdef PIXMILL_VECTOR_LEVELS
// Filled by frame/level.cpp, once per level.
namespace lvl_sse2 { extern const Kernels kKernels; }
namespace lvl_ssse3 { extern const Kernels kKernels; }
namespace lvl_avx2 { extern const Kernels kKernels; }
namespace lvl_avx512 { extern const Kernels kKernels; }
#endif

const Kernels& scalar_kernels()
{
#define PIXMILL_KERNEL_SCALAR(name, scalar) &scalar,
    static constexpr Kernels kScalar = {PIXMILL_KERNELS(PIXMILL_KERNEL_SCALAR)};
#undef PIXMILL_KERNEL_SCALAR
    return kScalar;
}

const Kernels& kernels_at(Isa isa)
{
#ifdef PIXMILL_VECTOR_LEVELS
    switch (isa) {
        case Isa::kScalar: break;
        case Isa::kSse2: return lvl_sse2::kKernels;
        case Isa::kSsse3: return lvl_ssse3::kKernels;
        case Isa::kAvx2: return lvl_avx2::kKernels;
        case Isa::kAvx512: return lvl_avx512::kKernels;
    }
#else
    (void)isa;
#endif
    return scalar_kernels();
}

}  // namespace pixmill
