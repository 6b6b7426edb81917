#pragma once

#include <FL/Fl.H>

#include <chrono>

// Runs the toolkit's event loop for `seconds`; returns the wall time it took.
inline double runFor(double seconds) {
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    double elapsed = 0;
    while (elapsed < seconds) {
        Fl::wait(seconds - elapsed);
        elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    }
    return elapsed;
}
