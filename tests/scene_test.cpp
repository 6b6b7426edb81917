#include "scene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// A colour lit by the scene's light, as 8-bit values.
int litLevel(float channel) {
    return static_cast<int>(std::lround(std::min(1.0f, channel * lightingFactor()) * 255));
}

TEST(Scene, EveryVertexIsLitToTheAmbientPlusTheLightsCosine) {
    EXPECT_FLOAT_EQ(lightingFactor(), 0.2f + static_cast<float>(1 / std::sqrt(3.0)));
    // What the desktop program shows on the X server: magenta (198, 0, 198)
    // and the shell's blue (20, 119, 198).
    EXPECT_EQ(litLevel(1.0f), 198);
    EXPECT_EQ(litLevel(kShellColour[0]), 20);
    EXPECT_EQ(litLevel(kShellColour[1]), 119);
    EXPECT_EQ(litLevel(kShellColour[2]), 198);
}

TEST(Scene, SitesLieWhereTheTurnAndTheOffsetsPutThem) {
    // The desktop's transforms: a turn of 180 degrees about z, then x moved
    // by -25 and by 1 before each plane.
    const double turn = kLatticeTurn * 3.141592653589793 / 180;
    for (int plane : {0, 24, 25, 49}) {
        for (int column : {0, 13, 49}) {
            for (int row : {0, 31, 49}) {
                const double x = -kLatticeHalf + plane + 1;
                const double y = column - kLatticeHalf;
                const WorldPoint at = sitePosition(column, row, plane);
                EXPECT_NEAR(at.x, std::cos(turn) * x - std::sin(turn) * y, 1e-9);
                EXPECT_NEAR(at.y, std::sin(turn) * x + std::cos(turn) * y, 1e-9);
                EXPECT_EQ(at.z, row - kLatticeHalf);
            }
        }
    }
    // The source, in the plane of the cube's blue face.
    const WorldPoint source = sitePosition(25, 25, 25);
    EXPECT_EQ(source.x, -1);
    EXPECT_EQ(source.y, 0);
    EXPECT_EQ(source.z, 0);
}

TEST(Scene, ASiteShowsItsTracerElseItsShellMarker) {
    Site shell(0.0f, 0.5f);  // no link wired: on the shell
    Site inner(0.0f, 0.5f);
    for (Link& link : inner.links) link.neighbour = &shell;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        float tracer;
        SitePoint onShell, inside;
    } cases[] = {
        {0.25f, SitePoint::kTracer, SitePoint::kTracer},
        {inf, SitePoint::kTracer, SitePoint::kTracer},
        {1e-30f, SitePoint::kTracer, SitePoint::kTracer},
        {0.0f, SitePoint::kShell, SitePoint::kNone},
        {-0.5f, SitePoint::kShell, SitePoint::kNone},
        {nan, SitePoint::kShell, SitePoint::kNone},
    };
    for (const auto& c : cases) {
        shell.setTracer(c.tracer);
        inner.setTracer(c.tracer);
        EXPECT_EQ(pointOf(shell), c.onShell) << c.tracer;
        EXPECT_EQ(pointOf(inner), c.inside) << c.tracer;
    }
}

}  // namespace
