#pragma once

// What the program does alike on every front-end: the size of its picture,
// how often it is redrawn, and its keys.

constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr const char* kWindowTitle = "World";
constexpr float kFramePeriod = 0.025f;  // seconds

// Keys, as the lower-case letter: Shift and Caps Lock make no difference.
constexpr int kStepKey = 'f';
constexpr int kQuitKey = 'q';
constexpr int kQuitStatus = 1;

// No mouse button is held.
constexpr int kNoDrag = -1;
