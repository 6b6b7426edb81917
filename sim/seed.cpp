#include "lattice.h"

void Volume::seedSource(int column, int row, int plane, float strength, float linkScale) {
    Site& source = *planes[plane]->siteAt(column, row);
    source.setIsSource(true);
    source.setTracer(strength);

    for (DirectionIndex i = 0; i < kDirectionCount; ++i) {
        Link& link = source.links[i];
        link.length = velocityLength(i) * linkScale;
        // linkScale stands where the equilibrium has the length-scaled speed,
        // and the u^2 coefficient enters unscaled.
        const float g = linearCoefficient(i) * linkScale + weight(i);
        const float h = static_cast<float>(
            static_cast<double>(quadraticCoefficient(i)) * linkScale * linkScale + g);
        link.f =
            static_cast<float>((static_cast<double>(speedSquaredCoefficient(i)) + h) * strength);
        if (link.neighbour) link.neighbour->links[opposite(i)].f = link.f;
    }
}
