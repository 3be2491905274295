// Version query and the memory copy offered to Visual Basic code.
#include <cstring>

#include "frame/copy.h"
#include "pixmill.h"

namespace {

const char kDescription[] = "Pixmill v1.01 based. Alpha Edition.";
constexpr int32_t kVersion = 100;

}  // namespace

extern "C" {

int32_t PIXMILL_CALL Render_GetInfo(int32_t* version, char* text)
{
    *version = kVersion;
    // The terminating zero stays behind: a 35-character Visual Basic string
    // receives exactly the text.
    std::memcpy(text, kDescription, sizeof kDescription - 1);
    return 0;
}

void PIXMILL_CALL CopyMemoryC(void* dest, const void* src, int32_t count)
{
    pixmill::copy_forward(static_cast<uint8_t*>(dest), static_cast<const uint8_t*>(src), count);
}

}  // extern "C"
