// Needs a display: run it under Xvfb, for example
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bench/frame_bench
//
// Frames of the program's renderer against the plain one (every point with
// its own size change and every shell marker drawn), interleaved in one run,
// after 0 steps and after 40 to 50 steps, when the most sites are green.
// Then the window's own event loop: the frame rate during a drag, and the
// CPU that an untouched window costs.
#include <FL/Fl.H>
#include <FL/gl.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

#include "counting_window.h"
#include "event_loop.h"
#include "initial_state.h"
#include "plain_renderer.h"
#include "scene.h"
#include "silenced_stdout.h"
#include "viewer_window.h"

namespace {

using Clock = std::chrono::steady_clock;

CountingWindow* window = nullptr;
int stepsTaken = 0;

// Brings the window's lattice to the state after `steps` steps.
void advanceTo(int steps) {
    if (steps < stepsTaken) {
        delete window->volume;
        window->volume = makeInitialVolume().release();
        stepsTaken = 0;
    }
    const SilencedStdout silenced;
    for (; stepsTaken < steps; ++stepsTaken) window->volume->step();
    window->drawnLatticeIsCurrent = false;
}

template <typename Draw>
double secondsFor(Draw draw) {
    const auto start = Clock::now();
    draw();
    glFinish();
    return std::chrono::duration<double>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

double minimum(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

// Pairs of frames, the program's and the plain one, taking turns to go first.
void BM_Frame(benchmark::State& state) {
    constexpr int kPairs = 15;
    advanceTo(static_cast<int>(state.range(0)));
    window->camera = kInitialCamera;
    window->make_current();
    auto program = [] { window->draw(); };
    auto plain = [] {
        drawPlainly(*window->volume, window->camera, window->pixel_w(), window->pixel_h());
    };
    std::vector<double> programSeconds, plainSeconds, ratios;
    secondsFor(program);  // warm-up, not counted
    secondsFor(plain);
    for (auto _ : state) {
        for (int pair = 0; pair < kPairs; ++pair) {
            double a, b;
            if (pair % 2) {
                a = secondsFor(program);
                b = secondsFor(plain);
            } else {
                b = secondsFor(plain);
                a = secondsFor(program);
            }
            programSeconds.push_back(a);
            plainSeconds.push_back(b);
            ratios.push_back(a / b);
        }
    }
    state.counters["ms_min"] = 1e3 * minimum(programSeconds);
    state.counters["ms_median"] = 1e3 * median(programSeconds);
    state.counters["plain_ms_min"] = 1e3 * minimum(plainSeconds);
    state.counters["plain_ms_median"] = 1e3 * median(plainSeconds);
    // A stall can hit either frame of a pair, so the least ratio of a pair
    // says little: compare the fastest frames instead.
    state.counters["x_plain_min"] = minimum(programSeconds) / minimum(plainSeconds);
    state.counters["x_plain_median"] = median(ratios);
}
BENCHMARK(BM_Frame)->Arg(0)->Arg(40)->Arg(45)->Arg(50)->Iterations(1)->Unit(
    benchmark::kMillisecond);

// Runs the event loop with the window's frame timer for `seconds`; returns
// the wall time it took.
double runEventLoop(double seconds) {
    Fl::add_timeout(0.0, timerTick, window);
    const double elapsed = runFor(seconds);
    Fl::remove_timeout(timerTick, window);
    return elapsed;
}

// Moves the pointer of an orbit drag by a pixel on every pass of the event
// loop, so that every tick finds the camera changed.
void movePointer(void*) {
    Fl::e_x = window->drag.mouseX > 0 ? window->drag.mouseX - 1 : window->w();
    window->handle(FL_DRAG);
}

// Frames per second that the window's own event loop and 25 ms timer show
// while the user orbits, median of three runs.
double draggedFramesPerSecond = 0;

void BM_DragFrameRate(benchmark::State& state) {
    constexpr double kSeconds = 3;
    advanceTo(static_cast<int>(state.range(0)));
    window->camera = kInitialCamera;
    Fl::e_x = window->w() / 2;
    Fl::e_y = window->h() / 2;
    Fl::e_keysym = FL_Button + FL_LEFT_MOUSE;
    window->handle(FL_PUSH);
    Fl::add_check(movePointer);
    std::vector<double> rates;
    for (auto _ : state) {
        for (int run = 0; run < 3; ++run) {
            const long before = window->draws;
            const double elapsed = runEventLoop(kSeconds);
            rates.push_back((window->draws - before) / elapsed);
        }
    }
    Fl::remove_check(movePointer);
    window->handle(FL_RELEASE);
    const double fps = median(rates);
    if (state.range(0) == 0) draggedFramesPerSecond = fps;
    state.counters["frames_per_s"] = fps;
    if (draggedFramesPerSecond > 0) state.counters["x_step_0"] = fps / draggedFramesPerSecond;
}
BENCHMARK(BM_DragFrameRate)->Arg(0)->Arg(45)->Iterations(1)->Unit(benchmark::kMillisecond);

// All of the process's threads, as std::clock counts them on Linux.
double processCpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// The CPU that an open window nobody touches costs, all of the process's
// threads (the GL library's among them), in per cent of one core. The X
// server's share is not counted.
void BM_IdleWindowCpu(benchmark::State& state) {
    constexpr double kSeconds = 5;
    advanceTo(static_cast<int>(state.range(0)));
    window->camera = kInitialCamera;
    runEventLoop(0.5);  // the picture of the new state, not counted
    double percent = 0;
    for (auto _ : state) {
        const double cpuBefore = processCpuSeconds();
        const double elapsed = runEventLoop(kSeconds);
        percent = 100 * (processCpuSeconds() - cpuBefore) / elapsed;
    }
    state.counters["cpu_percent_of_core"] = percent;
}
BENCHMARK(BM_IdleWindowCpu)->Arg(0)->Arg(45)->Iterations(1)->Unit(benchmark::kMillisecond);

// The walk over sites and links that a frame makes, without any GL call.
void BM_TraversalOnly(benchmark::State& state) {
    for (auto _ : state) {
        int points = 0;
        forEachSiteInDrawingOrder(
            *window->volume, [](int) {},
            [&](const Site& site, int, int) {
                points += site.getTracer() > 0;
                points += hasNullLink(site);
            });
        benchmark::DoNotOptimize(points);
    }
}
BENCHMARK(BM_TraversalOnly)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Fl::visual(FL_RGB);
    window = new CountingWindow(kWindowX, kWindowY, kWindowWidth, kWindowHeight, kWindowTitle);
    window->show();
    while (!window->visible()) Fl::wait();
    window->make_current();
    window->draw();  // sets the context up once
    window->valid(1);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
