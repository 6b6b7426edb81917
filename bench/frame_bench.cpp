// Needs a display: run it under Xvfb, for example
//   xvfb-run -s "-screen 0 1280x1024x24" build/bench/frame_bench
#include <FL/Fl.H>
#include <FL/gl.h>
#include <benchmark/benchmark.h>

#include <chrono>

#include "scene.h"
#include "viewer_window.h"

namespace {

class CountingWindow : public ViewerWindow {
public:
    using ViewerWindow::ViewerWindow;
    void draw() override {
        ViewerWindow::draw();
        ++frames;
    }
    long frames = 0;
};

CountingWindow* window = nullptr;

void drawFrame() {
    window->make_current();
    window->draw();
    glFinish();
}

void BM_FirstFrame(benchmark::State& state) {
    for (auto _ : state) drawFrame();
}
BENCHMARK(BM_FirstFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the 25 ms frame timer actually reaches with nothing else going on.
void BM_IdleFrameRate(benchmark::State& state) {
    constexpr double kSeconds = 3;
    double fps = 0;
    for (auto _ : state) {
        const long before = window->frames;
        const auto start = std::chrono::steady_clock::now();
        Fl::add_timeout(0.0, timerTick, window);
        double elapsed = 0;
        while (elapsed < kSeconds) {
            Fl::wait(kSeconds - elapsed);
            elapsed =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        }
        Fl::remove_timeout(timerTick, window);
        fps = (window->frames - before) / elapsed;
    }
    state.counters["frames_per_s"] = fps;
}
BENCHMARK(BM_IdleFrameRate)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every site with a positive tracer: 125,000 tracer points and the shell.
void BM_WorstCaseFrame(benchmark::State& state) {
    for (const auto& plane : window->volume->planes) {
        for (const auto& site : plane->sites) site->setTracer(0.5f);
    }
    for (auto _ : state) drawFrame();
}
BENCHMARK(BM_WorstCaseFrame)->Unit(benchmark::kMillisecond)->UseRealTime();

// The walk over sites and links that a frame makes, without any GL call.
void BM_TraversalOnly(benchmark::State& state) {
    for (auto _ : state) {
        int points = 0;
        forEachSiteInDrawingOrder(
            *window->volume, [] {},
            [&](const Site& site, int, int) {
                points += site.getTracer() > 0;
                points += hasNullLink(site);
            });
        benchmark::DoNotOptimize(points);
    }
}
BENCHMARK(BM_TraversalOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    Fl::visual(FL_RGB);
    window = new CountingWindow(100, 100, 800, 600, "World");
    window->show();
    while (!window->visible()) Fl::wait();
    drawFrame();  // sets the context up once
    window->valid(1);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
