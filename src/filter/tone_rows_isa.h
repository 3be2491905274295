// The vector versions of the offsets' and the contrast's row kernels, one
// namespace per instruction set, each compiled in its own file with that
// set's flags. They take the per-call tables of the scalar kernels and give
// their bytes.
#pragma once

#include <cstdint>

#include "filter/contrast_rows.h"
#include "filter/offset_rows.h"

namespace pixmill {

#define PIXMILL_OFFSET_VECTOR_KERNELS                                                       \
    void offset_row_24(uint8_t* row, int32_t w, const OffsetTables& t);                     \
    void offset_row_24_keyed(uint8_t* row, int32_t w, const OffsetTables& t, ColorKey key); \
    void offset_row_32(uint8_t* row, int32_t w, const OffsetTables& t);

namespace sse2 {
PIXMILL_OFFSET_VECTOR_KERNELS
}  // namespace sse2

namespace avx2 {
PIXMILL_OFFSET_VECTOR_KERNELS
void contrast_row_24(uint8_t* row, int32_t w, const ContrastTable& t);
}  // namespace avx2

namespace avx512 {
PIXMILL_OFFSET_VECTOR_KERNELS
void contrast_row_24(uint8_t* row, int32_t w, const ContrastTable& t);
}  // namespace avx512

#undef PIXMILL_OFFSET_VECTOR_KERNELS

}  // namespace pixmill
