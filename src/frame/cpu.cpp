#include "frame/cpu.h"

#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace pixmill {

Isa cpu_isa()
{
#if (defined(__x86_64__) || defined(__i386__)) && defined(__SSE2__)
    // The AVX tests include the operating system's saving of the wide
    // registers, so a kernel chosen here never faults.
#if defined(__x86_64__) || defined(PIXMILL_32BIT_AVX512)
    // A 32-bit build chooses AVX-512 only where it was built to (a build whose
    // AVX-512 kernels some test has run as 32-bit code).
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

bool requested_isa(Isa& out)
{
    // Windows: a variable the host process set with SetEnvironmentVariable is
    // seen by the system call, not always by the C runtime's copy.
    char value[16] = {};
#ifdef _WIN32
    const DWORD n = GetEnvironmentVariableA("PIXMILL_ISA", value, sizeof value);
    if (n == 0 || n >= sizeof value) return false;
#else
    const char* v = std::getenv("PIXMILL_ISA");
    if (v == nullptr || std::strlen(v) >= sizeof value) return false;
    std::strcpy(value, v);
#endif
    for (Isa isa : kAllIsas) {
        if (std::strcmp(value, isa_name(isa)) == 0) {
            out = isa;
            return true;
        }
    }
    return false;
}

Isa active_isa()
{
    // Chosen on first use (never while the module loads), thread-safely by
    // the language's own rule for function-local statics.
    static const Isa level = [] {
        const Isa cpu = cpu_isa();
        Isa wanted = cpu;
        return requested_isa(wanted) && wanted < cpu ? wanted : cpu;
    }();
    return level;
}

const char* isa_name(Isa isa)
{
    switch (isa) {
        case Isa::kScalar: return "scalar";
        case Isa::kSse2: return "sse2";
        case Isa::kSsse3: return "ssse3";
        case Isa::kAvx2: return "avx2";
        case Isa::kAvx512: return "avx512";
    }
    return "?";
}

}  // namespace pixmill
