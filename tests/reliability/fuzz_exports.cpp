// Fuzz target: one call of one export, on surfaces whose arrays are allocated
// exactly to their descriptors, so AddressSanitizer stops any byte read or
// written outside them.
//
// Input layout (a short input reads as zeros past its end):
//   byte 0               which export (the table's rows, then the services)
//   per surface taken    descriptor/sharing byte, width, rows, padding, fill
//   per other argument   a selector byte, then the bytes the selector needs
// Arguments lean towards the edges: 0, +-1, the surfaces' sizes and their
// neighbours, INT32_MIN, INT32_MAX, NaN and infinities.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "call_setup.h"

using namespace pixmill_reliability;

namespace {

class Input {
public:
    Input(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}
    uint8_t u8() { return p_ < end_ ? *p_++ : 0; }
    uint32_t u32()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(u8()) << (8 * i);
        return v;
    }

private:
    const uint8_t* p_;
    const uint8_t* end_;
};

// A size from 0 to a few hundred, mostly small.
int32_t read_size(Input& in)
{
    const uint8_t b = in.u8();
    if (b < 224) return b % 12;
    return (b - 224) * 10 + in.u8() % 10;  // up to 319
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
        Descriptor d = Descriptor::kTwoDim;
        switch (kind % 16) {
        case 12: d = Descriptor::kOneDim; break;
        case 13: d = Descriptor::kNull; break;
        case 14: d = Descriptor::kNullRecord; break;
        default: break;
        }
        shape = make_shape(bits, width, rows, pad, d);
        if (kind % 16 == 15) shape.width = -width;  // a negative Width over the same array
        const size_t n = array_bytes(shape);
        bytes.reset(new uint8_t[n]);
        // Pixel bytes from a small generator; every fourth byte (alpha in a
        // 32-bit surface) often 0 or 255 so both ends of the blends run.
        uint32_t x = in.u8() * 2654435761u + 1;
        for (size_t i = 0; i < n; i += 4) {
            x = x * 1103515245u + 12345u;
            uint8_t v[4] = {static_cast<uint8_t>(x >> 8), static_cast<uint8_t>(x >> 16),
                            static_cast<uint8_t>(x >> 24), static_cast<uint8_t>(x >> 19)};
            if ((x & 0xC0) != 0) v[3] = x & 0x20 ? 255 : 0;
            std::memcpy(&bytes[i], v, n - i < 4 ? n - i : 4);
        }
        bound.bind(shape, bytes.get());
    }
};

int32_t edge_int(Input& in, const Shape* const* shapes)
{
    const uint8_t sel = in.u8();
    const Shape& a = *shapes[(sel >> 6) & 1];  // dest's sizes or the other surface's
    switch (sel % 32) {
    case 0: return 0;
    case 1: return 1;
    case 2: return -1;
    case 3: return 2;
    case 4: return -2;
    case 5: return a.width;
    case 6: return a.rows;
    case 7: return a.width - 1;
    case 8: return a.rows - 1;
    case 9: return a.width + 1;
    case 10: return a.rows + 1;
    case 11: return -a.width;
    case 12: return -a.rows;
    case 13: return std::numeric_limits<int32_t>::min();
    case 14: return std::numeric_limits<int32_t>::max();
    case 15: return std::numeric_limits<int32_t>::min() + 1;
    case 16: return std::numeric_limits<int32_t>::max() - 1;
    case 17: return 255;
    case 18: return 256;
    case 19: return -255;
    case 20: return 100;
    case 21: return a.stride;
    // (a Width may be negative: wrap rather than overflow)
    case 22: return static_cast<int32_t>(0x7FFFFFFFu - static_cast<uint32_t>(a.width));
    case 23: return static_cast<int32_t>(0x80000000u + static_cast<uint32_t>(a.rows));
    case 24:
    case 25:
    case 26: return static_cast<int8_t>(in.u8());
    case 27: return static_cast<int16_t>(in.u8() | in.u8() << 8);
    default: return static_cast<int32_t>(in.u32());
    }
}

float edge_float(Input& in)
{
    const uint8_t sel = in.u8();
    switch (sel % 16) {
    case 0: return 0.0f;
    case 1: return -0.0f;
    case 2: return 1.0f;
    case 3: return -1.0f;
    case 4: return std::numeric_limits<float>::quiet_NaN();
    case 5: return std::numeric_limits<float>::infinity();
    case 6: return -std::numeric_limits<float>::infinity();
    case 7: return std::numeric_limits<float>::max();
    case 8: return -std::numeric_limits<float>::max();
    case 9: return std::numeric_limits<float>::denorm_min();
    case 10: return 1e10f;
    case 11: return -1e10f;
    case 12: return static_cast<float>(static_cast<int8_t>(in.u8())) / 16.0f;
    default: {
        const uint32_t bits = in.u32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    }
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    const auto& table = pixmill_tool::export_table();
    const int pick = in.u8() % export_count();
    if (pick >= static_cast<int>(table.size())) {
        fuzz_service(pick - static_cast<int>(table.size()), in);
        return 0;
    }
    const ExportEntry& e = table[pick];
    const SurfaceNeeds needs = surface_needs(e);

    FuzzSurface dest, src, mask;
    Roles roles;
    const Shape* shapes[2] = {&dest.shape, &dest.shape};
    if (needs.dest_bits != 0) {
        dest.make(in, needs.dest_bits, in.u8());
        roles.dest = dest.bound.get();
    }
    if (needs.src_bits != 0) {
        const uint8_t kind = in.u8();
        // Source and destination the same surface, when the depths allow it.
        if (kind >= 0xC0 && needs.src_bits == needs.dest_bits) {
            roles.src = roles.dest;
        } else {
            src.make(in, needs.src_bits, kind);
            roles.src = src.bound.get();
            shapes[1] = &src.shape;
        }
    }
    if (needs.mask_bits != 0) {
        mask.make(in, needs.mask_bits, in.u8());
        roles.mask = mask.bound.get();
        if (needs.src_bits == 0) shapes[1] = &mask.shape;
    }

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
