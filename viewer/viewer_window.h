#pragma once

#include <FL/Fl_Gl_Window.H>

#include "camera_drag.h"
#include "keys.h"
#include "lattice.h"
#include "orbit_camera.h"

// Where the window opens, its size and its title.
constexpr int kWindowX = 100;
constexpr int kWindowY = 100;
constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr const char* kWindowTitle = "World";
// Lets docks and window managers tell the program's windows apart.
constexpr const char* kWindowClass = "World";
// The frame timer's period, in seconds.
constexpr float kFramePeriod = 0.025f;

// The program's one window: it owns the lattice, turns keys into simulation
// steps and mouse drags into camera moves, and draws the scene.
class ViewerWindow : public Fl_Gl_Window {
public:
    ViewerWindow(int x, int y, int w, int h, const char* label);
    // The lattice lives as long as the process; the window never frees it.
    ~ViewerWindow() override = default;

    void draw() override;
    int handle(int event) override;

    // One simulation step, its lines written to standard output.
    void step();
    // Applies the drag under way, if any; called once per frame tick.
    void applyDrag();
    // Whether the picture on screen is the one the lattice and camera would
    // draw now. The same lattice and camera at the same size give the same
    // pixels; a new size is the toolkit's to redraw.
    bool pictureIsCurrent() const;

    Volume* volume;
    OrbitCamera camera;
    CameraDrag drag;  // its button the toolkit's number, or kNoDrag
    // What the picture on screen was drawn from.
    bool drawnLatticeIsCurrent = false;  // false until drawn, and after each step
    OrbitCamera drawnCamera = kInitialCamera;
    // Whether lines were lost to a write error, not just unread.
    bool linesLost = false;
};

constexpr int kFirstWheelButton = 4;
constexpr int kLastWheelButton = 7;

// The frame timer, armed with the window as its data: applies the drag,
// redraws if the picture is no longer current, and re-arms itself.
void timerTick(void* window);
