#include "initial_state.h"

std::unique_ptr<Volume> makeInitialVolume() {
    auto volume = std::make_unique<Volume>(kTau, kLinkScale);
    seedInitialSource(*volume);
    return volume;
}

void seedInitialSource(Volume& volume) {
    volume.seedSource(kSourceColumn, kSourceRow, kSourcePlane, kSourceStrength, kLinkScale);
}
