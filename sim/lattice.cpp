#include "lattice.h"

namespace {

struct Offset {
    int dx, dy;
};

// In-plane neighbours, in wiring order: the axes, then the diagonals.
constexpr Offset kInPlane[] = {{-1, 0}, {0, 1}, {1, 0},  {0, -1},
                               {-1, 1}, {1, 1}, {1, -1}, {-1, -1}};
// Neighbours in the adjacent plane: straight across, then the four axes.
constexpr Offset kAcross[] = {{0, 0}, {-1, 0}, {0, 1}, {1, 0}, {0, -1}};

bool inside(int coordinate) { return coordinate >= 0 && coordinate < kLatticeSize; }

// Wires each of the site's links towards `plane` whose neighbour exists there;
// the rest stay null.
template <size_t N>
void wire(Site* site, int col, int row, const Offset (&offsets)[N], int dz, const Plane& plane,
          float linkScale) {
    for (const Offset& o : offsets) {
        // Rows run against the y axis.
        const int c = col + o.dx;
        const int r = row - o.dy;
        if (inside(c) && inside(r)) site->setLink(o.dx, o.dy, dz, plane.siteAt(c, r), linkScale);
    }
}

}  // namespace

Plane::Plane(float linkScale) {
    for (auto& site : sites) site = std::make_unique<Site>(0.0f, linkScale);

    for (int row = 0; row < kLatticeSize; ++row) {
        for (int col = 0; col < kLatticeSize; ++col) {
            wire(siteAt(col, row), col, row, kInPlane, 0, *this, linkScale);
        }
    }
}

void Plane::linkToPreviousPlane(const Plane& previous, float linkScale) {
    linkToPlane(previous, -1, linkScale);
}

void Plane::linkToNextPlane(const Plane& next, float linkScale) { linkToPlane(next, 1, linkScale); }

void Plane::linkToPlane(const Plane& other, int dz, float linkScale) {
    for (int row = 0; row < kLatticeSize; ++row) {
        for (int col = 0; col < kLatticeSize; ++col) {
            wire(siteAt(col, row), col, row, kAcross, dz, other, linkScale);
        }
    }
}

Volume::Volume(float tau, float linkScale) : tau(tau) {
    for (auto& plane : planes) plane = std::make_unique<Plane>(linkScale);

    for (int k = 0; k < kLatticeSize; ++k) {
        if (k >= 1) planes[k]->linkToPreviousPlane(*planes[k - 1], linkScale);
        if (k < kLatticeSize - 1) planes[k]->linkToNextPlane(*planes[k + 1], linkScale);
    }
}
