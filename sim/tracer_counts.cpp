#include "tracer_counts.h"

#include <cmath>

TracerCounts countTracers(const Volume& volume) {
    TracerCounts counts;
    for (const auto& plane : volume.planes) {
        for (const auto& site : plane->sites) {
            const float tracer = site->getTracer();
            if (tracer > 0.0f) ++counts.green;
            if (std::isinf(tracer)) {
                ++counts.infinite;
            } else if (std::isnan(tracer)) {
                ++counts.nan;
            } else if (tracer > 0.0f && (!counts.largestFinite || tracer > *counts.largestFinite)) {
                counts.largestFinite = tracer;
            }
        }
    }
    return counts;
}
