#pragma once

// Which steps' lines the page's panel holds: a bounded window about the step
// shown, however long the run, moved a block at a time so that a run that
// goes on only adds to it. The block of steps the step shown lies in, the
// one before and the one after: at least kLinesBlock steps, the step shown
// among them, once the run has that many, and every step of a run of at most
// two blocks.
constexpr long kLinesBlock = 100;

struct LinesWindow {
    long first = 1;  // the first step whose lines are held
    long last = 0;   // the last one; none when last < first
};

// For the step shown, from 0 to the furthest step reached.
LinesWindow linesWindow(long shown, long furthest);
