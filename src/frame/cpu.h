// Which vector instruction set the row kernels use. The level is chosen once
// per process, from the CPU and the PIXMILL_ISA environment variable, which can
// only lower it; it is the one value the library keeps.
#pragma once

namespace pixmill {

// Ordered: each level includes everything below it.
// kAvx2 includes FMA (every AVX2 processor has it); kAvx512 is AVX-512 with
// byte and word lanes, 128/256-bit forms and byte permutes (F, BW, VL, VBMI).
enum class Isa { kScalar, kSse2, kSsse3, kAvx2, kAvx512 };

// Every level, lowest first, for code that wants to try them all.
constexpr Isa kAllIsas[] = {Isa::kScalar, Isa::kSse2, Isa::kSsse3, Isa::kAvx2, Isa::kAvx512};

// The highest level this build may choose on this CPU (and operating
// system); kScalar on anything but x86.
Isa cpu_isa();

// The level the exports use: cpu_isa(), lowered by PIXMILL_ISA when that
// names a level at or below it. Read once, on the first call.
Isa active_isa();

// What PIXMILL_ISA asks for: the level it names, or false when it is unset or
// names no level. Never above what the caller then allows.
bool requested_isa(Isa& out);

// "scalar", "sse2", "ssse3", "avx2", "avx512": the names PIXMILL_ISA takes.
const char* isa_name(Isa isa);

}  // namespace pixmill

