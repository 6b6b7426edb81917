// The step may visit the lattice in any order that gives the same bits. This
// compares it with a plain step written straight from the rules: every site
// collided (planes up, rows and columns down), then every site streamed
// (planes, rows and columns up), each link computed on its own.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "initial_state.h"
#include "lattice.h"

namespace {

float plainEquilibrium(DirectionIndex i, float density, float speed) {
    const float s = velocityLength(i) * speed;
    const float linear = linearCoefficient(i) * s;
    const float quadratic = quadraticCoefficient(i) * (s * s);
    const float speedSquared =
        static_cast<float>(static_cast<double>(speedSquaredCoefficient(i)) * speed * speed);
    return static_cast<float>(static_cast<double>(density) *
                              (static_cast<double>(weight(i)) + linear + quadratic + speedSquared));
}

void plainStep(Volume& volume) {
    const float inverseTau = static_cast<float>(1.0 / static_cast<double>(volume.tau));
    for (int plane = 0; plane < kLatticeSize; ++plane) {
        for (int row = kLatticeSize - 1; row >= 0; --row) {
            for (int column = kLatticeSize - 1; column >= 0; --column) {
                Site& site = *volume.planes[plane]->siteAt(column, row);
                site.density = site.computeDensity();
                site.speed = site.computeSpeed(site.density);
                for (DirectionIndex i = 0; i < kDirectionCount; ++i) {
                    Link& link = site.links[i];
                    link.feq = plainEquilibrium(i, site.density, site.speed);
                    const float deviation = link.f - link.feq;
                    link.fpost = static_cast<float>(static_cast<double>(link.f) -
                                                    static_cast<double>(inverseTau) * deviation);
                }
            }
        }
    }
    for (int plane = 0; plane < kLatticeSize; ++plane) {
        for (int row = 0; row < kLatticeSize; ++row) {
            for (int column = 0; column < kLatticeSize; ++column) {
                Site& site = *volume.planes[plane]->siteAt(column, row);
                for (DirectionIndex l = 0; l < kDirectionCount; ++l) {
                    const DirectionIndex d = opposite(l);
                    Link& link = site.links[d];
                    const float v = link.fpost;
                    Site* to = link.neighbour ? link.neighbour : &site;
                    to->setTracer(to->getTracer() + v);
                    link.f = v;
                    if (link.neighbour && v > to->links[opposite(d)].f) {
                        to->links[opposite(d)].f = v;
                    }
                    link.fpost = 0.0f;
                }
            }
        }
    }
}

// Equal bits, or both NaN: a NaN's payload is not part of the result.
bool same(float a, float b) {
    if (std::isnan(a) && std::isnan(b)) return true;
    return std::memcmp(&a, &b, sizeof a) == 0;
}

int differences(const Volume& a, const Volume& b) {
    int count = 0;
    for (int plane = 0; plane < kLatticeSize; ++plane) {
        for (int s = 0; s < kSitesPerPlane; ++s) {
            const Site& x = *a.planes[plane]->sites[s];
            const Site& y = *b.planes[plane]->sites[s];
            count += !same(x.getTracer(), y.getTracer()) + !same(x.density, y.density) +
                     !same(x.speed, y.speed);
            for (DirectionIndex i = 0; i < kDirectionCount; ++i) {
                count += !same(x.links[i].f, y.links[i].f) + !same(x.links[i].feq, y.links[i].feq) +
                         !same(x.links[i].fpost, y.links[i].fpost);
            }
        }
    }
    return count;
}

TEST(StepOrder, MatchesThePlainStepBitForBitOverEightyFiveSteps) {
    const auto fastVolume = makeInitialVolume();
    const auto plainVolume = makeInitialVolume();
    Volume& fast = *fastVolume;
    Volume& plain = *plainVolume;
    testing::internal::CaptureStdout();
    for (int s = 1; s <= 85; ++s) {
        fast.step();
        plainStep(plain);
        const int diff = differences(fast, plain);
        if (diff != 0) {
            testing::internal::GetCapturedStdout();
            FAIL() << diff << " values differ after step " << s;
        }
    }
    testing::internal::GetCapturedStdout();
    int nan = 0;
    for (const auto& plane : fast.planes) nan += std::isnan(plane->sites[0]->getTracer());
    EXPECT_GT(nan, 0) << "the comparison should reach the NaN steps";
}

}  // namespace
