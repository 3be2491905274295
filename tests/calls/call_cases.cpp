#include "call_cases.h"

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

namespace pixmill_reliability {

namespace {

constexpr int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
const int32_t kEdges[] = {0, -1, 1, kMin, kMax, kMin + 1, 255, 256, 254, -255, -256, 300, -300, 40000, -40000};
const int32_t kAngles[] = {0, 30, 45, 90, -45, 180, 359, 360, 7, 100000};
const float kInf = std::numeric_limits<float>::infinity();
const float kFactors[] = {0.0f, -0.0f, 1.0f, -1.0f, 1.5f, 0.5f, 2.0f, 1e-30f, 1e30f, kInf, -kInf,
                          std::numeric_limits<float>::quiet_NaN(), FLT_MAX, -FLT_MAX, FLT_MIN, 0x1p-149f,
                          256.0f, -256.0f, 255.99998f, 257.0f, 0x1p-24f, 0x1p-31f, 1.0f / 3.0f, 1.0f / 127.0f};

int32_t pick(std::mt19937& rng, int32_t lo, int32_t hi)
{
    return lo + static_cast<int32_t>(rng() % static_cast<uint32_t>(hi - lo + 1));
}

template <class T, size_t N>
T any_of(const T (&table)[N], std::mt19937& rng)
{
    return table[rng() % N];
}

bool named(const std::string& n, std::initializer_list<const char*> names)
{
    for (const char* s : names)
        if (n == s) return true;
    return false;
}

// An integer argument by what its name says it is, now and then an edge
// value instead; extent is the width or row count a position or size spans.
int32_t case_int(const std::string& n, int32_t extent, std::mt19937& rng)
{
    if (rng() % 10 == 0) return any_of(kEdges, rng);
    // Positions and sizes: whole surfaces, parts of them, clipped ones, one pixel and empty rectangles.
    const uint32_t r = rng() % 8;
    if (named(n, {"x", "y", "dx", "dy", "sx", "sy", "maskX", "maskY"}))
        return r < 3 ? 0 : r < 6 ? pick(rng, 0, extent / 2) : pick(rng, -4, extent);
    if (named(n, {"w", "h", "dw", "dh", "sw", "sh"}))
        return r < 3 ? extent + pick(rng, 0, 4) : r < 7 ? pick(rng, 2, extent + 4) : pick(rng, 0, 1);
    if (n == "angle") return rng() % 2 ? any_of(kAngles, rng) : pick(rng, -720, 720);
    if (n.find("Offset") != n.npos || n.find("elta") != n.npos) return pick(rng, -300, 300);
    if (named(n, {"amplitude", "spread", "passes"})) return pick(rng, 0, 40);
    return rng() % 2 ? 255 * pick(rng, 0, 1) : pick(rng, 0, 255);  // alpha values
}

// A contrast factor: a table's, a random one, a whole number or a step
// beside one (the products with byte differences land a step beside whole
// numbers, where truncation turns).
float case_float(std::mt19937& rng)
{
    const float whole = static_cast<float>(pick(rng, -130, 130));
    switch (rng() % 4) {
        case 0: return any_of(kFactors, rng);
        case 1: return std::uniform_real_distribution<float>(-3.0f, 3.0f)(rng);
        case 2: return std::nextafter(whole, 0.0f);
    }
    return rng() % 2 ? whole : std::nextafter(whole, whole * kInf);
}

// A source size from a destination size: 1:1, halved, doubled, just off a
// simple ratio, shrunk past what one vector window holds, strongly enlarged.
int32_t scaled(int32_t d, std::mt19937& rng)
{
    const int32_t sizes[] = {d, d / 2, 2 * d, d * 7 / 10, 3 * d + 1, pick(rng, 1, 3)};
    return any_of(sizes, rng);
}

Shape case_shape(std::mt19937& rng, int bits, Widths widths)
{
    // Wide: a quarter of the surfaces are taller, for calls large enough that the kernels turn to tables.
    const bool wide = widths == Widths::kWide, rows = wide && rng() % 4 == 0;
    return make_shape(bits, pick(rng, 1, rows ? 64 : wide ? 300 : 40), pick(rng, 1, rows ? 40 : wide ? 4 : 30),
                      pick(rng, 0, 3));
}

void fill(std::vector<uint8_t>& bytes, const Shape& s, int style, uint32_t seed)
{
    std::mt19937 rng(seed);
    const size_t bpp = s.bits == 32 ? 4 : 3, row = bytes.size() / static_cast<size_t>(s.rows > 0 ? s.rows : 1);
    uint8_t shade = 0;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % row % bpp == 0) shade = rng() % 2 ? 255 : 0;  // black or white pixels
        uint8_t b = static_cast<uint8_t>(rng());
        if (style == 1 && rng() % 8) b = shade;
        if (style >= 2 && i % row % bpp == bpp - 1 && rng() % 16) b = style == 2 ? 0 : 255;
        bytes[i] = b;
    }
}

