#include "step.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "initial_state.h"
#include "lattice.h"

namespace {

std::string stepsOutput(Volume& volume, int steps) {
    testing::internal::CaptureStdout();
    for (int s = 0; s < steps; ++s) volume.step();
    return testing::internal::GetCapturedStdout();
}

std::string readFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

template <typename F>
void forEachSite(Volume& volume, F&& visit) {
    for (const auto& plane : volume.planes) {
        for (const auto& site : plane->sites) visit(*site);
    }
}

TEST(Step, FirstStepAtTheSource) {
    auto volume = makeInitialVolume();
    stepsOutput(*volume, 1);
    const Site& source = *volume->planes[25]->siteAt(25, 25);
    EXPECT_EQ(source.density, 0.5249999f);
    EXPECT_EQ(source.speed, 0.6840272f);
    const float feq[] = {0.05217803f, 0.12995969f, 0.10808115f};
    const float post[] = {0.14817503f, 0.19311254f, 0.17352289f};
    for (DirectionIndex i = 0; i < kDirectionCount; ++i) {
        const int cls = i == 0 ? 0 : (i <= 6 ? 1 : 2);
        EXPECT_EQ(source.links[i].feq, feq[cls]) << i;
        EXPECT_EQ(source.links[i].f, post[cls]) << i;
    }
    EXPECT_EQ(source.getTracer(), 0.31096154f);

    int pending = 0;
    forEachSite(*volume, [&](const Site& site) {
        for (const Link& link : site.links) pending += link.fpost != 0.0f;
    });
    EXPECT_EQ(pending, 0);
}

TEST(Step, ThirtyStepsPrintTheReferenceOutput) {
    auto volume = makeInitialVolume();
    const std::string output = stepsOutput(*volume, 30);
    EXPECT_EQ(output, readFile(REFERENCE_OUTPUT));
}

TEST(Step, PrintedValuesStayExactlyZeroUntilTheFrontArrives) {
    auto volume = makeInitialVolume();
    const Plane& plane = *volume->planes[25];
    std::string zeroStep;
    for (int col = 0; col < 10; ++col) {
        zeroStep += "Lattice " + std::to_string(col) + ": 0.000000 / 0.000000\n";
    }
    zeroStep += "\n";
    for (int s = 1; s <= 14; ++s) {
        ASSERT_EQ(stepsOutput(*volume, 1), zeroStep) << "step " << s;
        for (int col = 0; col < 10; ++col) {
            ASSERT_EQ(plane.siteAt(col, 9)->getTracer(), 0.0f) << "step " << s;
            ASSERT_EQ(plane.siteAt(col, 9)->links[4].f, 0.0f) << "step " << s;
        }
    }
    EXPECT_EQ(stepsOutput(*volume, 1), zeroStep);
    EXPECT_GT(plane.siteAt(9, 9)->getTracer(), 0.0f);
    const std::string step16 = stepsOutput(*volume, 1);
    EXPECT_NE(step16, zeroStep);
    EXPECT_NE(step16.find("Lattice 9: 0.000002 / 0.000000\n"), std::string::npos);
}

TEST(Step, TracersFirstOverflowInStep53) {
    auto volume = makeInitialVolume();
    int firstInfinite = 0;
    testing::internal::CaptureStdout();
    for (int s = 1; s <= 53 && firstInfinite == 0; ++s) {
        volume->step();
        forEachSite(*volume, [&](const Site& site) {
            if (std::isinf(site.getTracer()) && firstInfinite == 0) firstInfinite = s;
        });
    }
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(firstInfinite, 53);
}

// Two sites joined by link 4 of `a` and link 2 of `b`, as the lattice wires them.
struct LinkedPair {
    Site a{0.0f, 0.5f};
    Site b{0.0f, 0.5f};
    LinkedPair() {
        a.setLink(1, 0, 0, &b, 0.5f);
        b.setLink(-1, 0, 0, &a, 0.5f);
    }
};

TEST(Streaming, FirstSiteReachedKeepsTheLargerValueOnlyIfStrictlyLarger) {
    LinkedPair pair;
    pair.a.links[4].fpost = 1.0f;
    pair.b.links[2].fpost = 2.0f;
    streamSite(pair.a);
    EXPECT_EQ(pair.b.links[2].f, 1.0f);  // raised, then overwritten by b's own value
    streamSite(pair.b);
    EXPECT_EQ(pair.a.links[4].f, 2.0f);
    EXPECT_EQ(pair.b.links[2].f, 2.0f);
    EXPECT_EQ(pair.a.getTracer(), 2.0f);
    EXPECT_EQ(pair.b.getTracer(), 1.0f);
    EXPECT_EQ(pair.a.links[4].fpost, 0.0f);

    LinkedPair zeros;
    zeros.a.links[4].fpost = 0.0f;
    zeros.b.links[2].f = -0.0f;
    streamSite(zeros.a);
    EXPECT_TRUE(std::signbit(zeros.b.links[2].f));  // +0 is not greater than -0
}

TEST(Streaming, NaNIsDeliveredButNeverRaises) {
    LinkedPair pair;
    pair.b.links[2].f = 5.0f;
    pair.a.links[4].fpost = std::nanf("");
    streamSite(pair.a);
    EXPECT_TRUE(std::isnan(pair.a.links[4].f));
    EXPECT_TRUE(std::isnan(pair.b.getTracer()));
    EXPECT_EQ(pair.b.links[2].f, 5.0f);
}

TEST(Streaming, RestAndOpenLinksDeliverToTheSiteItself) {
    Site site(1.0f, 0.5f);
    site.links[0].fpost = 0.5f;
    site.links[9].fpost = -2.0f;  // no neighbour
    streamSite(site);
    EXPECT_EQ(site.getTracer(), -0.5f);
    EXPECT_EQ(site.links[0].f, 0.5f);
    EXPECT_EQ(site.links[9].f, -2.0f);
    EXPECT_EQ(site.links[9].fpost, 0.0f);
}

TEST(Collision, ZeroSumPopulationsRelaxWithZeroEquilibrium) {
    Site site(0.0f, 0.5f);
    site.links[0].f = 1.0f;
    site.links[9].f = 7.0f;  // no neighbour: outside the density, inside the collision
    Site other(0.0f, 0.5f);
    site.setLink(1, 0, 0, &other, 0.5f);
    site.links[4].f = -1.0f;
    collideSite(site, 1.7857143f);
    EXPECT_EQ(site.density, 0.0f);
    EXPECT_EQ(site.speed, 0.0f);
    for (const Link& link : site.links) EXPECT_EQ(link.feq, 0.0f);
    EXPECT_EQ(site.links[0].fpost, static_cast<float>(1.0 - 1.7857143f * 1.0));
    EXPECT_GT(site.links[4].fpost, 0.0f);
    EXPECT_LT(site.links[9].fpost, 0.0f);
}

}  // namespace
