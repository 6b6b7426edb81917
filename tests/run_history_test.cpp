#include "run_history.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "initial_state.h"

namespace {

// What a step's picture is drawn from, read off the lattice.
bool tracersAre(const std::vector<float>& kept, const Volume& volume) {
    std::size_t i = 0;
    for (int plane = 0; plane < kLatticeSize; ++plane) {
        for (int row = 0; row < kLatticeSize; ++row) {
            for (int column = 0; column < kLatticeSize; ++column) {
                const float t = volume.planes[plane]->siteAt(column, row)->getTracer();
                if (std::memcmp(&t, &kept.at(i++), sizeof t) != 0) return false;
            }
        }
    }
    return i == kept.size();
}

// Every step of a run, checked as it is reached and again at the end, past
// the step from which the tracers stop changing: what is kept is the
// lattice's, bit for bit, and the steps that repeat cost no copy. Then the
// tracers that leaving out the +0 ones could get wrong: -0, the smallest
// subnormal, and +0 where a NaN was.
TEST(RunHistory, KeepsEveryStepAsItWasAndSharesTheStepsThatRepeat) {
    constexpr long kSteps = 120;
    auto volume = makeInitialVolume();
    RunHistory history(*volume);
    // A run again, step by step, to compare the kept steps with.
    auto again = makeInitialVolume();
    EXPECT_TRUE(tracersAre(history.tracers(0), *volume));
    std::size_t bytesAt90 = 0;
    testing::internal::CaptureStdout();
    for (long step = 1; step <= kSteps; ++step) {
        volume->step();
        history.record(*volume);
        if (step == 90) bytesAt90 = history.bytes();
    }
    testing::internal::GetCapturedStdout();
    ASSERT_EQ(history.furthest(), kSteps);
    for (long step = 0; step <= kSteps; ++step) {
        if (step > 0) {
            testing::internal::CaptureStdout();
            again->step();
            testing::internal::GetCapturedStdout();
        }
        ASSERT_TRUE(tracersAre(history.tracers(step), *again)) << step;
        const TracerCounts counts = countTracers(*again);
        EXPECT_EQ(history.counts(step).green, counts.green) << step;
        EXPECT_EQ(history.counts(step).nan, counts.nan) << step;
    }
    // From step 86 no site is green and nothing changes any more; before,
    // most sites are 0.
    const std::size_t copy = kLatticeSize * kSitesPerPlane * sizeof(float);
    EXPECT_LT(history.bytes() - bytesAt90, copy / 100);
    EXPECT_LT(history.bytes(), 40 * copy);

    Site& centre = *volume->planes[25]->siteAt(25, 25);
    Site& corner = *volume->planes[0]->siteAt(0, 0);
    Site& edge = *volume->planes[49]->siteAt(49, 0);
    ASSERT_TRUE(std::isnan(centre.getTracer()));
    centre.setTracer(0.0f);
    corner.setTracer(-0.0f);
    edge.setTracer(1e-45f);
    history.record(*volume);
    EXPECT_TRUE(tracersAre(history.tracers(kSteps + 1), *volume));
    EXPECT_TRUE(tracersAre(history.tracers(kSteps), *again));
}

}  // namespace
