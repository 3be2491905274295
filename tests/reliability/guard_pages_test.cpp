// Every export over a grid of edge arguments, each array against an
// inaccessible page (after its last byte, then before its first): a byte read
// or written outside an array stops the run, naming the call. Given a missing
// or empty surface, every call returns 0 and changes nothing.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <iterator>
#include <string>
#include <utility>

#include "guard_page.h"

using namespace pixmill_reliability;

namespace {

// The call in progress, named on stderr should it stop the process.
const ExportEntry* g_entry = nullptr;
const ArgValue* g_args = nullptr;
const char* g_what = "";

void report_fault(int sig)
{
    if (g_entry != nullptr) {
        std::fprintf(stderr, "\nfault in %s, arguments (integer/float):", g_what);
        for (size_t i = 0; i < g_entry->kinds.size(); ++i)
            std::fprintf(stderr, " %d/%g", g_args[i].integer, static_cast<double>(g_args[i].real));
        std::fprintf(stderr, "\n");
    }
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// A surface's width, rows, elements per row beyond the width, descriptor.
struct Dims {
    int32_t width, rows, pad;
    Descriptor descriptor = Descriptor::kTwoDim;
};

// The surfaces of e (dest, src, mask), each array against a guard page and
// random; src is dest when same and the depths allow.
struct GuardedSurfaces {
    const ExportEntry& e;
    Shape shapes[3];  // also for surfaces e does not take (as 32-bit)
    std::unique_ptr<GuardedArray> arrays[3];
    std::vector<uint8_t> before[3];
    BoundSurface bound[3];
    Roles roles;
    int32_t sums[3] = {};  // the out-parameters
    bool wrote_sum = false;  // other than 0

    GuardedSurfaces(const ExportEntry& entry, const Dims (&dims)[3], GuardSide side, uint32_t seed, bool same = false)
        : e(entry)
    {
        const SurfaceNeeds n = surface_needs(e);
        const int bits[3] = {n.dest_bits, n.src_bits, n.mask_bits};
        std::mt19937 rng(seed);
        for (int k = 0; k < 3; ++k) {
            shapes[k] = make_shape(bits[k] != 0 ? bits[k] : 32, dims[k].width, dims[k].rows, dims[k].pad,
                                   dims[k].descriptor);
            if (bits[k] == 0) continue;
            before[k].resize(array_bytes(shapes[k]));
            for (uint8_t& b : before[k]) b = static_cast<uint8_t>(rng());
            arrays[k] = std::make_unique<GuardedArray>(before[k].size(), side);
            std::copy(before[k].begin(), before[k].end(), arrays[k]->data());
            bound[k].bind(shapes[k], arrays[k]->data());
        }
        roles = {bound[0].get(), same && bits[0] == bits[1] ? bound[0].get() : bound[1].get(), bound[2].get()};
        std::signal(SIGSEGV, report_fault);
        std::signal(SIGBUS, report_fault);
    }
    int32_t call(const std::vector<int32_t>& ints, const std::vector<float>& floats, const char* what)
    {
        const std::vector<ArgValue> args =
            make_args(e, roles, sums, [&](size_t i) { return ArgValue{nullptr, ints[i], floats[i], nullptr}; });
        g_entry = &e;
        g_args = args.data();
        g_what = what;
        const int32_t result = e.invoke(args.data());
        g_entry = nullptr;
        wrote_sum = wrote_sum || sums[0] != 0 || sums[1] != 0 || sums[2] != 0;
        return result;
    }
    bool changed() const
    {
        for (int k = 0; k < 3; ++k)
            if (arrays[k] && !std::equal(before[k].begin(), before[k].end(), arrays[k]->data())) return true;
        return wrote_sum;
    }
};

struct Layout {
    const char* what;
    Dims dims[3];  // dest, src, mask
    bool same_surface = false;
    int missing = -1;  // the surface missing, or -1
};

const Layout kLayouts[] = {
    {"rows exactly as wide as the picture", {{7, 5, 0}, {6, 4, 0}, {6, 4, 0}}},
    {"padded rows, mask smaller than the area", {{5, 3, 2}, {9, 6, 1}, {2, 2, 0}}},
    {"one pixel each", {{1, 1, 0}, {1, 1, 0}, {1, 1, 0}}},
    {"a row and a column", {{2, 1, 0}, {1, 2, 0}, {1, 1, 0}}},
    {"wide source over a small destination", {{4, 4, 0}, {16, 3, 3}, {16, 3, 0}}},
    {"source and destination one surface", {{6, 5, 1}, {6, 5, 1}, {6, 5, 0}}, true},
    {"whole 6 x 5 pictures", {{6, 5, 0}, {6, 5, 0}, {6, 5, 0}}},
};

// Each stands in for one surface of the last layout.
const std::pair<const char*, Dims> kMissing[] = {
    {"null Surface pointer", {6, 5, 0, Descriptor::kNullRecord}},
    {"null descriptor", {6, 5, 0, Descriptor::kNull}},
    {"one-dimensional descriptor", {6, 5, 0, Descriptor::kOneDim}},
    {"no rows", {6, 0, 0}},
    {"rows of no length", {0, 5, 0}},
    {"width 0 over a whole array", {0, 5, 6}},
};

// The surfaces whose Width no clip reads (drawn even with width 0): the
// unclipped mask of the Mask24 transfers, a rotation's surfaces (sized by
// their arrays) and Render_Set32Alpha's (the whole array).
bool width_unread(const ExportEntry& e, int role)
{
    if (e.name.rfind("Render_Rotate", 0) == 0 || e.name == "Render_Set32Alpha") return true;
    return role == 2 && e.name.rfind("Render_BitBlt", 0) == 0;
}

}  // namespace

TEST(GuardPages, NoExportTouchesABytePastEitherEndOfAnArrayNorAMissingSurfacesArrays)
{
    std::vector<Layout> layouts(std::begin(kLayouts), std::end(kLayouts));
    const size_t whole = layouts.size() - 1;
    for (const auto& [what, dims] : kMissing)
        for (int role = 0; role < 3; ++role) {
            Layout& l = layouts.emplace_back(layouts[whole]);
            l.what = what;
            l.dims[role] = dims;
            l.missing = role;
        }
    long calls = 0;
    for (const GuardSide side : {GuardSide::kAfter, GuardSide::kBefore})
        for (const Layout& l : layouts)
            for (const ExportEntry& e : pixmill_tool::export_table()) {
                const int m = l.missing;
                if (m >= 0 && l.dims[m].pad != 0 && width_unread(e, m)) continue;
                GuardedSurfaces g(e, l.dims, side, 7, l.same_surface);
                if (m >= 0 && g.arrays[m] == nullptr) continue;  // e takes no such surface
                std::vector<int32_t> base;
                for (const std::string& a : e.arg_names)
                    base.push_back(whole_surface_arg(a, g.shapes[0].width, g.shapes[0].rows, g.shapes[1].width,
                                                     g.shapes[1].rows));
                std::vector<int32_t> ints = base;
                std::vector<float> floats(ints.size(), 1.5f);
                const std::string what = e.name + ", " + l.what + (m >= 0 ? " as surface " + std::to_string(m) : "");
                auto call = [&] {
                    ++calls;
                    return g.call(ints, floats, what.c_str()) == 0;
                };
                // Drawing the whole surface; then each argument through every edge
                // value (around the destination's and the source's sizes).
                ASSERT_TRUE(call()) << what;
                for (size_t i = 0; i < ints.size(); ++i) {
                    for (int k = 0; k < kEdgeFloats && e.kinds[i] == ArgKind::kFloat; ++k) {
                        floats[i] = edge_float(k);
                        ASSERT_TRUE(call()) << what;
                    }
                    for (int k = 0; k < 2 * kEdgeInts && e.kinds[i] == ArgKind::kInt; ++k) {
                        ints[i] = edge_int(k % kEdgeInts, g.shapes[k / kEdgeInts]);
                        ASSERT_TRUE(call()) << what;
                    }
                    ints[i] = base[i];
                    floats[i] = 1.5f;
                }
                // Then every argument at once from the edges.
                std::mt19937 rng(static_cast<uint32_t>(calls));
                for (int k = 0; k < 400; ++k) {
                    for (size_t i = 0; i < ints.size(); ++i) {
                        ints[i] = rng() % 4 == 0 ? base[i] : edge_int(rng() % kEdgeInts, g.shapes[rng() % 2]);
                        floats[i] = edge_float(rng() % kEdgeFloats);
                    }
                    ASSERT_TRUE(call()) << what;
                }
                // A missing surface leaves every array as it was (Render_CalcColor24
                // may write a sum of 0); whole surfaces are drawn on.
                if (m >= 0 || &l == &layouts[whole]) {
                    EXPECT_EQ(g.changed(), m < 0) << what;
                }
            }
    EXPECT_GT(calls, 500000);
}

// The description fills exactly 35 bytes (no terminating zero); a copy ending
// at an array's last byte touches nothing beyond it, either way of overlap.
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
