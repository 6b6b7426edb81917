#include "tracer_counts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "initial_state.h"

namespace {

// The same counts, taken site by site with nothing shared.
TracerCounts plainCount(const Volume& volume) {
    TracerCounts counts;
    float largest = 0;
    bool anyFinite = false;
    for (int plane = 0; plane < kLatticeSize; ++plane) {
        for (int row = 0; row < kLatticeSize; ++row) {
            for (int column = 0; column < kLatticeSize; ++column) {
                const float t = volume.planes[plane]->siteAt(column, row)->getTracer();
                counts.green += t > 0;
                counts.infinite += t == INFINITY || t == -INFINITY;
                counts.nan += t != t;
                if (t > 0 && std::isfinite(t) && (!anyFinite || t > largest)) {
                    largest = t;
                    anyFinite = true;
                }
            }
        }
    }
    if (anyFinite) counts.largestFinite = largest;
    return counts;
}

// The steps that matter, with the green, infinite and NaN counts that an
// independent model of the same rules gave, and its largest finite tracer
// above 0 to two figures (0 for none).
struct Seen {
    long green, infinite, nan;
    double largest;
};
const std::map<int, Seen> kSeen = {
    {0, {1, 0, 0, 0.42}},         {10, {4503, 0, 0, 7.5e6}},      {20, {24983, 0, 0, 3.5e14}},
    {48, {49290, 0, 0, 3.0e35}},  {53, {49290, 3520, 0, 3.4e38}}, {54, {46166, 5105, 3124, 3.4e38}},
    {80, {45, 1, 49245, 2.3e38}}, {86, {0, 0, 49290, 0}},
};

TEST(TracerCounts, MatchAPlainCountAndAnIndependentModelAlongTheRun) {
    auto volume = makeInitialVolume();
    int step = 0;
    for (const auto& [at, seen] : kSeen) {
        testing::internal::CaptureStdout();
        while (step < at) {
            volume->step();
            ++step;
        }
        testing::internal::GetCapturedStdout();
        const TracerCounts counts = countTracers(*volume);
        const TracerCounts plain = plainCount(*volume);
        EXPECT_EQ(counts.green, plain.green) << step;
        EXPECT_EQ(counts.infinite, plain.infinite) << step;
        EXPECT_EQ(counts.nan, plain.nan) << step;
        EXPECT_EQ(counts.largestFinite, plain.largestFinite) << step;

        EXPECT_EQ(counts.green, seen.green) << step;
        EXPECT_EQ(counts.infinite, seen.infinite) << step;
        EXPECT_EQ(counts.nan, seen.nan) << step;
        if (seen.largest == 0) {
            EXPECT_FALSE(counts.largestFinite) << step;
        } else {
            ASSERT_TRUE(counts.largestFinite) << step;
            EXPECT_NEAR(*counts.largestFinite / seen.largest, 1, 0.05) << step;
        }
    }
}

}  // namespace
