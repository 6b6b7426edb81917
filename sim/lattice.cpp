#include "lattice.h"

#include <algorithm>

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
void wire(Site* site, int column, int row, const Offset (&offsets)[N], int dz, const Plane& plane,
          float linkScale) {
    for (const Offset& o : offsets) {
        // Rows run against the y axis.
        const int toColumn = column + o.dx;
        const int toRow = row - o.dy;
        if (inside(toColumn) && inside(toRow)) {
            site->setLink(o.dx, o.dy, dz, plane.siteAt(toColumn, toRow), linkScale);
        }
    }
}

}  // namespace

Plane::Plane(float linkScale) {
    for (auto& site : sites) site = std::make_unique<Site>(0.0f, linkScale);

    for (int row = 0; row < kLatticeSize; ++row) {
        for (int column = 0; column < kLatticeSize; ++column) {
            wire(siteAt(column, row), column, row, kInPlane, 0, *this, linkScale);
        }
    }
}

void Plane::linkToPreviousPlane(const Plane& previous, float linkScale) {
    linkToPlane(previous, -1, linkScale);
}

void Plane::linkToNextPlane(const Plane& next, float linkScale) { linkToPlane(next, 1, linkScale); }

void Plane::linkToPlane(const Plane& other, int dz, float linkScale) {
    for (int row = 0; row < kLatticeSize; ++row) {
        for (int column = 0; column < kLatticeSize; ++column) {
            wire(siteAt(column, row), column, row, kAcross, dz, other, linkScale);
        }
    }
}

// Each link is set once, by its direction alone, so the order in which
// planes are made and wired makes no difference to the lattice.
Volume::Volume(float tau, float linkScale) : Volume(tau) {
    while (addPlane(linkScale)) {
    }
}

bool Volume::addPlane(float linkScale) {
    const auto next = std::find(planes.begin(), planes.end(), nullptr);
    if (next == planes.end()) return false;
    const int plane = static_cast<int>(next - planes.begin());
    *next = std::make_unique<Plane>(linkScale);
    if (plane >= 1) {
        planes[plane]->linkToPreviousPlane(*planes[plane - 1], linkScale);
        planes[plane - 1]->linkToNextPlane(*planes[plane], linkScale);
    }
    return true;
}
