#include "step.h"

#include <cstdio>

#include "lattice.h"

void collideSite(Site& site, float inverseTau) {
    site.density = site.computeDensity();
    site.speed = site.computeSpeed(site.density);
    const float density = site.density;
    const float speed = site.speed;

    for (DirectionIndex i = 0; i < kDirectionCount; ++i) {
        Link& link = site.links[i];
        const float s = velocityLength(i) * speed;
        const float linear = linearCoefficient(i) * s;
        const float sSquared = s * s;
        const float quadratic = quadraticCoefficient(i) * sSquared;
        // The u^2 term squares the site's speed, not the length-scaled s.
        const float speedSquared =
            static_cast<float>(static_cast<double>(speedSquaredCoefficient(i)) * speed * speed);
        const double terms = static_cast<double>(weight(i)) + linear + quadratic + speedSquared;
        link.feq = static_cast<float>(density * terms);
        const float deviation = link.f - link.feq;
        link.fpost = static_cast<float>(link.f - static_cast<double>(inverseTau) * deviation);
    }
}

// Populations stay on their own link; what crosses to the neighbour is the
// amount added to its tracer and a raise of its facing link.
void streamSite(Site& site) {
    for (DirectionIndex l = 0; l < kDirectionCount; ++l) {
        const DirectionIndex d = opposite(l);
        Link& link = site.links[d];
        const float v = link.fpost;
        Site* neighbour = link.neighbour;
        // The rest link and links off the lattice deliver to the site itself.
        Site& receiver = neighbour ? *neighbour : site;
        receiver.setTracer(receiver.getTracer() + v);
        link.f = v;
        if (neighbour) {
            Link& facing = neighbour->links[opposite(d)];
            if (v > facing.f) facing.f = v;
        }
        link.fpost = 0.0f;
    }
}

void Volume::step() {
    collide();
    stream();
    printDiagnostics();
}

void Volume::collide() {
    const float inverseTau = static_cast<float>(1.0 / static_cast<double>(tau));
    for (const auto& plane : planes) {
        for (int row = kLatticeSize - 1; row >= 0; --row) {
            for (int col = kLatticeSize - 1; col >= 0; --col) {
                collideSite(*plane->siteAt(col, row), inverseTau);
            }
        }
    }
}

void Volume::stream() {
    for (const auto& plane : planes) {
        for (int row = 0; row < kLatticeSize; ++row) {
            for (int col = 0; col < kLatticeSize; ++col) streamSite(*plane->siteAt(col, row));
        }
    }
}

void Volume::printDiagnostics() const {
    constexpr int kPlane = 25;
    constexpr int kRow = 9;
    constexpr int kColumns = 10;
    const Plane& plane = *planes[kPlane];
    for (int col = 0; col < kColumns; ++col) {
        const Site& site = *plane.siteAt(col, kRow);
        std::printf("Lattice %i: %f / %f\n", col, static_cast<double>(site.getTracer()),
                    static_cast<double>(site.links[4].f));
    }
    std::printf("\n");
    // Each step's lines must be out before the next key, even into a pipe.
    std::fflush(stdout);
}
