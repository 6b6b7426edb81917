#include <gtest/gtest.h>

#include "lattice_fixture.h"

namespace {

constexpr float kRest = -0.06999999f;  // not the float nearest -0.07
constexpr float kAxis = 0.049583334f;
constexpr float kDiagonal = 0.024791667f;

float seededPopulation(DirectionIndex i) { return i == 0 ? kRest : (i <= 6 ? kAxis : kDiagonal); }

class Seeding : public SharedVolume {
protected:
    static void SetUpTestSuite() { volume = makeInitialVolume(); }
};

TEST_F(Seeding, SourceGetsTracerFlagAndPopulations) {
    const Site* source = at(25, 25, 25);
    EXPECT_TRUE(source->getIsSource());
    EXPECT_EQ(source->getTracer(), 0.42f);
    float density = 0.0f;
    for (DirectionIndex i = 0; i < kDirectionCount; ++i) {
        EXPECT_EQ(source->links[i].f, seededPopulation(i)) << i;
        EXPECT_EQ(source->links[i].length, i == 0 ? 0.0f : (i <= 6 ? 0.5f : 0.70710677f)) << i;
        density += source->links[i].f;
    }
    EXPECT_EQ(density, 0.5249999f);
    EXPECT_EQ(source->computeDensity(), 0.5249999f);
}

TEST_F(Seeding, OnlyTheNeighboursFacingLinksChangeElsewhere) {
    const Site* source = at(25, 25, 25);
    EXPECT_EQ(at(26, 25, 25)->links[2].f, kAxis);
    EXPECT_EQ(at(26, 26, 25)->links[12].f, kDiagonal);
    EXPECT_EQ(at(25, 25, 26)->links[1].f, kAxis);

    int changed = 0;
    for (const auto& plane : volume->planes) {
        for (const auto& site : plane->sites) {
            if (site.get() == source) continue;
            if (site->getTracer() != 0.0f || site->getIsSource()) ++changed;
            for (DirectionIndex i = 0; i < kDirectionCount; ++i) {
                const bool facesSource = site->links[i].neighbour == source;
                const float expected = facesSource ? seededPopulation(opposite(i)) : 0.0f;
                if (site->links[i].f != expected) ++changed;
            }
        }
    }
    EXPECT_EQ(changed, 0);
}

TEST(SeedingElsewhere, FaceSourceWritesOnlyThroughExistingLinks) {
    Volume volume(kTau, kLinkScale);
    volume.seedSource(0, 10, 10, 0.42f, 0.5f);
    const Site* source = volume.planes[10]->siteAt(0, 10);
    EXPECT_EQ(source->links[2].neighbour, nullptr);
    EXPECT_EQ(source->links[2].f, kAxis);
    EXPECT_EQ(source->links[7].f, kDiagonal);
    EXPECT_EQ(volume.planes[10]->siteAt(49, 10)->links[4].f, 0.0f);  // no wrap-around
    EXPECT_EQ(volume.planes[10]->siteAt(1, 10)->links[2].f, kAxis);

    // A second seeding replaces rather than accumulates.
    volume.seedSource(0, 10, 10, 0.42f, 0.5f);
    EXPECT_EQ(source->getTracer(), 0.42f);
    EXPECT_EQ(source->links[0].f, kRest);
    EXPECT_EQ(volume.planes[10]->siteAt(1, 10)->links[2].f, kAxis);

    // Another link scale changes the source's lengths, not its neighbours'.
    volume.seedSource(0, 10, 10, 0.42f, 1.0f);
    EXPECT_EQ(source->links[4].length, 1.0f);
    EXPECT_EQ(source->links[13].length, 1.4142135f);
    EXPECT_EQ(volume.planes[10]->siteAt(1, 10)->links[2].length, 0.5f);
    // 0.42 * (1/18 + 1/6 + 1/4 - 1/12), rounded as the seeding rounds it.
    EXPECT_EQ(source->links[4].f, 0.16333333f);
}

}  // namespace
