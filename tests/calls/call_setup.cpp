#include "call_setup.h"

namespace pixmill_reliability {

size_t array_bytes(const Shape& s)
{
    if (s.stride <= 0 || s.rows <= 0) return 0;
    const size_t elem = s.bits == 32 ? 4 : 1;
    return elem * static_cast<size_t>(s.stride) * static_cast<size_t>(s.rows);
}

Shape make_shape(int32_t bits, int32_t width, int32_t rows, int32_t pad, Descriptor d)
{
    return Shape{bits, width, rows, (bits == 32 ? width : 3 * width) + pad, d};
}

void BoundSurface::bind(const Shape& shape, uint8_t* pixels)
{
    null_record_ = shape.descriptor == Descriptor::kNullRecord;
    array_ = PixmillArray{};
    array_.desc.cbElements = shape.bits == 32 ? 4 : 1;
    array_.desc.pvData = pixels;
    surface_.Width = shape.width;
    surface_.Reserved = 0;
    surface_.Pixels = &array_.desc;
    switch (shape.descriptor) {
    case Descriptor::kTwoDim:
    case Descriptor::kNullRecord:
        array_.desc.cDims = 2;
        array_.desc.rgsabound[0] = {static_cast<uint32_t>(shape.rows), 1};  // rows: stored first
        array_.row_bound = {static_cast<uint32_t>(shape.stride), 1};
        break;
    case Descriptor::kOneDim:
        // The same bytes seen as one long row of stride x rows elements.
        array_.desc.cDims = 1;
        array_.desc.rgsabound[0] = {static_cast<uint32_t>(shape.stride) * static_cast<uint32_t>(shape.rows), 1};
        break;
    case Descriptor::kNull: surface_.Pixels = nullptr; break;
    }
}

SurfaceNeeds surface_needs(const ExportEntry& e)
{
    SurfaceNeeds n;
    for (size_t i = 0; i < e.kinds.size(); ++i) {
        if (e.kinds[i] != ArgKind::kSurface) continue;
        const std::string& name = e.arg_names[i];
        const int fixed = pixmill_tool::required_bits(e.name, name);
        (name == "dest" ? n.dest_bits : name == "src" ? n.src_bits : n.mask_bits) = fixed != 0 ? fixed : 32;
    }
    return n;
}

int32_t whole_surface_arg(const std::string& name, int32_t dest_w, int32_t dest_h, int32_t src_w, int32_t src_h)
{
    if (name == "w" || name == "dw") return dest_w;
    if (name == "h" || name == "dh") return dest_h;
    if (name == "sw") return src_w;
    if (name == "sh") return src_h;
    for (const char* position : {"x", "y", "dx", "dy", "sx", "sy", "maskX", "maskY"})
        if (name == position) return 0;
    if (name == "angle") return 45;
    if (name == "amplitude") return 40;  // offsets of up to 8 pixels across, 5 down
    return 3;
}

const char* service_name(int k)
{
    static const char* const names[kServiceCount] = {"VBArrayPointerType", "VBArrayPointer", "mUBOUNDType",
                                                     "mUBOUND",            "mLBOUND",        "Render_GetInfo",
                                                     "CopyMemoryC"};
    return names[k];
}

int64_t call_service(int k, const ServiceCall& c)
{
    SAFEARRAY* a = c.array;
    switch (k) {
    case 0: return VBArrayPointerType(a);
    case 1: return VBArrayPointer(&a);
    case 2: return mUBOUNDType(a, c.dim);
    case 3: return mUBOUND(&a, c.dim);
    case 4: return mLBOUND(&a, c.dim);
    case 5: return Render_GetInfo(c.version, c.text);
    default: CopyMemoryC(c.copy_dest, c.copy_src, c.copy_count); return 0;
    }
}

}  // namespace pixmill_reliability
