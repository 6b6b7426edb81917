#include "step_summary.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace {

TEST(StepSummary, SaysTheCountsAsAReaderWritesThem) {
    TracerCounts step53;
    step53.green = 49290;
    step53.infinite = 3520;
    step53.largestFinite = 3.4e38f;
    EXPECT_EQ(summaryOf(step53),
              "49,290 green, 3,520 infinite, 0 NaN; the largest finite tracer 3.4e38");
    TracerCounts allNan;
    allNan.nan = 49290;
    EXPECT_EQ(summaryOf(allNan), "0 green, 0 infinite, 49,290 NaN; no finite tracer above 0");

    for (const auto& [count, text] : {std::pair<long, const char*>{0, "0"}, {999, "999"},
                                      {1000, "1,000"}, {125000, "125,000"},
                                      {1234567, "1,234,567"}}) {
        EXPECT_EQ(withThousands(count), text);
    }
    // The largest float, the smallest subnormal, and figures either side of
    // where %g turns to an exponent.
    for (const auto& [value, text] : {std::pair<float, const char*>{0.42f, "0.42"},
                                      {7.5e6f, "7.5e6"}, {3.0e35f, "3.0e35"},
                                      {FLT_MAX, "3.4e38"}, {1e-45f, "1.4e-45"},
                                      {99.0f, "99"}, {0.0001f, "0.00010"},
                                      {0.00001f, "1.0e-5"}}) {
        EXPECT_EQ(twoFigures(value), text);
    }
}

}  // namespace
