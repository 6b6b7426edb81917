#include "lines_window.h"

#include <gtest/gtest.h>

namespace {

// Every step shown in runs of up to four and a half blocks: the window lies
// in the run, holds the step shown, at least a block of steps once the run
// has them, all of a run of two blocks, never more than three blocks, and
// while the run goes on from its end it only grows within a block.
TEST(LinesWindow, HoldsABoundedRunOfStepsAboutTheOneShown) {
    for (long furthest = 0; furthest <= 450; ++furthest) {
        for (long shown = 0; shown <= furthest; ++shown) {
            const LinesWindow window = linesWindow(shown, furthest);
            const long held = window.last - window.first + 1;
            ASSERT_GE(window.first, 1) << shown << " of " << furthest;
            ASSERT_LE(window.last, furthest) << shown << " of " << furthest;
            if (shown > 0) {
                ASSERT_LE(window.first, shown) << shown << " of " << furthest;
                ASSERT_GE(window.last, shown) << shown << " of " << furthest;
            }
            ASSERT_GE(held, std::min(furthest, kLinesBlock)) << shown << " of " << furthest;
            ASSERT_LE(held, 3 * kLinesBlock) << shown << " of " << furthest;
            if (furthest <= 2 * kLinesBlock) {
                ASSERT_EQ(held, furthest) << shown;
            }
        }
        if (furthest > 0 && (furthest - 1) % kLinesBlock != 0) {
            const LinesWindow before = linesWindow(furthest - 1, furthest - 1);
            const LinesWindow now = linesWindow(furthest, furthest);
            EXPECT_EQ(now.first, before.first) << furthest;
            EXPECT_EQ(now.last, before.last + 1) << furthest;
        }
    }
}

}  // namespace
