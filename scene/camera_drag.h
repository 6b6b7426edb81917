#pragma once

#include "orbit_camera.h"
#include "program.h"

// A drag of the camera by the pointer, alike on every front-end. A press
// notes the button, the pointer and the camera; motion only moves the
// pointer; each frame applies the whole displacement since the press to
// the camera at the press; a release applies it once more from where the
// pointer ended, so that a flick released before the next frame still
// moves the camera, then ends the drag.
struct CameraDrag {
    int dragButton = kNoDrag;
    int pressX = 0;
    int pressY = 0;
    int mouseX = 0;
    int mouseY = 0;
    OrbitCamera pressCamera = kInitialCamera;

    void press(int button, int x, int y, const OrbitCamera& camera);
    // Ignored when no drag is under way.
    void moveTo(int x, int y);
    // Sets the camera for the drag so far, in a view of width x height
    // pixels; nothing when no drag is under way.
    void apply(OrbitCamera& camera, int width, int height) const;
    void release(int x, int y, OrbitCamera& camera, int width, int height);
};
