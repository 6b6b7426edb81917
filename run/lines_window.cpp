#include "lines_window.h"

#include <algorithm>

LinesWindow linesWindow(long shown, long furthest) {
    // Step 0 prints nothing; it goes with the first block.
    const long block = shown > 0 ? (shown - 1) / kLinesBlock : 0;
    LinesWindow window;
    window.first = std::max(0L, block - 1) * kLinesBlock + 1;
    window.last = std::min(furthest, (block + 2) * kLinesBlock);
    return window;
}
