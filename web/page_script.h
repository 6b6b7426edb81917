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
// Whether the canvas has the keyboard's focus.
bool canvasFocused();
}
