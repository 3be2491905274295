#pragma once

#include <cstdint>

namespace pixmill {

// Copies n bytes forward: 8-byte blocks, each as the 32-bit word at offset 0
// and then the word at offset 4, then the last n mod 8 bytes one at a time.
// Where the destination starts inside the source the block order shows in the
// result (the copy repeats what it has just written); everywhere else this is
// an ordinary copy. n <= 0 copies nothing.
void copy_forward(uint8_t* dst, const uint8_t* src, int32_t n);

}  // namespace pixmill
