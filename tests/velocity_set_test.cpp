#include "velocity_set.h"

#include <gtest/gtest.h>

#include "site.h"

namespace {

struct Triple {
    int dx, dy, dz;
};

// The D3Q19 numbering, written out independently of the library's table.
constexpr Triple kExpected[kDirectionCount] = {
    {0, 0, 0},   {0, 0, -1}, {-1, 0, 0}, {0, 1, 0},   {1, 0, 0},   {0, -1, 0}, {0, 0, 1},
    {-1, 0, -1}, {0, 1, -1}, {1, 0, -1}, {0, -1, -1}, {-1, -1, 0}, {-1, 1, 0}, {1, 1, 0},
    {1, -1, 0},  {-1, 0, 1}, {0, 1, 1},  {1, 0, 1},   {0, -1, 1},
};

TEST(VelocitySet, DirectionOfKnownAndUnknownTriples) {
    EXPECT_EQ(directionOf(0, 0, 0), 0);
    EXPECT_EQ(directionOf(1, 0, 0), 4);
    EXPECT_EQ(directionOf(0, -1, 1), 18);
    EXPECT_EQ(directionOf(-1, 1, 0), 12);
    EXPECT_EQ(directionOf(1, 1, 1), -1);
    EXPECT_EQ(directionOf(2, 0, 0), -1);
    EXPECT_EQ(directionOf(0, 0, -2), -1);
}

TEST(VelocitySet, EveryIndexRoundTripsAndOppositeNegates) {
    int fixedPoints = 0;
    for (DirectionIndex i = 0; i < kDirectionCount; ++i) {
        const Triple e = kExpected[i];
        EXPECT_EQ(directionOf(e.dx, e.dy, e.dz), i);
        const DirectionIndex o = opposite(i);
        ASSERT_GE(o, 0);
        ASSERT_LT(o, kDirectionCount);
        EXPECT_EQ(opposite(o), i);
        const Triple n = kExpected[o];
        EXPECT_EQ(n.dx, -e.dx) << i;
        EXPECT_EQ(n.dy, -e.dy) << i;
        EXPECT_EQ(n.dz, -e.dz) << i;
        if (o == i) ++fixedPoints;
    }
    EXPECT_EQ(fixedPoints, 1);
}

TEST(VelocitySet, ConstantsFollowTheDirectionClass) {
    EXPECT_EQ(velocityLength(0), 0.0f);
    EXPECT_EQ(velocityLength(7), 1.4142135f);
    EXPECT_EQ(velocityLength(18), 1.4142135f);
    EXPECT_EQ(linearCoefficient(0), 0.0f);
    EXPECT_EQ(quadraticCoefficient(0), 0.0f);
    EXPECT_EQ(speedSquaredCoefficient(0), -0.5f);
    EXPECT_EQ(speedSquaredCoefficient(12), -0.041666668f);

    const float axis[] = {1.0f, 0.055555556f, 0.16666667f, 0.25f, -0.083333336f};
    const float diagonal[] = {1.4142135f, 0.027777778f, 0.083333336f, 0.125f, -0.041666668f};
    for (DirectionIndex i = 1; i < kDirectionCount; ++i) {
        const float* expected = i <= 6 ? axis : diagonal;
        EXPECT_EQ(velocityLength(i), expected[0]) << i;
        EXPECT_EQ(weight(i), expected[1]) << i;
        EXPECT_EQ(linearCoefficient(i), expected[2]) << i;
        EXPECT_EQ(quadraticCoefficient(i), expected[3]) << i;
        EXPECT_EQ(speedSquaredCoefficient(i), expected[4]) << i;
    }
}

TEST(VelocitySet, WeightsSumToOneUpToSinglePrecision) {
    float sum = 0.0f;
    for (DirectionIndex i = 0; i < kDirectionCount; ++i) sum += weight(i);
    EXPECT_EQ(sum, 1.0000002f);
}

}  // namespace
