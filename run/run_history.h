#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "lattice.h"
#include "tracer_counts.h"

// Every step of a run reached so far, kept so that any of them can be shown
// again exactly as it was drawn. A step's picture is drawn from its sites'
// tracers alone (the rest of the scene never changes), so those are kept,
// with the step's counts. Most sites' tracers are 0 at any step, the source
// reaching only 49,290 of the 125,000: a step keeps which sites have a
// tracer other than +0 and those tracers only. A run's tracers stop
// changing once every site the source reached is NaN, about step 86: a step
// whose tracers are bit for bit the step before's shares that step's copy,
// and a long run costs little more than its first hundred steps.
class RunHistory {
public:
    // Starts with step 0, the lattice as it is now.
    explicit RunHistory(const Volume& volume);

    // Keeps the step the lattice has just taken, the one after furthest().
    void record(const Volume& volume);

    // The furthest step reached.
    long furthest() const { return static_cast<long>(steps.size()) - 1; }
    // For a step from 0 to furthest(): every site's tracer, bit for bit,
    // plane by plane, row by row, column by column, and the counts over
    // them.
    std::vector<float> tracers(long step) const;
    const TracerCounts& counts(long step) const { return steps[step].counts; }

    // The memory it holds, in bytes.
    std::size_t bytes() const;

private:
    // A step's tracers: a bit a site, set where the tracer's bits are not
    // all 0, and the tracers of those sites in order.
    struct Tracers {
        std::vector<std::uint32_t> kept;
        std::vector<float> values;
        bool operator==(const Tracers& other) const;
    };
    struct Step {
        std::shared_ptr<const Tracers> tracers;
        TracerCounts counts;
    };
    std::vector<Step> steps;
};
