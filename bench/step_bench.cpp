#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <memory>
#include <vector>

#include "initial_state.h"
#include "silenced_stdout.h"

namespace {

constexpr int kSteps = 60;
constexpr double kSites = 125000;
// The least a step can move: two sweeps, each reading and writing every
// site record (480 bytes apart on the heap) once.
constexpr double kFloorBytes = 2 * 2 * kSites * 480;

// Bytes read plus written per second by memcpy, measured first in the run.
double copyBandwidth = 0;

void BM_CopyBandwidth(benchmark::State& state) {
    const size_t bytes = size_t{256} << 20;
    std::vector<char> from(bytes, 1), to(bytes, 0);
    double seconds = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    copyBandwidth = 2.0 * bytes * state.iterations() / seconds;
    state.counters["GB_per_s"] = copyBandwidth / 1e9;
}
BENCHMARK(BM_CopyBandwidth)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();

// Mean of steps 1..kSteps from a fresh seed: the values a step meets change
// its cost (infinities and NaNs appear from step 53), so single steps are
// not representative.
void BM_Step(benchmark::State& state) {
    const SilencedStdout silenced;
    double seconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto volume = makeInitialVolume();
        const auto start = std::chrono::steady_clock::now();
        state.ResumeTiming();
        for (int s = 0; s < kSteps; ++s) volume->step();
        state.PauseTiming();
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        volume.reset();
        state.ResumeTiming();
    }
    const double stepSeconds = seconds / (state.iterations() * kSteps);
    state.counters["ms_per_step"] = 1e3 * stepSeconds;
    state.counters["MLUPS"] = kSites / stepSeconds / 1e6;
    if (copyBandwidth > 0) {
        const double floorSeconds = kFloorBytes / copyBandwidth;
        state.counters["floor_ms"] = 1e3 * floorSeconds;
        state.counters["x_floor"] = stepSeconds / floorSeconds;
    }
}
BENCHMARK(BM_Step)->Unit(benchmark::kMillisecond)->MinTime(3.0)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
