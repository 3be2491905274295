// Scaled-copy row kernels over 32-byte AVX2 vectors.
#include "stretch/stretch_rows_isa.h"

#if defined(__AVX2__)
#include <immintrin.h>

#include <cstddef>

#include "frame/vec_x86.h"

namespace pixmill::avx2 {

// Eight whole 32-bit pixels at a time, gathered from their columns (every
// one a pixel of the row); the last pixels short of eight by the scalar kernel.
void sample_row_32to32_whole(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n)
{
    if (n <= 0) return;
    const ptrdiff_t first = 4 * static_cast<ptrdiff_t>(cols[0]);
    const ptrdiff_t end = 4 * static_cast<ptrdiff_t>(cols[n - 1]) + 4;
    int32_t i = 0;
    if (!ranges_overlap(dst, 4 * static_cast<size_t>(n), row + first, static_cast<size_t>(end - first))) {
        const int* base = reinterpret_cast<const int*>(row);
        for (; i + 8 <= n; i += 8) {
            const __m256i c = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(cols + i));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(dst + 4 * static_cast<ptrdiff_t>(i)),
                                _mm256_i32gather_epi32(base, c, 4));
        }
    }
    if (i < n) pixmill::sample_row_32to32_whole(dst + 4 * static_cast<ptrdiff_t>(i), row, cols + i, n - i);
}

}  // namespace pixmill::avx2

#endif
