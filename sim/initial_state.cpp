#include "initial_state.h"

std::unique_ptr<Volume> makeInitialVolume() {
    auto volume = std::make_unique<Volume>(kTau, kLinkScale);
    volume->seedSource(kSourceColumn, kSourceRow, kSourcePlane, kSourceStrength, kLinkScale);
    return volume;
}
