// pixmill_bench: Pixmill's exports side by side with the libraries a C++
// programmer would use instead, single-threaded. With --check it runs each
// comparison whose sides compute the same thing once and compares the results
// instead of timing anything.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>

#include "comparison.h"

#ifdef PIXMILL_BENCH_OPENCV
#include <opencv2/core.hpp>
#endif

int main(int argc, char** argv)
{
    bench::add_memory_comparisons();
#ifdef PIXMILL_BENCH_PIXMAN
    bench::add_pixman_comparisons();
    benchmark::AddCustomContext("pixman", pixman_version_string());
#endif
#ifdef PIXMILL_BENCH_OPENCV
    cv::setNumThreads(1);
    bench::add_opencv_blit_comparisons();
    bench::add_opencv_filter_comparisons();
    benchmark::AddCustomContext("opencv", CV_VERSION);
#endif

    if (argc == 2 && std::strcmp(argv[1], "--check") == 0) {
        int differ = bench::check_comparisons();
        if (differ != 0) std::printf("%d comparison(s) whose sides should agree do not\n", differ);
        return differ == 0 ? 0 : 1;
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    bench::register_benchmarks();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
