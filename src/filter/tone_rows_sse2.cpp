// The offsets' row kernels over 16-byte SSE2 vectors.
#include "filter/tone_rows_isa.h"

#if defined(__SSE2__)
#include "filter/tone_rows_vec.h"

namespace pixmill::sse2 {

void offset_row_24(uint8_t* row, int32_t w, const OffsetTables& t)
{
    offset_row_24_v<Sse2>(row, w, t);
}

void offset_row_24_keyed(uint8_t* row, int32_t w, const OffsetTables& t, ColorKey key)
{
    offset_row_24_keyed_v<Sse2>(row, w, t, key);
}

void offset_row_32(uint8_t* row, int32_t w, const OffsetTables& t)
{
    offset_row_32_v<Sse2>(row, w, t);
}

}  // namespace pixmill::sse2

#endif
