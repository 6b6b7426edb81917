#include <FL/Fl.H>

#include <cstdio>
#include <new>

#include "viewer_window.h"

int main(int argc, char** argv) {
    // Opens the display: without one the toolkit reports it and exits.
    Fl::visual(FL_RGB);
    try {
        mainWindow = new ViewerWindow(100, 100, 800, 600, "World");
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "world: out of memory while building the lattice\n");
        return 2;
    }
    mainWindow->show(argc, argv);
    if (!mainWindow->shown()) {
        // The toolkit has said why, typically a display without OpenGL. The
        // event loop would return 0 at once, reporting success.
        std::fprintf(stderr, "world: cannot show the window\n");
        return 1;
    }
    Fl::add_timeout(0.0, timerTick, nullptr);
    return Fl::run();
}
