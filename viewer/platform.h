#pragma once

// What differs between the systems the program runs on.

// Makes the standard streams safe to write to, whatever state the program
// was started in. Call it first thing.
void prepareStandardStreams();

// Whether a display to open has been named. Call it after the toolkit has
// read its options, -display among them.
bool displayIsNamed();

// Whether a write to standard output that failed with `error` (errno) failed
// because nobody takes the lines, such as a reader of a pipe that went away.
// Call it right after the write.
bool nobodyReads(int error);
