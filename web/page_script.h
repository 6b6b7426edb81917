#pragma once

// What the program tells the page around the canvas; its script shows it.
// Written in the page's script, hence C linkage.
extern "C" {

// The run has ended with q.
void showEnd();
// The lattice has reached a new step, the furthest, whose lines it has just
// printed (step 0 prints none), with its counts; largestFinite is -1 for
// none.
void showReached(long step, long green, long infinite, long nan, float largestFinite);
// The step on the canvas, the furthest reached, what the step did in words,
// and the steps whose lines the panel is to hold, first to last.
void showStep(long shown, long furthest, const char* summary, long first, long last);
// Lets the timeline and the speed tell the page of their changes, and gives
// the chart the number of sites its shares are of.
void listenToTimeControls(void* page, long sites);
// Whether the page steps on every frame.
void showRunning(bool running);
// Why the program cannot go on, in place of the picture.
void showFailure(const char* text);
// How many frames the page has drawn, and whether it has asked for another:
// tests wait on what is drawn, not on the clock. The first frame ends the
// start-up.
void showFrames(long drawn, bool due);
// A stage of the start-up reached, as a mark in the browser's timeline.
void markStartUp(const char* stage);
// Whether the canvas has the keyboard's focus.
bool canvasFocused();
// Whether a field that takes typing has it.
bool textFieldFocused();
}
