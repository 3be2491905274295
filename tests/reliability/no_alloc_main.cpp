// Counts heap allocations made during calls of every export (malloc and its
// relatives replaced here; operator new comes to them): there must be none.
#include <cstdio>
#include <cstdlib>

#include "call_cases.h"

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
void __libc_free(void*);
}

namespace {

// Only the main thread runs; plain variables suffice.
bool counting = false;
long allocations = 0;

void note() { if (counting) ++allocations; }

}  // namespace

extern "C" {
void* malloc(size_t n) { note(); return __libc_malloc(n); }
void* calloc(size_t n, size_t size) { note(); return __libc_calloc(n, size); }
void* realloc(void* p, size_t n) { note(); return __libc_realloc(p, n); }
void* aligned_alloc(size_t align, size_t n) { note(); return __libc_memalign(align, n); }
void* memalign(size_t align, size_t n) { note(); return __libc_memalign(align, n); }
int posix_memalign(void** out, size_t align, size_t n)
{
    note();
    *out = __libc_memalign(align, n);
    return *out == nullptr ? 12 /* ENOMEM */ : 0;
}
void free(void* p) { __libc_free(p); }
}

using namespace pixmill_reliability;

int main()
{
    // The counter must see this allocation (volatile: it cannot be dropped).
    counting = true;
    int* volatile probe = new int(1);
    counting = false;
    delete probe;
    if (allocations != 1) {
        std::printf("the allocation counter saw %ld of 1 allocation\n", allocations);
        return 1;
    }
    allocations = 0;
    Workspace w;
    const std::vector<CallCase> cases = make_cases(8, 777);
    for (const CallCase& c : cases) {
        w.prepare(c);
        const long before = allocations;
        counting = true;
        w.invoke();
        counting = false;
        if (allocations != before) std::printf("%s allocated %ld times\n", case_name(c), allocations - before);
    }
    std::printf("%zu calls of %d exports: %ld heap allocations\n", cases.size(), export_count(), allocations);
    return allocations == 0 ? 0 : 1;
}
