// Threads call every export at once, each on surfaces of its own: every call
// must leave the bytes it leaves when the calls run one after another (and,
// under ThreadSanitizer, share no state). usage: pixmill_concurrency [threads] [rounds]
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "call_cases.h"

using namespace pixmill_reliability;

int main(int argc, char** argv)
{
    const int threads = argc > 1 ? std::atoi(argv[1]) : 4;
    const int rounds = argc > 2 ? std::atoi(argv[2]) : 2;
    const std::vector<CallCase> cases = make_cases(6, 777);

    // The serial outcomes, one call at a time on this thread.
    std::vector<std::vector<uint8_t>> expected;
    Workspace serial;
    for (const CallCase& c : cases) {
        serial.prepare(c);
        serial.invoke();
        expected.push_back(serial.outcome());
    }

    // Each thread starts at its own place, so different exports run side by side.
    std::atomic<int> mismatches{0};
    std::vector<std::thread> pool;
    const size_t n = cases.size();
    for (int t = 0; t < threads; ++t) {
        pool.emplace_back([&, t] {
            Workspace w;
            for (int r = 0; r < rounds; ++r)
                for (size_t k = 0; k < n; ++k) {
                    const size_t i = (k + n * static_cast<size_t>(t) / static_cast<size_t>(threads)) % n;
                    w.prepare(cases[i]);
                    w.invoke();
                    if (w.outcome() != expected[i]) {
                        std::fprintf(stderr, "thread %d: %s (case %zu) left other bytes than the serial call\n", t,
                                     case_name(cases[i]), i);
                        mismatches.fetch_add(1);
                    }
                }
        });
    }
    for (std::thread& th : pool) th.join();

    std::printf("%d threads x %d rounds of %zu calls of %d exports: %d differing from the serial calls\n", threads,
                rounds, n, export_count(), mismatches.load());
    return mismatches.load() == 0 ? 0 : 1;
}
