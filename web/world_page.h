#pragma once

#include <emscripten/html5.h>

#include "lattice.h"
#include "orbit_camera.h"
#include "webgl_scene.h"

// The program in a web page: it owns the lattice and the canvas's WebGL
// context, turns keys, the Step button, mouse drags and touches into steps
// and camera moves, and redraws at most once a frame period, and only when
// the picture has changed.
class WorldPage {
public:
    // Takes the lattice, which lives as long as the page, and the canvas's
    // context, made current.
    WorldPage(Volume* volume, EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context);

    // Listens to the page and draws the first frame; false if the GL refused.
    bool start();

private:
    void step();
    void quit();
    void press(int button, long x, long y);
    void moveTo(long x, long y);
    void release();
    void touch(const EmscriptenTouchEvent& event, bool lifted);
    void applyDrag();
    void fitCanvas();
    bool makeScene();
    void requestFrame();
    void frame();

    static EM_BOOL onKey(int type, const EmscriptenKeyboardEvent* event, void* page);
    static EM_BOOL onMouse(int type, const EmscriptenMouseEvent* event, void* page);
    static EM_BOOL onTouch(int type, const EmscriptenTouchEvent* event, void* page);
    static EM_BOOL onStepButton(int type, const EmscriptenMouseEvent* event, void* page);
    static EM_BOOL onResize(int type, const EmscriptenUiEvent* event, void* page);
    static EM_BOOL onContextLost(int type, const void* reserved, void* page);
    static EM_BOOL onContextRestored(int type, const void* reserved, void* page);
    static void onFrame(void* page);

    Volume* volume;
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context;
    WebGlScene scene;
    bool contextLost = false;
    bool ended = false;

    OrbitCamera camera;
    // The drag under way, as on the desktop: the button (kNoDrag when there
    // is none), the pointer at the press and now, and the camera at the press.
    int dragButton;
    long pressX = 0;
    long pressY = 0;
    long mouseX = 0;
    long mouseY = 0;
    OrbitCamera pressCamera;
    // The fingers on the canvas in the gesture under way, at most two; with
    // two, how far apart they were at its start, and are now.
    int fingers = 0;
    long pressSpread = 0;
    long spread = 0;

    // The canvas in drawable pixels, and drawable pixels to a page pixel.
    int drawableWidth = 0;
    int drawableHeight = 0;
    double pixelRatio = 1;

    bool frameRequested = false;
    double lastFrame = 0;  // milliseconds, on the page's clock
    // What the picture on the canvas was drawn from.
    bool latticeLoaded = false;  // the vertex buffer holds the lattice as it is
    bool pictureDrawn = false;   // false until drawn, after a step, a resize, a lost context
    OrbitCamera drawnCamera;
};
