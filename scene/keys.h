#pragma once

// The program's keys, alike on every front-end, as the lower-case letter:
// Shift and Caps Lock make no difference.
constexpr int kStepKey = 'f';
constexpr int kQuitKey = 'q';
