#pragma once

// What the program tells the page around the canvas; its script shows it.
// Written in the page's script, hence C linkage.
extern "C" {

// The run has ended with q.
void showEnd();
// The number of steps run so far.
void showSteps(long steps);
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
}
