#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "lattice.h"

// Builds one lattice for a whole suite: a build takes 125,000 allocations.
class SharedVolume : public ::testing::Test {
protected:
    static void SetUpTestSuite() { volume = std::make_unique<Volume>(0.56f, 0.5f); }
    static void TearDownTestSuite() { volume.reset(); }

    static Site* at(int column, int row, int plane) {
        return volume->planes[plane]->siteAt(column, row);
    }

    static inline std::unique_ptr<Volume> volume;
};
