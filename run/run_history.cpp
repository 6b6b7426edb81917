#include "run_history.h"

#include <cstring>

namespace {

std::vector<float> tracersOf(const Volume& volume) {
    std::vector<float> tracers;
    tracers.reserve(static_cast<std::size_t>(kLatticeSize) * kSitesPerPlane);
    for (const auto& plane : volume.planes) {
        for (const auto& site : plane->sites) tracers.push_back(site->getTracer());
    }
    return tracers;
}

// Bit for bit: a NaN is equal to a NaN of the same bits, and 0 is not -0.
bool sameBits(const std::vector<float>& a, const std::vector<float>& b) {
    return a.size() == b.size() && std::memcmp(a.data(), b.data(), a.size() * sizeof(float)) == 0;
}

}  // namespace

RunHistory::RunHistory(const Volume& volume) {
    steps.push_back(
        {std::make_shared<const std::vector<float>>(tracersOf(volume)), countTracers(volume)});
    distinctTracers = 1;
}

void RunHistory::record(const Volume& volume) {
    std::vector<float> tracers = tracersOf(volume);
    const auto& previous = steps.back().tracers;
    if (sameBits(tracers, *previous)) {
        steps.push_back({previous, steps.back().counts});
        return;
    }
    steps.push_back(
        {std::make_shared<const std::vector<float>>(std::move(tracers)), countTracers(volume)});
    ++distinctTracers;
}

std::size_t RunHistory::bytes() const {
    const std::size_t perCopy =
        static_cast<std::size_t>(kLatticeSize) * kSitesPerPlane * sizeof(float);
    return distinctTracers * perCopy + steps.capacity() * sizeof(Step);
}
