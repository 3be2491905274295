#include "frame/cpu.h"

namespace pixmill {

Isa cpu_isa()
{
#ifdef PIXMILL_HAVE_VECTOR_KERNELS
    // The AVX tests include the operating system's saving of the wide
    // registers, so a kernel chosen here never faults.
#if defined(__x86_64__)
    // AVX-512 only in 64-bit builds: no 32-bit test run here can execute it
    // (the emulator stops at AVX2), so the 32-bit DLL keeps to the AVX2
    // kernels its test run proves.
    if (__builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
        __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512vbmi") &&
        __builtin_cpu_supports("fma"))
        return Isa::kAvx512;
#endif
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma")) return Isa::kAvx2;
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
        case Isa::kAvx512: return "AVX512";
    }
    return "?";
}

}  // namespace pixmill
