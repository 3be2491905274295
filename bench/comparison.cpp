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

// Pausing the clock costs about a microsecond, as much as a whole call on a
// 64 x 64 picture, so a workload that needs its starting bytes back before
// every call is not paused around each call: it works on a ring of copies of
// its starting picture, call i on copy i mod M, and the whole ring is put
// back under one pause every M calls. M fills about kRingBytes, so that the
// ring stays in a core's own cache as the one picture would, and is at least
// 1. Every call, Pixmill's or the peer's, at every size, starts from the same
// bytes as before.
constexpr int64_t kRingBytes = int64_t{512} << 10;

// A Work with the starting bytes of its output kept aside when it needs them.
struct Prepared {
    Work work;
    ImagePtr start;
    std::vector<ImagePtr> ring;  // copies of start, for a restored workload

    Prepared(const Comparison& c, Size size) : work(c.make(size))
    {
        if (work.out == nullptr || !(work.restore || work.same_bytes)) return;
        start = copy_of(*work.out);
        if (!work.restore) return;
        const int64_t copies = std::max<int64_t>(1, kRingBytes / std::max<int64_t>(1, start->buffer_bytes()));
        for (int64_t i = 0; i < copies; ++i) ring.push_back(copy_of(*start));
    }
    void put_back() { work.out->copy_from(*start); }
    void put_back_ring()
    {
        for (ImagePtr& copy : ring) copy->copy_from(*start);
    }
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
    if (p.work.restore) {
        p.put_back_ring();
        size_t next = 0;
        for (auto _ : state) {
            if (next == p.ring.size()) {
                state.PauseTiming();
                p.put_back_ring();
                state.ResumeTiming();
                next = 0;
            }
            p.work.out->look_at(p.ring[next++]->data());
            call();
            benchmark::ClobberMemory();
        }
        p.work.out->look_at(nullptr);
    } else {
        for (auto _ : state) {
            call();
            benchmark::ClobberMemory();
        }
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
