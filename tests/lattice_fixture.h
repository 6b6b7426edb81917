#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "initial_state.h"
#include "lattice.h"

// Builds one lattice for a whole suite: a build takes 125,000 allocations.
class SharedVolume : public ::testing::Test {
protected:
    static void SetUpTestSuite() { volume = std::make_unique<Volume>(kTau, kLinkScale); }
    static void TearDownTestSuite() { volume.reset(); }

    static Site* at(int column, int row, int plane) {
        return volume->planes[plane]->siteAt(column, row);
    }

    static inline std::unique_ptr<Volume> volume;
};
