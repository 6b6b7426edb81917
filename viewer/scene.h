#pragma once

#include "lattice.h"
#include "orbit_camera.h"

// The vertical field of view, in degrees, that gives a window of
// width x height pixels a horizontal field of view of 45 degrees.
double verticalFieldOfView(int width, int height);

// Whether the site lies on the lattice's outer shell: some link leads nowhere.
inline bool hasNullLink(const Site& site) {
    for (const Link& link : site.links) {
        if (!link.neighbour) return true;
    }
    return false;
}

// Visits the sites in drawing order: plane by plane (onPlane before each),
// then row by row, then column by column, calling onSite(site, column, row).
template <typename PlaneVisitor, typename SiteVisitor>
void forEachSiteInDrawingOrder(const Volume& volume, PlaneVisitor onPlane, SiteVisitor onSite) {
    for (const auto& plane : volume.planes) {
        onPlane();
        for (int row = 0; row < kLatticeSize; ++row) {
            for (int column = 0; column < kLatticeSize; ++column) {
                onSite(*plane->siteAt(column, row), column, row);
            }
        }
    }
}
