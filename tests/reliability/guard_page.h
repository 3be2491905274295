// Arrays placed against an inaccessible page, so that the first byte read or
// written past an array's end (or before its start) stops the process; the
// surfaces of one call built on them; and the edge values the reliability
// checks give integer and float arguments.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <random>

#include "call_cases.h"

namespace pixmill_reliability {

enum class GuardSide { kAfter, kBefore };

class GuardedArray {
public:
    GuardedArray(size_t bytes, GuardSide side)
    {
        const size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        const size_t body = (bytes + page - 1) / page * page;
        size_ = body + page;
        void* m = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (m == MAP_FAILED) std::abort();
        base_ = static_cast<uint8_t*>(m);
        const bool after = side == GuardSide::kAfter;
        if (mprotect(after ? base_ + body : base_, page, PROT_NONE) != 0) std::abort();
        data_ = after ? base_ + body - bytes : base_ + page;
    }
    ~GuardedArray() { munmap(base_, size_); }
    GuardedArray(const GuardedArray&) = delete;
    GuardedArray& operator=(const GuardedArray&) = delete;

    uint8_t* data() { return data_; }

private:
    uint8_t* base_ = nullptr;
    uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

// A surface's width, rows, elements per row beyond the width, and how its
// record reaches the pixels.
struct Dims {
    int32_t width, rows, pad;
    Descriptor descriptor = Descriptor::kTwoDim;
};

// The call in progress, named on stderr should it stop the process.
struct CallInProgress {
    const ExportEntry* entry = nullptr;
    const ArgValue* args = nullptr;
    const char* what = "";
};
inline CallInProgress g_call;

inline void name_faulting_calls()
{
    auto report = [](int sig) {
        if (const ExportEntry* e = g_call.entry) {
            std::fprintf(stderr, "\nfault in %s, %s, arguments:", e->name.c_str(), g_call.what);
            for (size_t i = 0; i < e->kinds.size(); ++i) {
                if (e->kinds[i] == ArgKind::kInt) std::fprintf(stderr, " %d", g_call.args[i].integer);
                if (e->kinds[i] == ArgKind::kFloat) std::fprintf(stderr, " %g", g_call.args[i].real);
            }
            std::fprintf(stderr, "\n");
        }
        std::signal(sig, SIG_DFL);
        std::raise(sig);
    };
    std::signal(SIGSEGV, report);
    std::signal(SIGBUS, report);
}

// The surfaces one call of e takes, by role (dest, src, mask), each array
// against a guard page and filled with random bytes; src is dest when same
// and the depths allow.
struct GuardedSurfaces {
    const ExportEntry& e;
    Shape shapes[3];  // also for roles e does not take (as 32-bit)
    std::unique_ptr<GuardedArray> arrays[3];
    std::vector<uint8_t> before[3];
    BoundSurface bound[3];
    Roles roles;
    int32_t sums[3] = {};  // the out-parameters

    GuardedSurfaces(const ExportEntry& entry, const Dims (&dims)[3], GuardSide side, uint32_t seed, bool same = false)
        : e(entry)
    {
        const SurfaceNeeds n = surface_needs(e);
        const int bits[3] = {n.dest_bits, n.src_bits, n.mask_bits};
        std::mt19937 rng(seed);
        for (int k = 0; k < 3; ++k) {
            const Dims& d = dims[k];
            shapes[k] = make_shape(bits[k] != 0 ? bits[k] : 32, d.width, d.rows, d.pad, d.descriptor);
            if (bits[k] == 0) continue;
            before[k].resize(array_bytes(shapes[k]));
            for (uint8_t& b : before[k]) b = static_cast<uint8_t>(rng());
            arrays[k] = std::make_unique<GuardedArray>(before[k].size(), side);
            std::copy(before[k].begin(), before[k].end(), arrays[k]->data());
            bound[k].bind(shapes[k], arrays[k]->data());
        }
        roles = {bound[0].get(), same && bits[0] == bits[1] ? bound[0].get() : bound[1].get(), bound[2].get()};
    }
    // One call: argument i takes ints[i] or floats[i] by its kind; what
    // describes the case should the call stop the process.
    int32_t call(const std::vector<int32_t>& ints, const std::vector<float>& floats, const char* what)
    {
        const std::vector<ArgValue> args =
            make_args(e, roles, sums, [&](size_t i) { return ArgValue{nullptr, ints[i], floats[i], nullptr}; });
        g_call = {&e, args.data(), what};
        const int32_t result = e.invoke(args.data());
        g_call.entry = nullptr;
        return result;
    }
    // Whether a call changed an array or wrote a sum other than 0.
    bool changed() const
    {
        for (int k = 0; k < 3; ++k)
            if (arrays[k] && !std::equal(before[k].begin(), before[k].end(), arrays[k]->data())) return true;
        return sums[0] != 0 || sums[1] != 0 || sums[2] != 0;
    }
};

// Arguments drawing over the whole of a dest_w x dest_h destination from a
// src_w x src_h source (see whole_surface_arg).
inline std::vector<int32_t> whole_surface_args(const ExportEntry& e, int32_t dest_w, int32_t dest_h, int32_t src_w,
                                               int32_t src_h)
{
    std::vector<int32_t> ints;
    for (const std::string& name : e.arg_names) ints.push_back(whole_surface_arg(name, dest_w, dest_h, src_w, src_h));
    return ints;
}

// Edge value k (0 to kEdgeInts - 1) for an integer argument, around the sizes
// of surface a: small numbers, the sizes and their neighbours, the ends of
// the range, colour bounds, the row length, and sums that overflow.
constexpr int kEdgeInts = 24;
inline int32_t edge_int(int k, const Shape& a)
{
    const int32_t w = a.width, h = a.rows;
    const int32_t kMin = std::numeric_limits<int32_t>::min(), kMax = std::numeric_limits<int32_t>::max();
    // (a Width may be negative: the last two wrap rather than overflow)
    const uint32_t uw = static_cast<uint32_t>(w), uh = static_cast<uint32_t>(h);
    const int32_t values[kEdgeInts] = {0, 1, -1, 2, -2, w, h, w - 1, h - 1, w + 1, h + 1, -w, -h,
                                       kMin, kMax, kMin + 1, kMax - 1, 255, 256, -255, 100, a.stride,
                                       static_cast<int32_t>(0x7FFFFFFFu - uw),
                                       static_cast<int32_t>(0x80000000u + uh)};
    return values[k];
}

// Edge value k (0 to kEdgeFloats - 1) for a float argument.
constexpr int kEdgeFloats = 12;
inline float edge_float(int k)
{
    using L = std::numeric_limits<float>;
    const float values[kEdgeFloats] = {0.0f,     -0.0f,     1.0f,           -1.0f, L::quiet_NaN(), L::infinity(),
                                       -L::infinity(), L::max(), -L::max(), L::denorm_min(), 1e10f, -1e10f};
    return values[k];
}

}  // namespace pixmill_reliability
