#include "tracer_counts.h"

#include <cmath>

void TracerCounts::add(float tracer) {
    if (tracer > 0.0f) ++green;
    if (std::isinf(tracer)) {
        ++infinite;
    } else if (std::isnan(tracer)) {
        ++nan;
    } else if (tracer > 0.0f && (!largestFinite || tracer > *largestFinite)) {
        largestFinite = tracer;
    }
}

TracerCounts countTracers(const Volume& volume) {
    TracerCounts counts;
    for (const auto& plane : volume.planes) {
        for (const auto& site : plane->sites) counts.add(site->getTracer());
    }
    return counts;
}
