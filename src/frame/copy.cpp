#include "frame/copy.h"

#include <cstring>

namespace pixmill {

void copy_forward(uint8_t* dst, const uint8_t* src, int32_t n)
{
    if (n <= 0) return;
    const uintptr_t d = reinterpret_cast<uintptr_t>(dst);
    const uintptr_t s = reinterpret_cast<uintptr_t>(src);
    // A forward copy whose destination lies below its source, or which does
    // not overlap it, gives the bytes of a memory move whatever its block size.
    if (d <= s || d - s >= static_cast<uintptr_t>(n)) {
        std::memmove(dst, src, static_cast<size_t>(n));
        return;
    }
    const int32_t blocks_end = n - n % 8;
    int32_t k = 0;
    for (; k < blocks_end; k += 8) {
        uint32_t word;
        std::memcpy(&word, src + k, 4);
        std::memcpy(dst + k, &word, 4);
        std::memcpy(&word, src + k + 4, 4);
        std::memcpy(dst + k + 4, &word, 4);
    }
    for (; k < n; ++k) dst[k] = src[k];
}

}  // namespace pixmill
