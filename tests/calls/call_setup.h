// Calling any export generically: surfaces described by shape and placed in
// memory the caller chooses, arguments filled by kind from the export table of
// the pixmill tool, and the seven array and library services, which take no
// Surface, behind one small dispatcher of their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "exports.h"
#include "pixmill.h"

namespace pixmill_reliability {

using pixmill_tool::ArgKind;
using pixmill_tool::ArgValue;
using pixmill_tool::ExportEntry;

// How a Surface record reaches its pixels.
enum class Descriptor {
    kTwoDim,      // the usual 1-based two-dimensional array
    kOneDim,      // a one-dimensional array over the same bytes
    kNull,        // the record's Pixels is null
    kNullRecord,  // the Surface pointer itself is null
};

// Width in pixels, rows, and the row length in array elements (bytes for a
// 24-bit surface, pixels for a 32-bit one): the array holds exactly stride x rows.
struct Shape {
    int32_t bits = 32, width = 0, rows = 0, stride = 0;
    Descriptor descriptor = Descriptor::kTwoDim;
};

size_t array_bytes(const Shape& s);
// A shape whose rows are width pixels plus pad elements.
Shape make_shape(int32_t bits, int32_t width, int32_t rows, int32_t pad = 0,
                 Descriptor d = Descriptor::kTwoDim);

// A Surface record and its descriptor over pixel bytes owned elsewhere. On
// Windows the descriptor and its array come from the Automation runtime
// (SafeArrayCreate, SafeArrayAccessData), as a Visual Basic program's ReDim
// makes them, and bind copies the bytes into that array.
class BoundSurface {
public:
    BoundSurface() = default;
    ~BoundSurface() { release(); }
    BoundSurface(const BoundSurface&) = delete;
    BoundSurface& operator=(const BoundSurface&) = delete;

    void bind(const Shape& shape, uint8_t* pixels);
    // Null for a kNullRecord shape.
    Surface* get() { return null_record_ ? nullptr : &surface_; }
    SAFEARRAY* descriptor() { return surface_.Pixels; }
    // The bytes the descriptor reaches (the runtime's array on Windows).
    uint8_t* pixels() const { return pixels_; }

private:
    void release();
#if defined(_WIN32)
    SAFEARRAY* runtime_ = nullptr;
#else
    PixmillArray array_{};
#endif
    Surface surface_{};
    uint8_t* pixels_ = nullptr;
    bool null_record_ = false;
};

// The surfaces a call uses, by the names the export table gives them.
struct Roles {
    Surface *dest = nullptr, *src = nullptr, *mask = nullptr;
};

// Which surfaces an export takes, and the depth each must have.
struct SurfaceNeeds {
    int dest_bits = 0, src_bits = 0, mask_bits = 0;  // 0: not taken
};
SurfaceNeeds surface_needs(const ExportEntry& e);

// The value of a named integer argument in a call that draws over the whole
// of a destination of dest_w x dest_h and a source of src_w x src_h pixels:
// positions 0, sizes the surfaces' sizes, 45 degrees, a ripple amplitude of
// 40, 3 for everything else (colours, alpha, offsets, deltas, passes).
int32_t whole_surface_arg(const std::string& name, int32_t dest_w, int32_t dest_h, int32_t src_w, int32_t src_h);

// Arguments for one call of e: surfaces by role, the out-parameters pointed at
// sums[0..2] in order, every other argument i from value(i).
template <class Value>
std::vector<ArgValue> make_args(const ExportEntry& e, const Roles& r, int32_t* sums, Value&& value)
{
    std::vector<ArgValue> args(e.kinds.size());
    int outs = 0;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& n = e.arg_names[i];
        if (e.kinds[i] == ArgKind::kSurface)
            args[i].surface = n == "dest" ? r.dest : n == "src" ? r.src : r.mask;
        else if (e.kinds[i] == ArgKind::kIntOut)
            args[i].out = sums + outs++;
        else
            args[i] = value(i);
    }
    return args;
}

// ---- the array and library services ------------------------------------
// VBArrayPointerType, VBArrayPointer, mUBOUNDType, mUBOUND, mLBOUND,
// Render_GetInfo, CopyMemoryC, numbered 0..6.
constexpr int kServiceCount = 7;
const char* service_name(int k);

struct ServiceCall {
    SAFEARRAY* array = nullptr;  // the descriptor for the five array services
    int32_t dim = 1;
    int32_t* version = nullptr;  // Render_GetInfo's two buffers (35 characters)
    char* text = nullptr;
    uint8_t* copy_dest = nullptr;  // CopyMemoryC
    const uint8_t* copy_src = nullptr;
    int32_t copy_count = 0;
};
// The service's result widened to 64 bits (CopyMemoryC gives 0). stack4
// (32-bit x86 only): called with the stack pointer at 4 mod 16, as a caller
// that keeps its stack only 4-byte aligned (a classic Visual Basic program)
// may call it, through a small assembly thunk.
int64_t call_service(int k, const ServiceCall& c, bool stack4 = false);
// The table export's call from such a stack.
int32_t invoke_stack4(int table_row, const ArgValue* args);
#if defined(__i386__)
constexpr bool kStack4Calls = true;
#else
constexpr bool kStack4Calls = false;
#endif

// Every export the library has: the table's rows and the services.
inline int export_count() { return static_cast<int>(pixmill_tool::export_table().size()) + kServiceCount; }

}  // namespace pixmill_reliability
