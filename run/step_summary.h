#pragma once

#include <string>

#include "tracer_counts.h"

// A step's counts in words, as the page says them: "49,290 green, 3,520
// infinite, 0 NaN; the largest finite tracer 3.4e38".
std::string summaryOf(const TracerCounts& counts);

// A count with its thousands separated by commas: 49,290.
std::string withThousands(long count);

// A tracer to two figures, its exponent as a reader writes it: 0.42, 7.5e6,
// 3.0e35, 1.2e-7.
std::string twoFigures(float value);
