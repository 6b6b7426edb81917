#include <FL/Fl.H>

#include <cstdio>
#include <new>

#include "viewer_window.h"

int main(int argc, char** argv) {
    // Opens the display: without one the toolkit reports it and exits.
    Fl::visual(FL_RGB);
    ViewerWindow* window;
    try {
        window = new ViewerWindow(kWindowX, kWindowY, kWindowWidth, kWindowHeight, kWindowTitle);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "world: out of memory while building the lattice\n");
        return 2;
    }
    window->show(argc, argv);
    if (!window->shown()) {
        // The toolkit has said why, typically a display without OpenGL. The
        // event loop would return 0 at once, reporting success.
        std::fprintf(stderr, "world: cannot show the window\n");
        return 1;
    }
    Fl::add_timeout(0.0, timerTick, window);
    return Fl::run();
}
