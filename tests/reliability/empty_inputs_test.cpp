// Missing and empty surfaces: a null Surface pointer, a null descriptor, a
// one-dimensional descriptor, no rows, rows of no length, no width. Whatever
// the other surfaces and the arguments, every export returns 0 and leaves
// every array as it was. The arrays sit against guard pages, so a read of a
// missing surface's bytes stops the run as well.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <random>

#include "call_setup.h"
#include "guard_page.h"

using namespace pixmill_reliability;

namespace {

struct Missing {
    const char* what;
    Descriptor descriptor;
    int32_t width, rows, pad;
};

// Each stands in for one surface while the others are whole 6 x 5 pictures.
const Missing kMissing[] = {
    {"null Surface pointer", Descriptor::kNullRecord, 6, 5, 0},
    {"null descriptor", Descriptor::kNull, 6, 5, 0},
    {"one-dimensional descriptor", Descriptor::kOneDim, 6, 5, 0},
    {"no rows", Descriptor::kTwoDim, 6, 0, 0},
    {"rows of no length", Descriptor::kTwoDim, 0, 5, 0},
    {"width 0 over a whole array", Descriptor::kTwoDim, 0, 5, 6},
};

// The surfaces whose Width no clip reads: the unclipped mask of the two
// Mask24 transfers, both surfaces of a rotation (their sizes come from the
// array bounds) and the one surface of Render_Set32Alpha (the whole array).
// With width 0 over a whole array these are drawn as documented.
bool width_unread(const ExportEntry& e, const std::string& role)
{
    if (e.name.rfind("Render_Rotate", 0) == 0 || e.name == "Render_Set32Alpha") return true;
    return role == "mask" && e.name.find("Render_BitBlt") == 0;
}

// One call of e with the surface in role `missing` (-1: none) replaced by m,
// the others whole 6 x 5 pictures, every array against a guard page. Returns
// whether any array or out-parameter changed.
bool call_changes_something(const ExportEntry& e, int missing, const Missing& m, int32_t size, uint32_t seed)
{
    const SurfaceNeeds needs = surface_needs(e);
    const int bits[3] = {needs.dest_bits, needs.src_bits, needs.mask_bits};
    std::unique_ptr<GuardedArray> arrays[3];
    BoundSurface surfaces[3];
    std::vector<uint8_t> before[3];
    std::mt19937 rng(seed);
    for (int k = 0; k < 3; ++k) {
        if (bits[k] == 0) continue;
        const Shape shape =
            k == missing ? make_shape(bits[k], m.width, m.rows, m.pad, m.descriptor) : make_shape(bits[k], 6, 5);
        const size_t n = array_bytes(shape);
        arrays[k] = std::make_unique<GuardedArray>(n, GuardSide::kAfter);
        for (size_t i = 0; i < n; ++i) arrays[k]->data()[i] = static_cast<uint8_t>(rng());
        before[k].assign(arrays[k]->data(), arrays[k]->data() + n);
        surfaces[k].bind(shape, arrays[k]->data());
    }
    int32_t sums[3] = {-7, -7, -7};
    const Roles r{surfaces[0].get(), surfaces[1].get(), surfaces[2].get()};
    const std::vector<ArgValue> args = make_args(e, r, sums, [&](size_t i) {
        ArgValue v;
        v.integer = whole_surface_arg(e.arg_names[i], size, size, size, size);
        v.real = 1.5f;
        return v;
    });
    EXPECT_EQ(e.invoke(args.data()), 0);
    bool changed = false;
    for (int k = 0; k < 3; ++k)
        if (bits[k] != 0) changed |= std::memcmp(arrays[k]->data(), before[k].data(), before[k].size()) != 0;
    // Render_CalcColor24 resets its sums first, so an empty rectangle leaves 0.
    for (int32_t s : sums) changed |= s != -7 && s != 0;
    return changed;
}

}  // namespace

TEST(EmptyInputs, EveryExportReturnsZeroAndTouchesNothing)
{
    const Missing whole = {"", Descriptor::kTwoDim, 6, 5, 0};
    const std::string roles[3] = {"dest", "src", "mask"};
    int cases = 0;
    for (const ExportEntry& e : pixmill_tool::export_table()) {
        const SurfaceNeeds needs = surface_needs(e);
        const int bits[3] = {needs.dest_bits, needs.src_bits, needs.mask_bits};
        // Arguments that draw over the whole of whole surfaces, and the same
        // with sizes far beyond them.
        for (const int32_t size : {6, std::numeric_limits<int32_t>::max()}) {
            SCOPED_TRACE(e.name + ", sizes " + std::to_string(size));
            // With every surface whole the call draws, so an unchanged array
            // below means the missing surface stopped it.
            EXPECT_TRUE(call_changes_something(e, -1, whole, size, 1)) << "draws nothing even on whole surfaces";
            for (int role = 0; role < 3; ++role) {
                if (bits[role] == 0) continue;
                for (const Missing& m : kMissing) {
                    if (m.width == 0 && m.pad != 0 && width_unread(e, roles[role])) continue;
                    EXPECT_FALSE(call_changes_something(e, role, m, size, static_cast<uint32_t>(cases)))
                        << roles[role] << ": " << m.what;
                    ++cases;
                }
            }
        }
    }
    std::printf("missing-surface cases: %d\n", cases);
    EXPECT_GT(cases, 700);
}

