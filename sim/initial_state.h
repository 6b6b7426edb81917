#pragma once

#include <memory>

#include "lattice.h"

// The run the program starts: a lattice with these parameters and one
// source in its middle.
constexpr float kTau = 0.56f;
constexpr float kLinkScale = 0.5f;
constexpr int kSourceColumn = 25;
constexpr int kSourceRow = 25;
constexpr int kSourcePlane = 25;
constexpr float kSourceStrength = 0.42f;

// Builds the lattice and seeds its source: the state before the first step.
std::unique_ptr<Volume> makeInitialVolume();
// Seeds the source of a lattice built in stages with kTau and kLinkScale.
void seedInitialSource(Volume& volume);
