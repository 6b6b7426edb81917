#include "step.h"

#include <cstdio>

#include "lattice.h"

namespace {

float equilibrium(DirectionIndex i, float density, float speed) {
    const float s = velocityLength(i) * speed;
    const float linear = linearCoefficient(i) * s;
    const float sSquared = s * s;
    const float quadratic = quadraticCoefficient(i) * sSquared;
    // The u^2 term squares the site's speed, not the length-scaled s.
    const float speedSquared =
        static_cast<float>(static_cast<double>(speedSquaredCoefficient(i)) * speed * speed);
    const double terms = static_cast<double>(weight(i)) + linear + quadratic + speedSquared;
    return static_cast<float>(density * terms);
}

void relax(Link& link, float feq, float inverseTau) {
    link.feq = feq;
    const float deviation = link.f - feq;
    link.fpost = static_cast<float>(link.f - static_cast<double>(inverseTau) * deviation);
}

void collidePlane(const Plane& plane, float inverseTau) {
    for (const auto& site : plane.sites) collideSite(*site, inverseTau);
}

void streamPlane(const Plane& plane) {
    for (const auto& site : plane.sites) streamSite(*site);
}

}  // namespace

void collideSite(Site& site, float inverseTau) {
    site.density = site.computeDensity();
    site.speed = site.computeSpeed(site.density);

    // The equilibrium depends on the direction only through its class.
    const float rest = equilibrium(0, site.density, site.speed);
    const float axis = equilibrium(kFirstAxis, site.density, site.speed);
    const float diagonal = equilibrium(kFirstDiagonal, site.density, site.speed);
    relax(site.links[0], rest, inverseTau);
    for (DirectionIndex i = kFirstAxis; i < kFirstDiagonal; ++i) {
        relax(site.links[i], axis, inverseTau);
    }
    for (DirectionIndex i = kFirstDiagonal; i < kDirectionCount; ++i) {
        relax(site.links[i], diagonal, inverseTau);
    }
}

// Populations stay on their own link; what crosses to the neighbour is the
// amount added to its tracer and a raise of its facing link.
void streamSite(Site& site) {
    // The links are taken in the order opposite(0), opposite(1), ...,
    // opposite(18), and that order is part of the result. The rest link and
    // every link that leads off the lattice add to this site's own tracer;
    // each float addition rounds, so the same values added in another order
    // can give other bits. Among the links off the lattice, those of one
    // class (axis or diagonal) hold equal values in every state a run can
    // reach: what matters is the order in which the classes come.
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

// The result is that of colliding every site and then streaming every site
// (planes, rows and columns ascending). Collision reads and writes only its
// own site, and streaming plane p touches only planes p - 1 to p + 1, so
// colliding one plane ahead of the streaming gives the same bits while the
// planes involved are still in cache.
void Volume::step() {
    const float inverseTau = static_cast<float>(1.0 / static_cast<double>(tau));
    collidePlane(*planes[0], inverseTau);
    for (int plane = 0; plane < kLatticeSize; ++plane) {
        if (plane + 1 < kLatticeSize) collidePlane(*planes[plane + 1], inverseTau);
        streamPlane(*planes[plane]);
    }
    printDiagnostics();
}

void Volume::printDiagnostics() const {
    constexpr int kMiddlePlane = kLatticeSize / 2;
    constexpr int kRow = 9;
    constexpr int kColumns = 10;
    constexpr DirectionIndex kTowardsNextColumn = directionOf(1, 0, 0);
    const Plane& plane = *planes[kMiddlePlane];
    for (int column = 0; column < kColumns; ++column) {
        const Site& site = *plane.siteAt(column, kRow);
        std::printf("Lattice %i: %f / %f\n", column, static_cast<double>(site.getTracer()),
                    static_cast<double>(site.links[kTowardsNextColumn].f));
    }
    std::printf("\n");
    // Each step's lines must be out before the next key, even into a pipe.
    std::fflush(stdout);
}
