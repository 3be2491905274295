#include "frame/cpu.h"

namespace pixmill {

Isa cpu_isa()
{
#if (defined(__x86_64__) || defined(__i386__)) && defined(__SSE2__)
    // The AVX2 test includes the operating system's saving of the wide
    // registers, so a kernel chosen here never faults.
    if (__builtin_cpu_supports("avx2")) return Isa::kAvx2;
    if (__builtin_cpu_supports("ssse3")) return Isa::kSsse3;
    return Isa::kSse2;  // the build's baseline
#else
    return Isa::kScalar;
#endif
}

const char* isa_name(Isa isa)
{
    switch (isa) {
        case Isa::kScalar: return "scalar";
        case Isa::kSse2: return "SSE2";
        case Isa::kSsse3: return "SSSE3";
        case Isa::kAvx2: return "AVX2";
    }
    return "?";
}

}  // namespace pixmill
