#pragma once

#include <array>
#include <memory>

#include "site.h"

// The lattice is a cube of kLatticeSize^3 sites addressed by (column, row,
// plane). The link of direction (dx, dy, dz) leads from (column, row, plane)
// to (column + dx, row - dy, plane + dz): rows run against the y axis.

constexpr int kLatticeSize = 50;
constexpr int kSitesPerPlane = kLatticeSize * kLatticeSize;

// One z-layer: its sites in row-major order, each a heap object of its own
// that never moves, since links hold sites by address.
class Plane {
public:
    // Creates the sites and wires their in-plane links.
    explicit Plane(float linkScale);

    Site* siteAt(int column, int row) const { return sites[row * kLatticeSize + column].get(); }

    // Wire this plane's links towards the plane below (dz = -1) or above (dz = +1).
    void linkToPreviousPlane(const Plane& previous, float linkScale);
    void linkToNextPlane(const Plane& next, float linkScale);

    std::array<std::unique_ptr<Site>, kSitesPerPlane> sites;

private:
    void linkToPlane(const Plane& other, int dz, float linkScale);
};

class Volume {
public:
    // Builds and wires the whole lattice. An allocation failure throws
    // std::bad_alloc and releases whatever was built so far.
    Volume(float tau, float linkScale);
    // The same lattice in stages, so that the work can be spread out: none
    // of it is built until addPlane has been called kLatticeSize times, and
    // it is not to be used before.
    explicit Volume(float tau) : tau(tau) {}
    // Builds the next plane and wires it to the one before; false once every
    // plane is there. An allocation failure throws std::bad_alloc.
    bool addPlane(float linkScale);

    // One collide-and-stream step, ending with the diagnostic print.
    void step();
    // Ten lines for columns 0..9 of row 9 in the middle plane, then an empty line.
    void printDiagnostics() const;
    // Makes one site the source: its tracer, its populations and its
    // neighbours' facing populations.
    void seedSource(int column, int row, int plane, float strength, float linkScale);
    // Draws the marker cube and the lattice with OpenGL; defined by the viewer.
    void render() const;

    std::array<std::unique_ptr<Plane>, kLatticeSize> planes;
    float tau;
};
