#pragma once

#include "viewer_window.h"

// The program's window, counting the pictures it draws.
class CountingWindow : public ViewerWindow {
public:
    using ViewerWindow::ViewerWindow;
    void draw() override {
        if (!countOnly) ViewerWindow::draw();
        ++draws;
    }
    long draws = 0;
    // Counts without drawing: the picture never becomes current, so that
    // every frame tick redraws, at no cost.
    bool countOnly = false;
};
