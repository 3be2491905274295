// Every export over a grid of edge arguments, each array placed against an
// inaccessible page (first after its last byte, then before its first): a
// single byte read or written outside an array stops the run, and the fault
// handler names the call that did it. (Empty and missing surfaces are
// empty_inputs_test.cpp's.)
#include <gtest/gtest.h>

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

}  // namespace

TEST(GuardPages, NoExportTouchesABytePastEitherEndOfAnArray)
{
    name_faulting_calls();
    long calls = 0;
    for (const GuardSide side : {GuardSide::kAfter, GuardSide::kBefore}) {
        for (const Layout& l : kLayouts) {
            for (const ExportEntry& e : pixmill_tool::export_table()) {
                SCOPED_TRACE(e.name + ", " + l.what);
                GuardedSurfaces g(e, {l.dest, l.src, l.mask}, side, 7, l.same_surface);
                const size_t n = e.kinds.size();
                std::vector<int32_t> ints = whole_surface_args(e, l.dest.width, l.dest.rows, l.src.width, l.src.rows);
                std::vector<float> floats(n, 1.5f);
                int32_t sums[3];
                auto call = [&] {
                    ASSERT_EQ(call_export(e, g.roles, sums, ints, floats, l.what), 0);
                    ++calls;
                };
                // Each argument through every edge value (around the sizes of
                // the destination and of the source), the others drawing the
                // whole surface.
                const std::vector<int32_t> base = ints;
                for (size_t i = 0; i < n; ++i) {
                    for (int k = 0; k < kEdgeFloats && e.kinds[i] == ArgKind::kFloat; ++k) {
                        floats[i] = edge_float(k);
                        call();
                    }
                    for (int k = 0; k < 2 * kEdgeInts && e.kinds[i] == ArgKind::kInt; ++k) {
                        ints[i] = edge_int(k % kEdgeInts, g.shapes[k / kEdgeInts]);
                        call();
                    }
                    ints[i] = base[i];
                    floats[i] = 1.5f;
                }
                // Then every argument at once from the edges: overflowing
                // sums, negative sizes, origins far outside.
                std::mt19937 rng(static_cast<uint32_t>(n * 131 + calls));
                for (int k = 0; k < 400; ++k) {
                    for (size_t i = 0; i < n; ++i) {
                        ints[i] = rng() % 4 == 0 ? base[i] : edge_int(rng() % kEdgeInts, g.shapes[rng() % 2]);
                        floats[i] = edge_float(rng() % kEdgeFloats);
                    }
                    call();
                }
                if (HasFatalFailure()) return;
            }
        }
    }
    std::printf("guard-page calls: %ld\n", calls);
    EXPECT_GT(calls, 100000);
}

// The services that take addresses: the description fills exactly 35 bytes,
// and a copy that ends at the last byte of an array reads and writes nothing
// beyond it, in either direction of overlap.
TEST(GuardPages, ServicesStayInsideTheirBuffers)
{
    for (const GuardSide side : {GuardSide::kAfter, GuardSide::kBefore}) {
        GuardedArray text(35, side);
        int32_t version = 0;
        EXPECT_EQ(Render_GetInfo(&version, reinterpret_cast<char*>(text.data())), 0);
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