bool has(const std::string& name, std::initializer_list<const char*> parts)
{
    for (const char* p : parts)
        if (name.find(p) != name.npos) return true;
    return false;
}

}  // namespace

std::vector<CallCase> make_cases(int per_export, uint32_t seed, Widths widths)
{
    std::mt19937 rng(seed);
    const auto& table = pixmill_tool::export_table();
    std::vector<CallCase> cases;
    for (int k = 0; k < export_count(); ++k) {
        const bool service = k >= static_cast<int>(table.size());
        const std::string name = service ? "" : table[k].name;
        // More cases where the vector code has rare paths.
        const int weight = has(name, {"Contrast", "Gamma", "HLS", "Stretch", "Rotate"}) ? 4
                           : has(name, {"TColor", "Alpha", "Mask", "BitBlt"})          ? 2
                                                                                       : 1;
        for (int n = 0; n < per_export * weight; ++n) {
            CallCase c;
            c.export_index = k;
            c.fill_seed = static_cast<uint32_t>(rng());
            c.fill_style = pick(rng, 0, 3);
            if (service) {
                c.dest = case_shape(rng, 32, Widths::kSmall);
                c.ints = {rng() % 6 ? pick(rng, -1, 4) : any_of(kEdges, rng)};  // a dimension for the bound queries
                cases.push_back(c);
                continue;
            }
            const ExportEntry& e = table[k];
            const SurfaceNeeds needs = surface_needs(e);
            c.dest = case_shape(rng, needs.dest_bits, widths);
            if (needs.src_bits != 0) {
                // A quarter of the calls on one surface, half of the stretches.
                c.same_surface = needs.src_bits == needs.dest_bits && rng() % (has(name, {"Stretch"}) ? 2 : 4) == 0;
                c.src = case_shape(rng, needs.src_bits, widths);
            }
            if (needs.mask_bits != 0) c.mask = case_shape(rng, needs.mask_bits, widths);
            const Shape& src = c.same_surface ? c.dest : c.src;
            const size_t args = e.kinds.size();
            c.ints.resize(args);
            c.floats.resize(args);
            auto at = [&](const char* arg) -> int32_t* {
                for (size_t i = 0; i < args; ++i)
                    if (e.arg_names[i] == arg) return &c.ints[i];
                return nullptr;
            };
            // Colours and keys mostly black or white, as style 1 fills are.
            const int32_t shade = rng() % 3 ? 255 * pick(rng, 0, 1) : -1;
            for (size_t i = 0; i < args; ++i) {
                const std::string& a = e.arg_names[i];
                const Shape& s = a.size() == 2 && a[0] == 's' ? src : a.compare(0, 4, "mask") == 0 ? c.mask : c.dest;
                const bool across = a.back() == 'x' || a.back() == 'X' || a.back() == 'w';
                const bool colour = named(a, {"red", "green", "blue", "keyRed", "keyGreen", "keyBlue"});
                c.ints[i] = colour && shade >= 0 && rng() % 8 ? shade : case_int(a, across ? s.width : s.rows, rng);
                c.floats[i] = case_float(rng);
            }
            auto modest = [](int32_t v) { return v > -4096 && v < 4096; };
            int32_t *dw = at("dw"), *dh = at("dh"), *sw = at("sw"), *sh = at("sh");
            if (sw && modest(*dw) && rng() % 4) *sw = scaled(*dw, rng);
            if (sh && modest(*dh) && rng() % 4) *sh = scaled(*dh, rng);
            // Destinations just left of, on, or just right of their source, a row either way.
            int32_t *dx = at("dx"), *dy = at("dy"), *sx = at("sx"), *sy = at("sy"), *w = dw ? dw : at("w");
            if (c.same_surface && dx && rng() % 4 && modest(*sx) && modest(*sy) && modest(*w)) {
                if (sw && (rng() % 2 || !modest(*sw))) *sw = pick(rng, 1, 3);  // strongly enlarged
                const int32_t from = sw ? *sw : *w;
                const int32_t beside[] = {-*w - 1, -*w, -1, 0, 1, from - 1, from, from + 1};
                *dx = *sx + any_of(beside, rng);
                *dy = *sy + pick(rng, -1, 1);
            }
            cases.push_back(c);
        }
    }
    return cases;
}

