#pragma once

#include <emscripten/html5.h>

#include <vector>

#include "camera_drag.h"
#include "lattice.h"
#include "orbit_camera.h"
#include "run_history.h"
#include "webgl_scene.h"

// The program in a web page: it owns the lattice, the run's history and the
// canvas's WebGL context, turns keys, the page's controls, mouse drags, the
// wheel and touches into steps, moves in time and camera moves, and draws on
// the browser's animation frames, only when the picture has changed.
class WorldPage {
public:
    // Takes the lattice, which lives as long as the page, and the canvas's
    // context.
    WorldPage(Volume* volume, EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context);

    // Makes the scene in the context, listens to the page and asks for the
    // first frame; false if the GL refused.
    bool start();

    // Shows a step reached, from 0 to the furthest.
    void goTo(long step);
    // Run's pace in steps a second; 0 steps on every frame.
    void setSpeed(double stepsPerSecond);

private:
    void forward();
    void back();
    void reached();
    void show(long step);
    void setRunning(bool on);
    void quit();
    void press(int button, int x, int y);
    void moveTo(int x, int y);
    void release(int x, int y);
    void touch(const EmscriptenTouchEvent& event, bool lifted);
    void applyDrag();
    void nudgeCamera(int button, int dx, int dy);
    bool key(const EmscriptenKeyboardEvent& event);
    void wheel(const EmscriptenWheelEvent& event);
    void fitCanvas();
    bool makeScene();
    void requestFrame();
    void frame(double now);
    void draw();

    static EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* event, void* page);
    static EM_BOOL onMouse(int type, const EmscriptenMouseEvent* event, void* page);
    static EM_BOOL onWheel(int type, const EmscriptenWheelEvent* event, void* page);
    static EM_BOOL onTouch(int type, const EmscriptenTouchEvent* event, void* page);
    static EM_BOOL onStepButton(int type, const EmscriptenMouseEvent* event, void* page);
    static EM_BOOL onBackButton(int type, const EmscriptenMouseEvent* event, void* page);
    static EM_BOOL onRunButton(int type, const EmscriptenMouseEvent* event, void* page);
    static EM_BOOL onResize(int type, const EmscriptenUiEvent* event, void* page);
    static EM_BOOL onContextLost(int type, const void* reserved, void* page);
    static EM_BOOL onContextRestored(int type, const void* reserved, void* page);
    static EM_BOOL onFrame(double time, void* page);

    Volume* volume;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context;
    WebGlScene scene;
    bool contextLost = false;
    bool ended = false;
    // Every step reached, the one on the canvas, and the sites that show
    // a marker when their tracer shows nothing.
    RunHistory history;
    long shown = 0;
    std::vector<bool> onShell;

    // Run goes forward a step every `period` ms, or on every frame for 0,
    // the next one due at `nextStepAt` on the frames' clock.
    bool running = false;
    double period = 100;
    double nextStepAt = 0;

    OrbitCamera camera;
    // The drag under way, in page pixels, its button the desktop's number.
    CameraDrag drag;
    // The fingers on the canvas in the gesture under way, at most two; with
    // two, how far apart they were at its start, and are now.
    int fingers = 0;
    int pressSpread = 0;
    int spread = 0;

    // The canvas in page pixels, as the drag maths take the desktop
    // window's size; in drawable pixels; and drawable pixels to a page pixel.
    int cssWidth = 0;
    int cssHeight = 0;
    int drawableWidth = 0;
    int drawableHeight = 0;
    double pixelRatio = 1;

    bool frameRequested = false;
    long framesDrawn = 0;
    // What the picture on the canvas was drawn from.
    bool pointsLoaded = false;  // the vertex buffer holds the step shown
    bool pictureDrawn = false;   // false until drawn, after a step, a resize, a lost context
    OrbitCamera drawnCamera;
};
