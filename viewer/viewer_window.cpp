#include "viewer_window.h"

#include <FL/Fl.H>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "exit_status.h"
#include "initial_state.h"
#include "write_error.h"

static_assert(kOrbitButton == FL_LEFT_MOUSE && kZoomButton == FL_MIDDLE_MOUSE &&
                  kPanButton == FL_RIGHT_MOUSE,
              "the camera's buttons are the toolkit's");

ViewerWindow::ViewerWindow(int x, int y, int w, int h, const char* label)
    : Fl_Gl_Window(x, y, w, h, label),
      camera(kInitialCamera) {
    // The drawing follows the window's size, so the user may change it.
    resizable(this);
    xclass(kWindowClass);
    // Owned by the window for the life of the process, never freed.
    volume = makeInitialVolume().release();
}

int ViewerWindow::handle(int event) {
    switch (event) {
        case FL_PUSH:
            drag.press(Fl::event_button(), Fl::event_x(), Fl::event_y(), camera, w(), h());
            return 1;
        case FL_RELEASE:
            // The wheel is X buttons 4 to 7. The toolkit turns their presses
            // into wheel events but may pass on the release of a horizontal
            // one, and ends its own drag on it. A tilt of the wheel must end
            // neither: the toolkit's would turn the motion that follows into
            // plain moves.
            if (Fl::event_button() < kFirstWheelButton || Fl::event_button() > kLastWheelButton) {
                drag.release(Fl::event_x(), Fl::event_y(), camera, w(), h());
            } else if (drag.active()) {
                Fl::pushed(this);
            }
            return 1;
        case FL_DRAG:
            drag.moveTo(Fl::event_x(), Fl::event_y());
            return 1;
        case FL_KEYBOARD:
        // A window without the keyboard focus gets its keys as shortcuts.
        // Whichever event carries a key, consuming it ends its delivery, so
        // it acts once, and the toolkit never closes the window on Escape.
        case FL_SHORTCUT:
            if (Fl::event_key() == kStepKey) {
                step();
            } else if (Fl::event_key() == kQuitKey) {
                std::exit(kQuitStatus);
            }
            return 1;
        default:
            return Fl_Gl_Window::handle(event);
    }
}

void ViewerWindow::step() {
    const int error = writeErrorOf(stdout, [this] { volume->step(); });
    drawnLatticeIsCurrent = false;
    // Said once; the window stays, and the exit status tells of the loss.
    if (error && !linesLost) {
        std::fprintf(stderr, "world: cannot write the lines: %s\n", std::strerror(error));
        linesLost = true;
    }
}

void ViewerWindow::applyDrag() { drag.apply(camera, w(), h()); }

bool ViewerWindow::pictureIsCurrent() const {
    return drawnLatticeIsCurrent && drawnCamera == camera;
}

void timerTick(void* data) {
    auto* window = static_cast<ViewerWindow*>(data);
    window->applyDrag();
    // Drawing the picture that is on screen again would cost a frame's CPU
    // for the same pixels; exposure and resizing the toolkit redraws itself.
    if (!window->pictureIsCurrent()) window->redraw();
    Fl::repeat_timeout(kFramePeriod, timerTick, data);
}
