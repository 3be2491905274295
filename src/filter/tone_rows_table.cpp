#include "filter/tone_rows_table.h"

#include "filter/tone_rows_isa.h"

namespace pixmill {

namespace {

using Offset = void (*)(uint8_t*, int32_t, const OffsetTables&);
using OffsetKeyed = void (*)(uint8_t*, int32_t, const OffsetTables&, ColorKey);
using Contrast = void (*)(uint8_t*, int32_t, const ContrastTable&);

constexpr ToneKernels kScalar = {static_cast<Offset>(offset_row_24), static_cast<OffsetKeyed>(offset_row_24_keyed),
                                 static_cast<Offset>(offset_row_32), static_cast<Contrast>(contrast_row_24)};

#ifdef PIXMILL_HAVE_VECTOR_KERNELS
// The contrast has no vector kernel below AVX2: without a 32-bit multiply
// or byte permutes the table read byte by byte is as fast as any.
constexpr ToneKernels kSse2 = {sse2::offset_row_24, sse2::offset_row_24_keyed, sse2::offset_row_32,
                               static_cast<Contrast>(contrast_row_24)};

constexpr ToneKernels kAvx2 = {avx2::offset_row_24, avx2::offset_row_24_keyed, avx2::offset_row_32,
                               avx2::contrast_row_24};

constexpr ToneKernels kAvx512 = {avx512::offset_row_24, avx512::offset_row_24_keyed, avx512::offset_row_32,
                                 avx512::contrast_row_24};
#endif

}  // namespace

const ToneKernels& tone_kernels(Isa isa)
{
#ifdef PIXMILL_HAVE_VECTOR_KERNELS
    return kernels_for(isa, kScalar, kSse2, kSse2, kAvx2, kAvx512);
#else
    (void)isa;
    return kScalar;
#endif
}

}  // namespace pixmill
