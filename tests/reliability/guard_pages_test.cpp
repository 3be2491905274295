// Every export over a grid of edge arguments, each array placed against an
// inaccessible page (first after its last byte, then before its first): a
// single byte read or written outside an array stops the run, and the handler
// below names the call that did it.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <random>

#include "call_setup.h"
#include "guard_page.h"

using namespace pixmill_reliability;

namespace {

// The call in progress, for the fault handler.
const ExportEntry* g_entry = nullptr;
const ArgValue* g_args = nullptr;
const char* g_layout = "";

void report_fault(int sig)
{
    if (g_entry != nullptr) {
        std::fprintf(stderr, "\nfault in %s, layout %s, arguments:", g_entry->name.c_str(), g_layout);
        for (size_t i = 0; i < g_entry->kinds.size(); ++i) {
            if (g_entry->kinds[i] == ArgKind::kInt)
                std::fprintf(stderr, " %s=%d", g_entry->arg_names[i].c_str(), g_args[i].integer);
            else if (g_entry->kinds[i] == ArgKind::kFloat)
                std::fprintf(stderr, " %s=%g", g_entry->arg_names[i].c_str(), static_cast<double>(g_args[i].real));
        }
        std::fprintf(stderr, "\n");
    }
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// Sizes are width, rows and padding (elements per row beyond the width).
struct Dims {
    int32_t width, rows, pad;
};

struct Layout {
    const char* what;
    Dims dest, src, mask;
    bool same_surface;  // src is dest where the depths allow
};

const Layout kLayouts[] = {
    {"rows exactly as wide as the picture", {7, 5, 0}, {6, 4, 0}, {6, 4, 0}, false},
    {"padded rows, mask smaller than the area", {5, 3, 2}, {9, 6, 1}, {2, 2, 0}, false},
    {"one pixel each", {1, 1, 0}, {1, 1, 0}, {1, 1, 0}, false},
    {"a row and a column", {2, 1, 0}, {1, 2, 0}, {0, 0, 0}, false},
    {"empty destination", {0, 0, 0}, {3, 3, 0}, {3, 3, 0}, false},
    {"empty source and mask", {3, 3, 1}, {3, 0, 0}, {0, 3, 0}, false},
    {"wide source over a small destination", {4, 4, 0}, {16, 3, 3}, {16, 3, 0}, false},
    {"source and destination one surface", {6, 5, 1}, {6, 5, 1}, {6, 5, 0}, true},
};

constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
constexpr int32_t kMax = std::numeric_limits<int32_t>::max();

std::vector<int32_t> edge_ints(const Dims& d, const Dims& s)
{
    return {0,       1,       -1,           2,         d.width,    d.rows,   s.width,  s.rows,
            d.width - 1, d.rows + 1, s.width + 1, s.rows - 1, -d.width, -s.rows, kMin,     kMax,
            kMin + 1, kMax - 1, 255,        256,       1 << 20,    -(1 << 20), 360,    kMax - d.width};
}

const float kEdgeFloats[] = {0.0f,
                             -1.0f,
                             1.0f,
                             2.5f,
                             std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(),
                             std::numeric_limits<float>::max(),
                             -std::numeric_limits<float>::max(),
                             1e-30f};

// The surfaces of one export in one layout, arrays against guard pages.
struct GuardedCall {
    std::unique_ptr<GuardedArray> arrays[3];
    BoundSurface surfaces[3];
    Roles roles;

    GuardedCall(const ExportEntry& e, const Layout& l, GuardSide side)
    {
        const SurfaceNeeds n = surface_needs(e);
        const int bits[3] = {n.dest_bits, n.src_bits, n.mask_bits};
        const Dims dims[3] = {l.dest, l.src, l.mask};
        std::mt19937 rng(7);
        for (int k = 0; k < 3; ++k) {
            if (bits[k] == 0) continue;
            const Shape shape = make_shape(bits[k], dims[k].width, dims[k].rows, dims[k].pad);
            const size_t bytes = array_bytes(shape);
            arrays[k] = std::make_unique<GuardedArray>(bytes, side);
            for (size_t i = 0; i < bytes; ++i) arrays[k]->data()[i] = static_cast<uint8_t>(rng());
            surfaces[k].bind(shape, arrays[k]->data());
        }
        roles.dest = surfaces[0].get();
        roles.src = l.same_surface && bits[0] == bits[1] ? roles.dest : surfaces[1].get();
        roles.mask = surfaces[2].get();
    }
};

}  // namespace

TEST(GuardPages, NoExportTouchesABytePastEitherEndOfAnArray)
{
    std::signal(SIGSEGV, report_fault);
    std::signal(SIGBUS, report_fault);
    long calls = 0;
    for (const GuardSide side : {GuardSide::kAfter, GuardSide::kBefore}) {
        for (const Layout& l : kLayouts) {
            g_layout = l.what;
            const std::vector<int32_t> edges = edge_ints(l.dest, l.src);
            for (const ExportEntry& e : pixmill_tool::export_table()) {
                SCOPED_TRACE(e.name + ", " + l.what);
                GuardedCall g(e, l, side);
                int32_t sums[3];
                const size_t n = e.kinds.size();
                std::vector<int32_t> ints(n);
                std::vector<float> floats(n, 1.5f);
                for (size_t i = 0; i < n; ++i) ints[i] = whole_surface_arg(e.arg_names[i], l.dest.width, l.dest.rows, l.src.width, l.src.rows);
                auto call = [&] {
                    const std::vector<ArgValue> args = make_args(e, g.roles, sums, [&](size_t i) {
                        ArgValue v;
                        v.integer = ints[i];
                        v.real = floats[i];
                        return v;
                    });
                    g_entry = &e;
                    g_args = args.data();
                    ASSERT_EQ(e.invoke(args.data()), 0);
                    ++calls;
                };

                // Each argument through every edge value, the others drawing
                // the whole surface.
                const std::vector<int32_t> base = ints;
                for (size_t i = 0; i < n; ++i) {
                    if (e.kinds[i] == ArgKind::kFloat) {
                        for (float f : kEdgeFloats) {
                            floats[i] = f;
                            call();
                        }
                        floats[i] = 1.5f;
                    } else if (e.kinds[i] == ArgKind::kInt) {
                        for (int32_t v : edges) {
                            ints[i] = v;
                            call();
                        }
                        ints[i] = base[i];
                    }
                }
                // Then every argument at once from the edges: overflowing
                // sums, negative sizes, origins far outside.
                std::mt19937 rng(static_cast<uint32_t>(n * 131 + calls));
                for (int k = 0; k < 400; ++k) {
                    for (size_t i = 0; i < n; ++i) {
                        ints[i] = rng() % 4 == 0 ? base[i] : edges[rng() % edges.size()];
                        floats[i] = kEdgeFloats[rng() % (sizeof kEdgeFloats / sizeof kEdgeFloats[0])];
                    }
                    call();
                }
                if (HasFatalFailure()) return;
            }
        }
    }
    g_entry = nullptr;
    std::signal(SIGSEGV, SIG_DFL);
    std::signal(SIGBUS, SIG_DFL);
    RecordProperty("calls", static_cast<int>(calls));
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
