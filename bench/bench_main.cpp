// The one main of velmora_bench: every bench/*.cpp registers its benchmarks.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
