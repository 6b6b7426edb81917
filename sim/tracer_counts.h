#pragma once

#include <optional>

#include "lattice.h"

// What the lattice's tracers are after a step, counted over every site.
struct TracerCounts {
    long green = 0;  // above 0, infinite ones included: they draw a green point
    long infinite = 0;
    long nan = 0;
    // The largest finite tracer above 0; none when no site has one, as from
    // the step on which every tracer the run reached has become NaN.
    std::optional<float> largestFinite;

    // Counts one more site's tracer.
    void add(float tracer);
};

// Reads the lattice only.
TracerCounts countTracers(const Volume& volume);
