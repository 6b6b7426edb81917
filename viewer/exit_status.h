#pragma once

// How a run of the desktop program ends, as its exit status tells.
enum ExitStatus {
    kClosedStatus = 0,  // the window was closed
    // q was pressed; or no display was named, it could not be opened, offers
    // no OpenGL, or its connection was lost
    kQuitStatus = 1,
    kNoDisplayStatus = 1,
    kOutOfMemoryStatus = 2,  // while the lattice was built
    kLinesLostStatus = 3,    // closed, but some lines could not be written
};
