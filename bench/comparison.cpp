#include "comparison.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace bench {

namespace {

std::vector<Comparison>& comparisons()
{
    static std::vector<Comparison> all;
    return all;
}

std::string size_name(Size s) { return std::to_string(s.width) + "x" + std::to_string(s.height); }

// A Work with the starting bytes of its output kept aside when it needs them.
struct Prepared {
    Work work;
    ImagePtr start;

    Prepared(const Comparison& c, Size size) : work(c.make(size))
    {
        if (work.out != nullptr && (work.restore || work.same_bytes)) start = copy_of(*work.out);
    }
    void put_back() { work.out->copy_from(*start); }
};

// Google Benchmark calls a run several times while it settles the iteration
// count, and the peer's run follows Pixmill's at the same size: both reuse the
// pictures of the last comparison and size made.
Prepared& prepared(size_t index, Size size)
{
    static std::unique_ptr<Prepared> last;
    static size_t last_index;
    static Size last_size;
    if (!last || last_index != index || last_size.width != size.width || last_size.height != size.height) {
        last.reset();
        last = std::make_unique<Prepared>(comparisons()[index], size);
        last_index = index;
        last_size = size;
    }
    return *last;
}

void run(benchmark::State& state, size_t index, Size size, bool peer)
{
    const Comparison& c = comparisons()[index];
    Prepared& p = prepared(index, size);
    const std::function<void()>& call = peer ? p.work.peer : p.work.pixmill;
    for (auto _ : state) {
        if (p.work.restore) {
            state.PauseTiming();
            p.put_back();
            state.ResumeTiming();
        }
        call();
        benchmark::ClobberMemory();
    }
    int64_t total = state.iterations() * p.work.amount;
    if (c.unit == Unit::kBytes)
        state.SetBytesProcessed(total);
    else
        state.SetItemsProcessed(total);
    state.counters["target"] = c.target;
}

bool sides_agree(Prepared& p)
{
    Work& w = p.work;
    if (w.agree) {
        w.pixmill();
        w.peer();
        return w.agree();
    }
    p.put_back();
    w.pixmill();
    ImagePtr pixmill_result = copy_of(*w.out);
    p.put_back();
    w.peer();
    return w.out->same_pixels(*pixmill_result);
}

}  // namespace

std::vector<Size> sweep_sizes() { return {{64, 64}, {256, 256}, {640, 480}, kFullHd, {3840, 2160}}; }

// Every comparison also runs at 64 x 64, where the cost of each call beside
// its pixels shows, and at 3840 x 2160, which no cache holds.
void add(Comparison comparison)
{
    for (Size extra : {Size{64, 64}, Size{3840, 2160}}) {
        std::vector<Size>& sizes = comparison.sizes;
        bool present = false;
        for (Size s : sizes) present = present || (s.width == extra.width && s.height == extra.height);
        if (!present) sizes.push_back(extra);
    }
    std::sort(comparison.sizes.begin(), comparison.sizes.end(),
              [](Size a, Size b) { return a.pixels() < b.pixels(); });
    comparisons().push_back(std::move(comparison));
}

void register_benchmarks()
{
    for (size_t i = 0; i < comparisons().size(); ++i) {
        const Comparison& c = comparisons()[i];
        for (Size size : c.sizes) {
            for (bool peer : {false, true}) {
                // "export | peer/side/size": the table pairs the sides by everything but the side.
                std::string name = c.pixmill + " | " + c.peer + "/" + (peer ? "peer" : "pixmill") + "/" +
                                   size_name(size);
                benchmark::RegisterBenchmark(name.c_str(), [i, size, peer](benchmark::State& state) {
                    run(state, i, size, peer);
                })->Unit(benchmark::kMillisecond);
            }
        }
    }
}

int check_comparisons()
{
    int differ = 0;
    for (const Comparison& c : comparisons()) {
        Prepared p(c, kFullHd);
        if (!p.work.same_bytes && !p.work.agree) continue;
        bool ok = sides_agree(p);
        std::printf("%-4s %s | %s\n", ok ? "same" : "DIFF", c.pixmill.c_str(), c.peer.c_str());
        differ += ok ? 0 : 1;
    }
    return differ;
}

}  // namespace bench