const char* case_name(const CallCase& c)
{
    const auto& table = pixmill_tool::export_table();
    const int rows = static_cast<int>(table.size());
    return c.export_index < rows ? table[c.export_index].name.c_str() : service_name(c.export_index - rows);
}

void Workspace::prepare(const CallCase& c)
{
    case_ = &c;
    const Shape* shapes[3] = {&c.dest, &c.src, &c.mask};
    for (uint32_t k = 0; k < 3; ++k) {
        // New arrays each time: a kept larger one would hide an access past the end.
        bytes_[k] = std::vector<uint8_t>(array_bytes(*shapes[k]));
        fill(bytes_[k], *shapes[k], c.fill_style, c.fill_seed + k);
        surfaces_[k].bind(*shapes[k], bytes_[k].data());
    }
    sums_[0] = sums_[1] = sums_[2] = -7;
    std::memset(text_, '#', sizeof text_);
    version_ = 0;
    result_ = 0;

    const auto& table = pixmill_tool::export_table();
    if (c.export_index >= static_cast<int>(table.size())) {
        // The array services read dest's descriptor; the copy moves bytes
        // within dest's array, overlapping when the seed says so.
        const size_t n = bytes_[0].size(), shift = n > 16 ? c.fill_seed % 16 : 0, up = c.fill_seed & 16 ? shift : 0;
        uint8_t* a = surfaces_[0].pixels();
        service_ = ServiceCall{surfaces_[0].descriptor(), c.ints[0], &version_, text_, a + up, a + shift - up,
                               static_cast<int32_t>(n - shift)};
        return;
    }
    const ExportEntry& e = table[c.export_index];
    Roles roles{surfaces_[0].get(), surfaces_[c.same_surface ? 0 : 1].get(), surfaces_[2].get()};
    args_ = make_args(e, roles, sums_, [&](size_t i) { return ArgValue{nullptr, c.ints[i], c.floats[i], nullptr}; });
}

int64_t Workspace::invoke(bool stack4)
{
    const auto& table = pixmill_tool::export_table();
    const int rows = static_cast<int>(table.size()), k = case_->export_index;
    if (k >= rows)
        result_ = call_service(k - rows, service_, stack4);
    else
        result_ = stack4 ? invoke_stack4(k, args_.data()) : table[k].invoke(args_.data());
    // Pointers read back from the array services differ between workspaces;
    // whether one came back matters, not its value.
    if (case_->export_index == rows || case_->export_index == rows + 1)
        result_ = result_ == reinterpret_cast<intptr_t>(surfaces_[0].pixels()) ? 1 : result_;
    return result_;
}

std::vector<uint8_t> Workspace::outcome() const
{
    std::vector<uint8_t> out;
    auto add = [&](const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        out.insert(out.end(), b, b + n);
    };
    for (int k = 0; k < 3; ++k) add(surfaces_[k].pixels(), bytes_[k].size());
    add(sums_, sizeof sums_);
    add(&version_, sizeof version_);
    add(text_, sizeof text_);
    add(&result_, sizeof result_);
    return out;
}

}  // namespace pixmill_reliability
