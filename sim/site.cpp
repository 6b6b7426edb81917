#include "site.h"

Site::Site(float tracer, float linkScale) : density(0), speed(0), tracer(tracer), isSource(false) {
    links[0] = Link{this, 0.0f, 0.0f, 0.0f, 0.0f};
    for (DirectionIndex i = 1; i < kDirectionCount; ++i) {
        links[i] = Link{nullptr, velocityLength(i) * linkScale, 0.0f, 0.0f, 0.0f};
    }
}

void Site::setLink(int dx, int dy, int dz, Site* neighbour, float linkScale) {
    const DirectionIndex i = directionOf(dx, dy, dz);
    Link& link = links[i];
    link.neighbour = neighbour;
    link.length = velocityLength(i) * linkScale;
    link.f = 0.0f;
}

float Site::computeDensity() const {
    float sum = 0.0f;
    for (const Link& link : links) {
        if (link.neighbour) sum += link.f;
    }
    return sum;
}

float Site::computeSpeed(float density) const {
    float sum = 0.0f;
    for (const Link& link : links) {
        if (link.neighbour) sum += link.f * link.length;
    }
    if (density == 0.0f) return 0.0f;
    return static_cast<float>((1.0 / static_cast<double>(density)) * static_cast<double>(sum));
}
