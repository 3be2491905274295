// A pixel array placed against an inaccessible page, so that the first byte
// read or written past its end (or before its start) stops the process.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

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
        if (side == GuardSide::kAfter) {
            if (mprotect(base_ + body, page, PROT_NONE) != 0) std::abort();
            data_ = base_ + body - bytes;
        } else {
            if (mprotect(base_, page, PROT_NONE) != 0) std::abort();
            data_ = base_ + page;
        }
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

}  // namespace pixmill_reliability
