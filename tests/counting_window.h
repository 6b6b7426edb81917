#pragma once

#include "viewer_window.h"

// The program's window, counting the pictures it draws.
class CountingWindow : public ViewerWindow {
public:
    using ViewerWindow::ViewerWindow;
    void draw() override {
        ViewerWindow::draw();
        ++draws;
    }
    long draws = 0;
};
