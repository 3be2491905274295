// A comparison is one row of the performance table: a Pixmill export and the
// routine a C++ programmer would call instead, run on the same pictures in the
// same binary, each reported as bytes or pixels per second.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "images.h"

namespace bench {

enum class Unit { kBytes, kPixels };

// The two calls of one comparison at one picture size, with their pictures
// (the lambdas own them).
struct Work {
    std::function<void()> pixmill;
    std::function<void()> peer;
    int64_t amount = 0;  // bytes or pixels one call handles, the same for both sides

    // The picture both sides write. With restore set every timed call starts
    // from its starting bytes (a copy of them: the calls must reach the
    // picture through out's Surface or Mat, made at each call), for calls
    // whose speed would drift as they rework their own output.
    Image* out = nullptr;
    bool restore = false;
    // Both sides compute the same thing: from the same start they must leave
    // out with the same bytes, or agree() must hold after one call of each.
    bool same_bytes = false;
    std::function<bool()> agree;
};

struct Comparison {
    std::string pixmill;  // the export, with the case when there are several
    std::string peer;
    double target;        // wanted Pixmill / peer throughput at 1920 x 1080
    Unit unit;
    std::vector<Size> sizes;
    std::function<Work(Size)> make;
};

inline const Size kFullHd{1920, 1080};
// How cost grows with the number of pixels, for a few comparisons.
std::vector<Size> sweep_sizes();

void add(Comparison comparison);

// Registers two Google Benchmark runs (Pixmill, then the peer) per size.
void register_benchmarks();
// Runs each comparison whose sides compute the same thing once per side and
// compares their results; prints one line each, returns the number that differ.
int check_comparisons();

// Families of comparisons, by the library the peer comes from.
void add_memory_comparisons();
#ifdef PIXMILL_BENCH_PIXMAN
void add_pixman_comparisons();
#endif
#ifdef PIXMILL_BENCH_OPENCV
void add_opencv_blit_comparisons();
void add_opencv_filter_comparisons();
#endif

}  // namespace bench
