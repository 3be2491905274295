// Which vector instruction set the row kernels may use on this CPU. The
// answer comes from the compiler's runtime (which reads the CPU's features once
// when the module loads); the library keeps no variable of its own.
#pragma once

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

}  // namespace pixmill
