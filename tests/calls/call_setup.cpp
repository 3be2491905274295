#include "call_setup.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

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

#if defined(_WIN32)
void BoundSurface::bind(const Shape& shape, uint8_t* pixels)
{
    release();
    null_record_ = shape.descriptor == Descriptor::kNullRecord;
    surface_.Width = shape.width;
    surface_.Reserved = 0;
    surface_.Pixels = nullptr;
    pixels_ = pixels;
    if (shape.descriptor == Descriptor::kNull) return;
    // Dimension 1 (the row) listed first, as declared; the runtime stores it last.
    SAFEARRAYBOUND bounds[2] = {{static_cast<ULONG>(shape.stride), 1}, {static_cast<ULONG>(shape.rows), 1}};
    if (shape.descriptor == Descriptor::kOneDim) bounds[0].cElements *= static_cast<ULONG>(shape.rows);
    runtime_ = SafeArrayCreate(shape.bits == 32 ? VT_I4 : VT_UI1, shape.descriptor == Descriptor::kOneDim ? 1 : 2,
                               bounds);
    void* data = nullptr;
    if (runtime_ == nullptr || FAILED(SafeArrayAccessData(runtime_, &data))) {
        std::fprintf(stderr, "SafeArrayCreate failed for a %dx%d %d-bit array\n", shape.stride, shape.rows,
                     shape.bits);
        std::exit(2);
    }
    const size_t n = array_bytes(shape);
    if (n > 0) std::memcpy(data, pixels, n);
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
void BoundSurface::bind(const Shape& shape, uint8_t* pixels)
{
    null_record_ = shape.descriptor == Descriptor::kNullRecord;
    pixels_ = pixels;
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

#if defined(__i386__)
// fn(args[0..count-1]), each argument 4 bytes, called with the stack pointer
// at 4 mod 16 at the call; the callee removes its arguments (stdcall).
extern "C" uint32_t pixmill_call_stack4(void (*fn)(), const uint32_t* args, int32_t count) asm("pixmill_call_stack4");
asm(R"(
    .text
    .globl pixmill_call_stack4
pixmill_call_stack4:
    pushl %ebp
    movl %esp, %ebp
    pushl %esi
    pushl %edi
    movl 12(%ebp), %esi
    movl 16(%ebp), %ecx
    leal 0(,%ecx,4), %edx
    movl %esp, %edi
    subl %edx, %edi
    subl $16, %edi
    andl $-16, %edi
    addl $4, %edi
    movl %edi, %esp
    cld
    rep movsl
    call *8(%ebp)
    leal -8(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebp
    ret
)");

namespace {

using Fn = void (*)();
const Fn kRows[] = {
#define PIXMILL_EXPORT_ROW(fn, names) reinterpret_cast<Fn>(&fn),
#include "export_table.inc"
#undef PIXMILL_EXPORT_ROW
};

template <class T>
uint32_t word(T v)
{
    static_assert(sizeof(T) == 4, "every argument is 4 bytes on 32-bit x86");
    uint32_t w;
    std::memcpy(&w, &v, 4);
    return w;
}

}  // namespace

int32_t invoke_stack4(int table_row, const ArgValue* args)
{
    const ExportEntry& e = pixmill_tool::export_table()[table_row];
    uint32_t words[16];
    for (size_t i = 0; i < e.kinds.size(); ++i) {
        const ArgValue& a = args[i];
        switch (e.kinds[i]) {
        case ArgKind::kSurface: words[i] = word(a.surface); break;
        case ArgKind::kInt: words[i] = word(a.integer); break;
        case ArgKind::kFloat: words[i] = word(a.real); break;
        case ArgKind::kIntOut: words[i] = word(a.out); break;
        }
    }
    return static_cast<int32_t>(pixmill_call_stack4(kRows[table_row], words, static_cast<int32_t>(e.kinds.size())));
}

int64_t call_service_stack4(int k, const ServiceCall& c)
{
    SAFEARRAY* a = c.array;
    const uint32_t words[3][3] = {{word(a), word(c.dim)},
                                  {word(&a), word(c.dim)},
                                  {word(c.copy_dest), word(c.copy_src), word(c.copy_count)}};
    const Fn fns[kServiceCount] = {reinterpret_cast<Fn>(&VBArrayPointerType), reinterpret_cast<Fn>(&VBArrayPointer),
                                   reinterpret_cast<Fn>(&mUBOUNDType),        reinterpret_cast<Fn>(&mUBOUND),
                                   reinterpret_cast<Fn>(&mLBOUND),            reinterpret_cast<Fn>(&Render_GetInfo),
                                   reinterpret_cast<Fn>(&CopyMemoryC)};
    const uint32_t info[2] = {word(c.version), word(c.text)};
    // Arguments: the descriptor or its address, then the dimension; the info
    // buffers; the copy's three.
    const uint32_t* args = k == 5 ? info : k == 6 ? words[2] : words[k == 0 || k == 2 ? 0 : 1];
    const int32_t count = k == 0 || k == 1 ? 1 : k == 6 ? 3 : 2;
    const auto r = static_cast<int32_t>(pixmill_call_stack4(fns[k], args, count));
    return k == 6 ? 0 : r;
}
#else
int32_t invoke_stack4(int, const ArgValue*) { std::abort(); }
int64_t call_service_stack4(int, const ServiceCall&) { std::abort(); }
#endif

}  // namespace pixmill_reliability
