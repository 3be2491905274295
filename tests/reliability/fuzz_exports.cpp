// Fuzz target: one call of one export, on surfaces whose arrays are allocated
// exactly to their descriptors, so AddressSanitizer stops any byte read or
// written outside them. Surfaces are small (an occasional one up to 75
// pixels a side) and each export's surface depths are worked out once, so a
// call costs little more than the export itself.
//
// Input layout (a short input reads as zeros past its end):
//   byte 0               which export (the table's rows, then the services)
//   per surface taken    descriptor/sharing byte, width, rows, padding, fill
//   per other argument   a selector byte, then the bytes the selector needs
// Arguments lean towards the edges: 0, +-1, the surfaces' sizes and their
// neighbours, INT32_MIN, INT32_MAX, NaN and infinities.
#include "guard_page.h"

using namespace pixmill_reliability;

namespace {

struct Input {
    const uint8_t* p;
    const uint8_t* end;
    uint8_t u8() { return p < end ? *p++ : 0; }
    uint32_t u32()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(u8()) << (8 * i);
        return v;
    }
};

// A size from 0 to 75, mostly below 12.
int32_t read_size(Input& in)
{
    const uint8_t b = in.u8();
    return b < 224 ? b % 12 : 12 + (b - 224) * 2 + in.u8() % 2;
}

// Pixel bytes from a small generator; every fourth byte (alpha in a 32-bit
// surface) often 0 or 255 so both ends of the blends run. Left out of the
// fuzzer's coverage: its branches say nothing about the library.
#if defined(__clang__)
__attribute__((no_sanitize("coverage")))
#endif
void fill(uint8_t* bytes, size_t n, uint32_t x)
{
    for (size_t i = 0; i < n; i += 4) {
        x = x * 1103515245u + 12345u;
        const uint32_t alpha = (x & 0xC0) == 0 ? (x >> 19) & 0xFF : x & 0x20 ? 255 : 0;
        const uint32_t v = (x >> 8 & 0xFFFFFF) | alpha << 24;
        for (size_t j = 0; j < 4 && i + j < n; ++j) bytes[i + j] = static_cast<uint8_t>(v >> 8 * j);
    }
}

// A surface the input describes, its array allocated on its own.
struct FuzzSurface {
    Shape shape;
    std::unique_ptr<uint8_t[]> bytes;
    BoundSurface bound;

    void make(Input& in, int bits, uint8_t kind)
    {
        const int32_t width = read_size(in), rows = read_size(in);
        const int32_t pad = in.u8() % 8;
        const int k = kind % 16;  // 12 to 15: odd descriptors, or a negative Width over the same array
        shape = make_shape(bits, width, rows, pad,
                           k == 12 ? Descriptor::kOneDim
                           : k == 13 ? Descriptor::kNull
                           : k == 14 ? Descriptor::kNullRecord
                                     : Descriptor::kTwoDim);
        if (k == 15) shape.width = -width;
        const size_t n = array_bytes(shape);
        bytes.reset(new uint8_t[n]);
        fill(bytes.get(), n, in.u8() * 2654435761u + 1);
        bound.bind(shape, bytes.get());
    }
};

// An edge value (guard_page.h) or a few bytes of the input, by a selector
// byte; integers around dest's sizes or the other surface's.
int32_t edge_int(Input& in, const Shape* const* shapes)
{
    const uint8_t sel = in.u8();
    const int k = sel % 32;
    if (k < kEdgeInts) return pixmill_reliability::edge_int(k, *shapes[(sel >> 6) & 1]);
    if (k < 27) return static_cast<int8_t>(in.u8());
    if (k == 27) return static_cast<int16_t>(in.u8() | in.u8() << 8);
    return static_cast<int32_t>(in.u32());
}

float edge_float(Input& in)
{
    const uint8_t sel = in.u8();
    if (sel % 16 < kEdgeFloats) return pixmill_reliability::edge_float(sel % 16);
    if (sel % 16 == 12) return static_cast<float>(static_cast<int8_t>(in.u8())) / 16.0f;
    const uint32_t bits = in.u32();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

void fuzz_service(int k, Input& in)
{
    ServiceCall c;
    FuzzSurface s;
    s.make(in, 32, in.u8());
    c.array = s.bound.get() != nullptr ? s.bound.descriptor() : nullptr;
    const Shape* sizes[2] = {&s.shape, &s.shape};
    c.dim = edge_int(in, sizes);
    int32_t version = 0;
    std::unique_ptr<char[]> text(new char[35]);  // exactly the description's length
    c.version = &version;
    c.text = text.get();
    // A copy within one array, possibly overlapping either way.
    const size_t n = array_bytes(s.shape);
    if (n > 0) {
        const size_t from = in.u32() % n, to = in.u32() % n;
        const size_t room = n - (from > to ? from : to);
        c.copy_src = s.bytes.get() + from;
        c.copy_dest = s.bytes.get() + to;
        const int32_t wanted = static_cast<int32_t>(in.u32());
        c.copy_count = wanted <= 0 ? wanted : static_cast<int32_t>(static_cast<uint32_t>(wanted) % (room + 1));
    }
    call_service(k, c);
}

// The depths of the surfaces each export takes, worked out once.
const SurfaceNeeds& needs_of(int row)
{
    static const std::vector<SurfaceNeeds> all = [] {
        std::vector<SurfaceNeeds> v;
        for (const ExportEntry& e : pixmill_tool::export_table()) v.push_back(surface_needs(e));
        return v;
    }();
    return all[row];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in{data, data + size};
    const auto& table = pixmill_tool::export_table();
    const int pick = in.u8() % export_count();
    if (pick >= static_cast<int>(table.size())) {
        fuzz_service(pick - static_cast<int>(table.size()), in);
        return 0;
    }
    const ExportEntry& e = table[pick];
    const SurfaceNeeds& needs = needs_of(pick);

    FuzzSurface dest, src, mask;
    const Shape* shapes[2] = {&dest.shape, &dest.shape};  // the sizes edge values lean on
    if (needs.dest_bits != 0) dest.make(in, needs.dest_bits, in.u8());
    // Source and destination the same surface, when the depths allow it.
    const uint8_t src_kind = needs.src_bits != 0 ? in.u8() : 0;
    const bool same = src_kind >= 0xC0 && needs.src_bits == needs.dest_bits;
    if (needs.src_bits != 0 && !same) {
        src.make(in, needs.src_bits, src_kind);
        shapes[1] = &src.shape;
    }
    if (needs.mask_bits != 0) {
        mask.make(in, needs.mask_bits, in.u8());
        if (needs.src_bits == 0) shapes[1] = &mask.shape;
    }
    const Roles roles{dest.bound.get(), same ? dest.bound.get() : src.bound.get(), mask.bound.get()};

    int32_t sums[3] = {0, 0, 0};
    const std::vector<ArgValue> args = make_args(e, roles, sums, [&](size_t i) {
        ArgValue v;
        if (e.kinds[i] == ArgKind::kFloat)
            v.real = edge_float(in);
        else
            v.integer = edge_int(in, shapes);
        return v;
    });
    if (e.invoke(args.data()) != 0) std::abort();  // every drawing export returns 0
    return 0;
}
