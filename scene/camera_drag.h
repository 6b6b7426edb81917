#pragma once

#include "orbit_camera.h"

// A drag of the camera by the pointer, alike on every front-end. A press
// notes the button, the pointer and the camera; motion only moves the
// pointer; each frame applies the whole displacement since the press to
// the camera at the press; a release applies it once more from where the
// pointer ended, so that a flick released before the next frame still
// moves the camera, then ends the drag. A press during a drag first applies
// that drag, so that no motion of it is lost.
struct CameraDrag {
    int dragButton = kNoDrag;
    int pressX = 0;
    int pressY = 0;
    int mouseX = 0;
    int mouseY = 0;
    OrbitCamera pressCamera = kInitialCamera;

    bool active() const { return dragButton != kNoDrag; }
    // Sizes are those of the view, in pixels, as for apply.
    void press(int button, int x, int y, OrbitCamera& camera, int width, int height);
    // False, and nothing moves, when no drag is under way.
    bool moveTo(int x, int y);
    // Sets the camera for the drag so far, in a view of width x height
    // pixels; nothing when no drag is under way.
    void apply(OrbitCamera& camera, int width, int height) const;
    // False, and nothing moves, when no drag is under way.
    bool release(int x, int y, OrbitCamera& camera, int width, int height);
    // Ends the drag where the camera is now.
    void end() { dragButton = kNoDrag; }
};
