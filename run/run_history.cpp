#include "run_history.h"

#include <cstring>

namespace {

constexpr std::size_t kSites = static_cast<std::size_t>(kLatticeSize) * kSitesPerPlane;

// Bit for bit: a NaN is equal to a NaN of the same bits, and 0 is not -0.
bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

}  // namespace

RunHistory::RunHistory(const Volume& volume) { record(volume); }

// One pass over the sites takes both the tracers and their counts.
void RunHistory::record(const Volume& volume) {
    std::vector<float> tracers;
    tracers.reserve(kSites);
    TracerCounts counts;
    for (const auto& plane : volume.planes) {
        for (const auto& site : plane->sites) {
            tracers.push_back(site->getTracer());
            counts.add(tracers.back());
        }
    }
    if (!steps.empty() && sameBits(tracers, *steps.back().tracers)) {
        steps.push_back({steps.back().tracers, counts});
    } else {
        steps.push_back({std::make_shared<const std::vector<float>>(std::move(tracers)), counts});
    }
}

std::size_t RunHistory::bytes() const {
    std::size_t copies = 0;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (i == 0 || steps[i].tracers != steps[i - 1].tracers) ++copies;
    }
    return copies * kSites * sizeof(float) + steps.capacity() * sizeof(Step);
}
