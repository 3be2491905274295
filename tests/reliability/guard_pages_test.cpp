// Every export over a grid of edge arguments, each array placed against an
// inaccessible page (first after its last byte, then before its first): a
// single byte read or written outside an array stops the run, and the fault
// handler names the call that did it. And every export given a missing or
// empty surface: it returns 0 and leaves every array as it was.
#include <gtest/gtest.h>

#include <utility>

#include "guard_page.h"

using namespace pixmill_reliability;

namespace {

struct Layout {
    const char* what;
    Dims dest, src, mask;
    bool same_surface;  // src is dest where the depths allow
};

const Layout kLayouts[] = {
    {"rows exactly as wide as the picture", {7, 5, 0}, {6, 4, 0}, {6, 4, 0}, false},
    {"padded rows, mask smaller than the area", {5, 3, 2}, {9, 6, 1}, {2, 2, 0}, false},
    {"one pixel each", {1, 1, 0}, {1, 1, 0}, {1, 1, 0}, false},
    {"a row and a column", {2, 1, 0}, {1, 2, 0}, {1, 1, 0}, false},
    {"wide source over a small destination", {4, 4, 0}, {16, 3, 3}, {16, 3, 0}, false},
    {"source and destination one surface", {6, 5, 1}, {6, 5, 1}, {6, 5, 0}, true},
};

// Each stands in for one surface while the others are whole 6 x 5 pictures.
const std::pair<const char*, Dims> kMissing[] = {
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

TEST(GuardPages, NoExportTouchesABytePastEitherEndOfAnArray)
{
    name_faulting_calls();
    long calls = 0;
    for (const GuardSide side : {GuardSide::kAfter, GuardSide::kBefore})
        for (const Layout& l : kLayouts)
            for (const ExportEntry& e : pixmill_tool::export_table()) {
                GuardedSurfaces g(e, {l.dest, l.src, l.mask}, side, 7, l.same_surface);
                const std::vector<int32_t> base =
                    whole_surface_args(e, l.dest.width, l.dest.rows, l.src.width, l.src.rows);
                std::vector<int32_t> ints = base;
                std::vector<float> floats(ints.size(), 1.5f);
                auto call = [&] {
                    ++calls;
                    return g.call(ints, floats, l.what) == 0;
                };
                // Each argument through every edge value (around the sizes of
                // the destination and of the source), the others drawing the
                // whole surface.
                for (size_t i = 0; i < ints.size(); ++i) {
                    for (int k = 0; k < kEdgeFloats && e.kinds[i] == ArgKind::kFloat; ++k) {
                        floats[i] = edge_float(k);
                        ASSERT_TRUE(call()) << e.name << ", " << l.what;
                    }
                    for (int k = 0; k < 2 * kEdgeInts && e.kinds[i] == ArgKind::kInt; ++k) {
                        ints[i] = edge_int(k % kEdgeInts, g.shapes[k / kEdgeInts]);
                        ASSERT_TRUE(call()) << e.name << ", " << l.what;
                    }
                    ints[i] = base[i];
                    floats[i] = 1.5f;
                }
                // Then every argument at once from the edges: overflowing
                // sums, negative sizes, origins far outside.
                std::mt19937 rng(static_cast<uint32_t>(calls));
                for (int k = 0; k < 400; ++k) {
                    for (size_t i = 0; i < ints.size(); ++i) {
                        ints[i] = rng() % 4 == 0 ? base[i] : edge_int(rng() % kEdgeInts, g.shapes[rng() % 2]);
                        floats[i] = edge_float(rng() % kEdgeFloats);
                    }
                    ASSERT_TRUE(call()) << e.name << ", " << l.what;
                }
            }
    EXPECT_GT(calls, 100000);
}

// The services that take addresses: the description fills exactly 35 bytes
// (no terminating zero), and a copy that ends at the last byte of an array
// reads and writes nothing beyond it, in either direction of overlap.
TEST(GuardPages, ServicesStayInsideTheirBuffers)
{
    for (const GuardSide side : {GuardSide::kAfter, GuardSide::kBefore}) {
        GuardedArray text(35, side);
        int32_t version = 0;
        EXPECT_EQ(Render_GetInfo(&version, reinterpret_cast<char*>(text.data())), 0);
        EXPECT_EQ(version, 100);
        EXPECT_EQ(std::memcmp(text.data(), "Pixmill v1.01 based. Alpha Edition.", 35), 0);
        for (int32_t count : {1, 7, 8, 9, 16, 17, 63}) {
            for (int32_t shift : {0, 1, 3, 8}) {
                GuardedArray buf(static_cast<size_t>(count + shift), side);
                CopyMemoryC(buf.data() + shift, buf.data(), count);
                CopyMemoryC(buf.data(), buf.data() + shift, count);
            }
        }
    }
}

// Missing and empty surfaces: whatever the other surfaces and the arguments,
// the call returns 0 and changes nothing (Render_CalcColor24 may write 0 for
// an empty rectangle); the arrays sit against guard pages, so a read of a
// missing surface's bytes stops the run as well.
TEST(EmptyInputs, EveryExportReturnsZeroAndTouchesNothing)
{
    name_faulting_calls();
    const Dims whole = {6, 5, 0};
    uint32_t cases = 0;
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
            // With every surface whole the call draws, so an unchanged array
            // below means the missing surface stopped it.
            GuardedSurfaces all(e, {whole, whole, whole}, GuardSide::kAfter, 1);
            EXPECT_EQ(all.call(ints, floats, "whole"), 0) << e.name;
            EXPECT_TRUE(set > 1 || all.changed()) << e.name << " draws nothing";
            for (int role = 0; role < 3; ++role)
                for (const auto& [what, missing] : kMissing) {
                    if (bits[role] == 0 || (missing.pad != 0 && width_unread(e, role))) continue;
                    Dims dims[3] = {whole, whole, whole};
                    dims[role] = missing;
                    GuardedSurfaces g(e, dims, GuardSide::kAfter, ++cases);
                    EXPECT_EQ(g.call(ints, floats, what), 0) << e.name << ", surface " << role << ": " << what;
                    EXPECT_FALSE(g.changed()) << e.name << ", surface " << role << ": " << what << ", set " << set;
                }
        }
    }
    EXPECT_GT(cases, 2000u);
}
