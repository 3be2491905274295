// Missing and empty surfaces: a null Surface pointer, a null descriptor, a
// one-dimensional descriptor, no rows, rows of no length, no width. Whatever
// the other surfaces and the arguments, every export returns 0 and leaves
// every array as it was. The arrays sit against guard pages, so a read of a
// missing surface's bytes stops the run as well.
#include <gtest/gtest.h>

#include "guard_page.h"

using namespace pixmill_reliability;

namespace {

struct Missing {
    const char* what;
    Dims dims;
};

// Each stands in for one surface while the others are whole 6 x 5 pictures.
const Missing kMissing[] = {
    {"null Surface pointer", {6, 5, 0, Descriptor::kNullRecord}},
    {"null descriptor", {6, 5, 0, Descriptor::kNull}},
    {"one-dimensional descriptor", {6, 5, 0, Descriptor::kOneDim}},
    {"no rows", {6, 0, 0}},
    {"rows of no length", {0, 5, 0}},
    {"width 0 over a whole array", {0, 5, 6}},
};

// The surfaces whose Width no clip reads: the unclipped mask of the two
// Mask24 transfers, both surfaces of a rotation (their sizes come from the
// array bounds) and the one surface of Render_Set32Alpha (the whole array).
// With width 0 over a whole array these are drawn as documented.
bool width_unread(const ExportEntry& e, int role)
{
    if (e.name.rfind("Render_Rotate", 0) == 0 || e.name == "Render_Set32Alpha") return true;
    return role == 2 && e.name.rfind("Render_BitBlt", 0) == 0;
}

}  // namespace

TEST(EmptyInputs, EveryExportReturnsZeroAndTouchesNothing)
{
    name_faulting_calls();
    const char* const roles[3] = {"dest", "src", "mask"};
    const Dims whole = {6, 5, 0};
    int cases = 0;
    for (const ExportEntry& e : pixmill_tool::export_table()) {
        const SurfaceNeeds needs = surface_needs(e);
        const int bits[3] = {needs.dest_bits, needs.src_bits, needs.mask_bits};
        std::mt19937 rng(1);
        // Arguments that draw over the whole of whole surfaces, the same with
        // sizes far beyond them, and a few sets from the edge values.
        for (int set = 0; set < 6; ++set) {
            const int32_t size = set == 1 ? std::numeric_limits<int32_t>::max() : 6;
            std::vector<int32_t> ints = whole_surface_args(e, size, size, size, size);
            std::vector<float> floats(ints.size(), 1.5f);
            for (size_t i = 0; i < ints.size() && set > 1; ++i) {
                if (rng() % 2) ints[i] = edge_int(rng() % kEdgeInts, make_shape(32, 6, 5));
                floats[i] = edge_float(rng() % kEdgeFloats);
            }
            // Whether the call changed an array or wrote a sum (Render_CalcColor24
            // writes 0 for an empty rectangle).
            auto changes = [&](const Dims (&dims)[3], const char* what, uint32_t seed) {
                GuardedSurfaces g(e, dims, GuardSide::kAfter, seed);
                int32_t sums[3] = {};
                EXPECT_EQ(call_export(e, g.roles, sums, ints, floats, what), 0) << e.name << ", " << what;
                return g.changed() || sums[0] != 0 || sums[1] != 0 || sums[2] != 0;
            };
            // With every surface whole the call draws, so an unchanged array
            // below means the missing surface stopped it.
            EXPECT_TRUE(set > 1 || changes({whole, whole, whole}, "whole", 1)) << e.name << " draws nothing";
            for (int role = 0; role < 3; ++role) {
                for (const Missing& m : kMissing) {
                    if (bits[role] == 0 || (m.dims.pad != 0 && width_unread(e, role))) continue;
                    Dims dims[3] = {whole, whole, whole};
                    dims[role] = m.dims;
                    EXPECT_FALSE(changes(dims, m.what, static_cast<uint32_t>(++cases)))
                        << e.name << " " << roles[role] << ": " << m.what << ", argument set " << set;
                }
            }
        }
    }
    std::printf("missing-surface cases: %d\n", cases);
    EXPECT_GT(cases, 2000);
}
