// The array services a Visual Basic program calls to learn an array's data
// pointer and bounds.
#include "frame/surface.h"

namespace {

intptr_t data_pointer(const SAFEARRAY* psa)
{
    return psa == nullptr ? static_cast<intptr_t>(-1) : reinterpret_cast<intptr_t>(psa->pvData);
}

// The descriptor a by-reference array argument refers to. A null reference is
// treated as a null descriptor rather than followed.
const SAFEARRAY* deref(SAFEARRAY** ppsa)
{
    return ppsa == nullptr ? nullptr : *ppsa;
}

}  // namespace

extern "C" {

intptr_t PIXMILL_CALL VBArrayPointerType(SAFEARRAY* psa)
{
    return data_pointer(psa);
}

intptr_t PIXMILL_CALL VBArrayPointer(SAFEARRAY** ppsa)
{
    return data_pointer(deref(ppsa));
}

int32_t PIXMILL_CALL mUBOUNDType(SAFEARRAY* psa, int32_t dim)
{
    return pixmill::upper_bound(psa, dim);
}

int32_t PIXMILL_CALL mUBOUND(SAFEARRAY** ppsa, int32_t dim)
{
    return pixmill::upper_bound(deref(ppsa), dim);
}

int32_t PIXMILL_CALL mLBOUND(SAFEARRAY** ppsa, int32_t dim)
{
    return pixmill::lower_bound(deref(ppsa), dim);
}

}  // extern "C"
