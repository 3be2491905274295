// The vector versions of the scaled-copy row kernels, one namespace per
// instruction set, each compiled in its own file with that set's flags. They
// give the scalar kernels' bytes; a row whose destination overlaps a source
// row it reads (a same-surface call) is handed to the scalar kernel whole.
#pragma once

#include <cstdint>

#include "stretch/stretch_rows.h"

namespace pixmill {

namespace ssse3 {
void sample_row_24to24(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
void sample_row_24to32(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
void smooth_row_24to24(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
void smooth_row_24to32(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
void smooth_row_32to32_whole(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
}  // namespace ssse3

namespace avx2 {
void sample_row_24to24(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
void sample_row_24to32(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
void sample_row_32to32_whole(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
void smooth_row_24to24(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
void smooth_row_24to32(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
void smooth_row_32to32_whole(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
}  // namespace avx2

namespace avx512 {
void sample_row_24to24(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
void sample_row_24to32(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
void sample_row_32to32_whole(uint8_t* dst, const uint8_t* row, const int32_t* cols, int32_t n);
void smooth_row_24to24(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
void smooth_row_24to32(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
void smooth_row_32to32_whole(uint8_t* dst, const SourceRows& src, const int32_t* cols, int32_t n);
}  // namespace avx512

}  // namespace pixmill
