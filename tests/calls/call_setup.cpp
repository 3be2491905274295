#include "call_setup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <type_traits>

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
    release();
    null_record_ = shape.descriptor == Descriptor::kNullRecord;
    pixels_ = pixels;
    surface_.Width = shape.width;
    surface_.Reserved = 0;
    const bool one_dim = shape.descriptor == Descriptor::kOneDim;
    // Dimension 1 (the row) and dimension 2 (the rows), or one long row of
    // stride x rows elements over the same bytes; stored last dimension first.
    const uint32_t row = static_cast<uint32_t>(shape.stride), rows = static_cast<uint32_t>(shape.rows);
#if defined(_WIN32)
    surface_.Pixels = nullptr;
    if (shape.descriptor == Descriptor::kNull) return;
    SAFEARRAYBOUND bounds[2] = {{one_dim ? row * rows : row, 1}, {rows, 1}};
    runtime_ = SafeArrayCreate(shape.bits == 32 ? VT_I4 : VT_UI1, one_dim ? 1 : 2, bounds);
    void* data = nullptr;
    if (runtime_ == nullptr || FAILED(SafeArrayAccessData(runtime_, &data))) {
        std::fprintf(stderr, "SafeArrayCreate failed for %u x %u elements\n", row, rows);
        std::exit(2);
    }
    if (array_bytes(shape) > 0) std::memcpy(data, pixels, array_bytes(shape));
    pixels_ = static_cast<uint8_t*>(data);
    surface_.Pixels = runtime_;
}

void BoundSurface::release()
{
    if (runtime_ == nullptr) return;
    SafeArrayUnaccessData(runtime_);
    SafeArrayDestroy(runtime_);
    runtime_ = nullptr;
}
#else
    array_ = PixmillArray{};
    array_.desc.cbElements = shape.bits == 32 ? 4 : 1;
    array_.desc.pvData = pixels;
    array_.desc.cDims = one_dim ? 1 : 2;
    array_.desc.rgsabound[0] = {one_dim ? row * rows : rows, 1};
    if (!one_dim) array_.row_bound = {row, 1};
    surface_.Pixels = shape.descriptor == Descriptor::kNull ? nullptr : &array_.desc;
}

void BoundSurface::release() {}
#endif

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

#if defined(__i386__)
// fn(args[0..15]) with the stack pointer at 4 mod 16 at the call; fn takes
// what it needs of the 16 words and removes them itself (stdcall).
extern "C" uint32_t pixmill_call_stack4(void (*fn)(), const uint32_t* args) asm("pixmill_call_stack4");
asm(R"(
    .text
    .globl pixmill_call_stack4
pixmill_call_stack4:
    pushl %ebp; movl %esp, %ebp; pushl %esi; pushl %edi
    subl $80, %esp; andl $-16, %esp; addl $4, %esp
    movl 12(%ebp), %esi; movl %esp, %edi; movl $16, %ecx; cld; rep movsl
    call *8(%ebp)
    leal -8(%ebp), %esp; popl %edi; popl %esi; popl %ebp; ret
)");
#endif

namespace {

template <class T>
uint32_t word(T v)
{
    static_assert(sizeof(T) == 4, "every argument is 4 bytes on 32-bit x86");
    uint32_t w;
    std::memcpy(&w, &v, 4);
    return w;
}

template <class T>
struct Same {
    using type = T;
};

// f(a...), directly or (32-bit x86, stack4) through the thunk.
template <class R, class... A>
int64_t call([[maybe_unused]] bool stack4, R(PIXMILL_CALL* f)(A...), typename Same<A>::type... a)
{
#if defined(__i386__)
    if (stack4) {
        const uint32_t words[16] = {word(a)...};
        const auto r = static_cast<int32_t>(pixmill_call_stack4(reinterpret_cast<void (*)()>(f), words));
        return std::is_void_v<R> ? 0 : r;
    }
#endif
    if constexpr (std::is_void_v<R>) {
        f(a...);
        return 0;
    } else {
        return f(a...);
    }
}

}  // namespace

int64_t call_service(int k, const ServiceCall& c, bool stack4)
{
    SAFEARRAY* a = c.array;
    switch (k) {
    case 0: return call(stack4, VBArrayPointerType, a);
    case 1: return call(stack4, VBArrayPointer, &a);
    case 2: return call(stack4, mUBOUNDType, a, c.dim);
    case 3: return call(stack4, mUBOUND, &a, c.dim);
    case 4: return call(stack4, mLBOUND, &a, c.dim);
    case 5: return call(stack4, Render_GetInfo, c.version, c.text);
    default: return call(stack4, CopyMemoryC, c.copy_dest, c.copy_src, c.copy_count);
    }
}

int32_t invoke_stack4(int table_row, const ArgValue* args)
{
    const ExportEntry& e = pixmill_tool::export_table()[table_row];
#if defined(__i386__)
    static void (*const rows[])() = {
#define PIXMILL_EXPORT_ROW(fn, names) reinterpret_cast<void (*)()>(&fn),
#include "export_table.inc"
#undef PIXMILL_EXPORT_ROW
    };
    uint32_t words[16] = {};
    for (size_t i = 0; i < e.kinds.size(); ++i) {
        const ArgValue& v = args[i];
        const ArgKind k = e.kinds[i];
        words[i] = k == ArgKind::kSurface ? word(v.surface)
                   : k == ArgKind::kInt   ? word(v.integer)
                   : k == ArgKind::kFloat ? word(v.real)
                                          : word(v.out);
    }
    return static_cast<int32_t>(pixmill_call_stack4(rows[table_row], words));
#else
    return e.invoke(args);
#endif
}

}  // namespace pixmill_reliability
