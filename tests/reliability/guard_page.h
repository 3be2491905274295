// Arrays against an inaccessible page (a byte read or written past an end
// stops the process), and the edge values the reliability checks give arguments.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
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
