#include "site.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(Site, ConstructedWithOnlyItsRestLinkConnected) {
    const Site site(0.25f, 0.5f);
    EXPECT_EQ(site.links[0].neighbour, &site);
    EXPECT_EQ(site.links[0].length, 0.0f);
    for (DirectionIndex i = 0; i < kDirectionCount; ++i) {
        const Link& link = site.links[i];
        if (i > 0) {
            EXPECT_EQ(link.neighbour, nullptr) << i;
            EXPECT_EQ(link.length, i <= 6 ? 0.5f : 0.70710677f) << i;
        }
        EXPECT_EQ(link.f, 0.0f);
        EXPECT_EQ(link.feq, 0.0f);
        EXPECT_EQ(link.fpost, 0.0f);
    }
    EXPECT_EQ(site.density, 0.0f);
    EXPECT_EQ(site.speed, 0.0f);
    EXPECT_FALSE(site.getIsSource());
    EXPECT_EQ(site.getTracer(), 0.25f);
    EXPECT_EQ(site.computeDensity(), 0.0f);
}

TEST(Site, SetLinkWiresOneLinkAndKeepsItsStepValues) {
    Site site(0.0f, 0.5f);
    Site other(0.0f, 0.5f);
    site.links[4] = Link{nullptr, 9.0f, 3.0f, 1.5f, 2.5f};
    site.setLink(1, 0, 0, &other, 0.5f);
    EXPECT_EQ(site.links[4].neighbour, &other);
    EXPECT_EQ(site.links[4].length, 0.5f);
    EXPECT_EQ(site.links[4].f, 0.0f);
    EXPECT_EQ(site.links[4].feq, 1.5f);
    EXPECT_EQ(site.links[4].fpost, 2.5f);
    site.setLink(1, 1, 0, &other, 2.0f);
    EXPECT_EQ(site.links[13].neighbour, &other);
    EXPECT_EQ(site.links[13].length, 2.828427f);
}

TEST(Site, DensityAndSpeedCountOnlyConnectedLinks) {
    Site site(0.0f, 0.5f);
    Site other(0.0f, 0.5f);
    site.links[0].f = 1.0f;
    site.links[9].f = 100.0f;  // no neighbour: left out of both sums
    EXPECT_EQ(site.computeDensity(), 1.0f);
    EXPECT_EQ(site.computeSpeed(1.0f), 0.0f);

    site.setLink(1, 0, 0, &other, 0.5f);
    site.links[4].f = 1.0f;
    EXPECT_EQ(site.computeDensity(), 2.0f);
    EXPECT_EQ(site.computeSpeed(2.0f), 0.25f);
}

TEST(Site, SpeedOfZeroDensityIsZeroWhateverTheLinksHold) {
    Site site(0.0f, 0.5f);
    Site other(0.0f, 0.5f);
    site.setLink(1, 0, 0, &other, 0.5f);
    site.links[4].f = 3.0f;
    EXPECT_EQ(site.computeSpeed(0.0f), 0.0f);
    EXPECT_EQ(site.computeSpeed(-0.0f), 0.0f);
    EXPECT_TRUE(std::isnan(site.computeSpeed(std::nanf(""))));
}

TEST(Site, SpeedRoundsTheDoubleQuotientOnce) {
    Site site(0.0f, 0.5f);
    Site other(0.0f, 0.5f);
    site.setLink(1, 0, 0, &other, 0.5f);
    site.setLink(1, 1, 0, &other, 0.5f);
    site.links[4].f = 1.0f;
    site.links[13].f = 1.0f;
    // A reciprocal rounded to single precision first would give 0.40236896.
    EXPECT_EQ(site.computeSpeed(3.0f), 0.40236893f);
}

}  // namespace
