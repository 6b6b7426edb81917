#include "viewer_window.h"

#include <FL/Fl.H>

#include <cstdlib>

namespace {

constexpr float kTau = 0.56f;
constexpr float kLinkScale = 0.5f;
constexpr int kSourceColumn = 25;
constexpr int kSourceRow = 25;
constexpr int kSourcePlane = 25;
constexpr float kSourceStrength = 0.42f;
constexpr float kFramePeriod = 0.025f;

constexpr OrbitCamera kInitialCamera = {0.0f, 0.0f, 100.0f, 0.0f, 0.0f};

}  // namespace

ViewerWindow* mainWindow = nullptr;

ViewerWindow::ViewerWindow(int x, int y, int w, int h, const char* label)
    : Fl_Gl_Window(x, y, w, h, label),
      camera(kInitialCamera),
      dragButton(kNoDrag),
      pressCamera(kInitialCamera) {
    volume = new Volume(kTau, kLinkScale);
    volume->seedSource(kSourceColumn, kSourceRow, kSourcePlane, kSourceStrength, kLinkScale);
}

int ViewerWindow::handle(int event) {
    switch (event) {
        case FL_PUSH:
            dragButton = Fl::event_button();
            pressX = mouseX = Fl::event_x();
            pressY = mouseY = Fl::event_y();
            pressCamera = camera;
            return 1;
        case FL_RELEASE:
            dragButton = kNoDrag;
            return 1;
        case FL_DRAG:
            mouseX = Fl::event_x();
            mouseY = Fl::event_y();
            return 1;
        case FL_KEYBOARD:
            // Every key is consumed, so the toolkit never closes the window on Escape.
            if (Fl::event_key() == 'f') {
                volume->step();
            } else if (Fl::event_key() == 'q') {
                std::exit(1);
            }
            return 1;
        default:
            return Fl_Gl_Window::handle(event);
    }
}

void ViewerWindow::applyDrag() {
    if (dragButton != kNoDrag) dragCamera();
}

void ViewerWindow::dragCamera() {
    dragOrbitCamera(camera, pressCamera, dragButton, pressX - mouseX, pressY - mouseY, w(), h());
}

void timerTick(void*) {
    mainWindow->applyDrag();
    mainWindow->redraw();
    Fl::repeat_timeout(kFramePeriod, timerTick, nullptr);
}
