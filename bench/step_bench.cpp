#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "lattice.h"

namespace {

constexpr int kSteps = 60;
constexpr double kSites = 125000;
// What a sweep must move at least: every site record read and written once.
constexpr double kRecordStride = 480;
constexpr double kFloorBytes = 2 * 2 * kSites * kRecordStride;

// Mean time of steps 1..kSteps from a fresh seed: the values a step meets
// change its cost (infinities and NaNs appear from step 53), so single steps
// are not representative. The diagnostic print goes to /dev/null.
void BM_Step(benchmark::State& state) {
    FILE* sink = std::freopen("/dev/null", "w", stdout);
    for (auto _ : state) {
        state.PauseTiming();
        auto volume = std::make_unique<Volume>(0.56f, 0.5f);
        volume->seedSource(25, 25, 25, 0.42f, 0.5f);
        state.ResumeTiming();
        for (int s = 0; s < kSteps; ++s) volume->step();
        state.PauseTiming();
        volume.reset();
        state.ResumeTiming();
    }
    if (sink) std::fflush(stdout);
    state.SetItemsProcessed(state.iterations() * kSteps * static_cast<int64_t>(kSites));
    state.counters["ms_per_step"] = benchmark::Counter(
        1e3 * kSteps, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Step)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

// Copy bandwidth over 256 MiB, counting bytes read plus bytes written.
void BM_Copy(benchmark::State& state) {
    const size_t bytes = size_t{256} << 20;
    std::vector<char> from(bytes, 1), to(bytes, 0);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(2 * bytes));
}
BENCHMARK(BM_Copy)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
