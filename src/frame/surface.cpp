#include "frame/surface.h"

#include <cstdint>

namespace pixmill {

namespace {

// Bound record of dimension dim, or null. The bounds are stored last
// dimension first, so dimension dim is entry cDims - dim.
const SAFEARRAYBOUND* bound_of(const SAFEARRAY* psa, int32_t dim)
{
    if (psa == nullptr) return nullptr;
    const int32_t dims = static_cast<int16_t>(psa->cDims);
    if (dims < dim || dim < 1) return nullptr;
    return psa->rgsabound + (dims - dim);
}

}  // namespace

int32_t upper_bound(const SAFEARRAY* psa, int32_t dim)
{
    const SAFEARRAYBOUND* b = bound_of(psa, dim);
    if (b == nullptr) return -1;
    return static_cast<int32_t>(static_cast<uint32_t>(b->lLbound) + b->cElements - 1u);
}

int32_t lower_bound(const SAFEARRAY* psa, int32_t dim)
{
    const SAFEARRAYBOUND* b = bound_of(psa, dim);
    return b == nullptr ? -1 : b->lLbound;
}

SurfaceView read_surface(const Surface* s, PixelFormat format)
{
    SurfaceView v;
    v.bpp = format;
    if (s == nullptr) {
        v.data = reinterpret_cast<uint8_t*>(static_cast<intptr_t>(-1));
        return v;
    }
    const SAFEARRAY* psa = s->Pixels;
    v.width = s->Width;
    v.data = reinterpret_cast<uint8_t*>(psa == nullptr ? static_cast<intptr_t>(-1)
                                                       : reinterpret_cast<intptr_t>(psa->pvData));
    v.stride = upper_bound(psa, 1);
    v.rows = upper_bound(psa, 2);
    const int64_t stride_bytes = format == kBgra32 ? 4 * static_cast<int64_t>(v.stride) : v.stride;
    if (stride_bytes > PTRDIFF_MAX || stride_bytes < PTRDIFF_MIN) {
        // No array this process could hold has such rows: read it as one
        // without rows, which every clip rejects.
        v.rows = -1;
        return v;
    }
    v.stride_bytes = static_cast<ptrdiff_t>(stride_bytes);
    return v;
}

}  // namespace pixmill
