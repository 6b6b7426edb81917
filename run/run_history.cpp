#include "run_history.h"

#include <cstring>

namespace {

constexpr std::size_t kSites = static_cast<std::size_t>(kLatticeSize) * kSitesPerPlane;
constexpr std::size_t kBitsPerWord = 32;

// +0 is left out; -0, like every other tracer, is kept as it is.
bool allZeroBits(float tracer) {
    std::uint32_t bits;
    std::memcpy(&bits, &tracer, sizeof bits);
    return bits == 0;
}

}  // namespace

// Bit for bit: a NaN is equal to a NaN of the same bits, and 0 is not -0.
bool RunHistory::Tracers::operator==(const Tracers& other) const {
    return kept == other.kept && values.size() == other.values.size() &&
           std::memcmp(values.data(), other.values.data(), values.size() * sizeof(float)) == 0;
}

RunHistory::RunHistory(const Volume& volume) { record(volume); }

// One pass over the sites takes both the tracers and their counts.
void RunHistory::record(const Volume& volume) {
    auto tracers = std::make_shared<Tracers>();
    tracers->kept.assign((kSites + kBitsPerWord - 1) / kBitsPerWord, 0);
    TracerCounts counts;
    std::size_t site = 0;
    for (const auto& plane : volume.planes) {
        for (const auto& each : plane->sites) {
            const float tracer = each->getTracer();
            counts.add(tracer);
            if (!allZeroBits(tracer)) {
                tracers->kept[site / kBitsPerWord] |= std::uint32_t{1} << (site % kBitsPerWord);
                tracers->values.push_back(tracer);
            }
            ++site;
        }
    }
    if (!steps.empty() && *tracers == *steps.back().tracers) {
        steps.push_back({steps.back().tracers, counts});
        return;
    }
    tracers->values.shrink_to_fit();
    steps.push_back({std::move(tracers), counts});
}

std::vector<float> RunHistory::tracers(long step) const {
    const Tracers& kept = *steps[step].tracers;
    std::vector<float> all(kSites, 0.0f);
    std::size_t next = 0;
    for (std::size_t site = 0; site < kSites; ++site) {
        if (kept.kept[site / kBitsPerWord] >> (site % kBitsPerWord) & 1) {
            all[site] = kept.values[next++];
        }
    }
    return all;
}

std::size_t RunHistory::bytes() const {
    std::size_t held = steps.capacity() * sizeof(Step);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        if (i > 0 && steps[i].tracers == steps[i - 1].tracers) continue;
        const Tracers& tracers = *steps[i].tracers;
        held += sizeof(Tracers) + tracers.kept.capacity() * sizeof(std::uint32_t) +
                tracers.values.capacity() * sizeof(float);
    }
    return held;
}
