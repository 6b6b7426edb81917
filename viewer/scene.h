#pragma once

#include "lattice.h"

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
// then row i, then column j, calling onSite(site, j, i).
template <typename PlaneVisitor, typename SiteVisitor>
void forEachSiteInDrawingOrder(const Volume& volume, PlaneVisitor onPlane, SiteVisitor onSite) {
    for (const auto& plane : volume.planes) {
        onPlane();
        for (int i = 0; i < kLatticeSize; ++i) {
            for (int j = 0; j < kLatticeSize; ++j) onSite(*plane->siteAt(j, i), j, i);
        }
    }
}
