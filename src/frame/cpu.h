// Which vector instruction set the row kernels may use on this CPU. The
// answer comes from the compiler's runtime (which reads the CPU's features once
// when the module loads); the library keeps no variable of its own.
#pragma once

// Defined where the per-instruction-set kernel files hold code: x86 with at
// least SSE2, the baseline of every x86 build.
#if (defined(__x86_64__) || defined(__i386__)) && defined(__SSE2__)
#define PIXMILL_HAVE_VECTOR_KERNELS 1
#endif

namespace pixmill {

// Ordered: each level includes everything below it.
// kAvx2 includes FMA (every AVX2 processor has it); kAvx512 is AVX-512 with
// byte and word lanes, 128/256-bit forms and byte permutes (F, BW, VL, VBMI).
enum class Isa { kScalar, kSse2, kSsse3, kAvx2, kAvx512 };

// The highest level this CPU (and its operating system) supports; kScalar on
// anything but x86.
Isa cpu_isa();

// Every level, lowest first, for code that wants to try them all.
constexpr Isa kAllIsas[] = {Isa::kScalar, Isa::kSse2, Isa::kSsse3, Isa::kAvx2, Isa::kAvx512};

const char* isa_name(Isa isa);

// A family's kernel table for a level, given one table per level, lowest
// first; a family names a lower level's table where it has nothing better.
template <class T>
constexpr const T& kernels_for(Isa isa, const T& scalar, const T& sse2, const T& ssse3, const T& avx2,
                               const T& avx512)
{
    switch (isa) {
        case Isa::kScalar: break;
        case Isa::kSse2: return sse2;
        case Isa::kSsse3: return ssse3;
        case Isa::kAvx2: return avx2;
        case Isa::kAvx512: return avx512;
    }
    return scalar;
}

}  // namespace pixmill
