#include "world_page.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <new>

#include "keys.h"
#include "lines_window.h"
#include "page_script.h"
#include "scene.h"
#include "step_summary.h"

namespace {

constexpr const char* kCanvas = "#canvas";
// The box the canvas fills; the page's layout sizes it.
constexpr const char* kView = "#view";
constexpr const char* kStepButton = "#step";
constexpr const char* kRunButton = "#run";
constexpr const char* kBackButton = "#back";

// The page's own key: the step before. The desktop program only goes on.
constexpr int kBackKey = 'b';

// Run's step is on time on a frame that comes this little before it is due:
// frames come at the screen's pace, not at the step's.
constexpr double kStepLeewayMs = 4;

// A camera key moves the camera as a drag of this many page pixels does.
constexpr int kKeyDragPixels = 32;
// A wheel's notch scrolls 100 page pixels, or 3 lines, in every browser. It
// zooms as a middle drag of a fifth of the canvas height does: a tenth of
// the distance. A trackpad's pinch comes as the wheel with Ctrl, in small
// amounts, and zooms five times as fast.
constexpr double kWheelDragPerPixel = 0.2 / 100;
constexpr double kPinchDragPerPixel = 5 * kWheelDragPerPixel;
constexpr double kPixelsPerLine = 100.0 / 3;

// The browser numbers the buttons 0 (left), 1 (middle) and 2 (right).
int desktopButton(unsigned short browserButton) { return browserButton + 1; }

int distanceBetween(const EmscriptenTouchPoint& a, const EmscriptenTouchPoint& b) {
    return static_cast<int>(std::lround(std::hypot(static_cast<double>(a.clientX - b.clientX),
                                                   static_cast<double>(a.clientY - b.clientY))));
}

}  // namespace

WorldPage::WorldPage(Volume* volume, EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context)
    : volume(volume),
      context(context),
      history(*volume),
      onShell(shellSites(*volume)),
      camera(kInitialCamera),
      drawnCamera(kInitialCamera) {}

bool WorldPage::start() {
    emscripten_webgl_make_context_current(context);
    if (!makeScene()) return false;
    fitCanvas();
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, this, false, onKey);
    emscripten_set_mousedown_callback(kCanvas, this, false, onMouse);
    // On the window, so that a drag goes on outside the canvas.
    emscripten_set_mousemove_callback(window, this, false, onMouse);
    emscripten_set_mouseup_callback(window, this, false, onMouse);
    emscripten_set_wheel_callback(kCanvas, this, false, onWheel);
    emscripten_set_touchstart_callback(kCanvas, this, false, onTouch);
    emscripten_set_touchmove_callback(kCanvas, this, false, onTouch);
    emscripten_set_touchend_callback(kCanvas, this, false, onTouch);
    emscripten_set_touchcancel_callback(kCanvas, this, false, onTouch);
    emscripten_set_click_callback(kStepButton, this, false, onStepButton);
    emscripten_set_click_callback(kRunButton, this, false, onRunButton);
    emscripten_set_click_callback(kBackButton, this, false, onBackButton);
    listenToTimeControls(this, static_cast<long>(onShell.size()));
    emscripten_set_resize_callback(window, this, false, onResize);
    emscripten_set_webglcontextlost_callback(kCanvas, this, false, onContextLost);
    emscripten_set_webglcontextrestored_callback(kCanvas, this, false, onContextRestored);
    reached();
    show(0);
    return true;
}

void WorldPage::goTo(long step) {
    if (ended) return;
    show(std::clamp(step, 0L, history.furthest()));
}

void WorldPage::setSpeed(double stepsPerSecond) {
    period = stepsPerSecond > 0 ? 1000 / stepsPerSecond : 0;
}

// Only from the furthest step reached does the lattice take a step and
// print its lines.
void WorldPage::forward() {
    if (shown == history.furthest()) {
        try {
            volume->step();
            history.record(*volume);
        } catch (const std::bad_alloc&) {
            // The lattice is a step ahead of what was kept: the run cannot
            // go on, but what it reached stays.
            ended = true;
            running = false;
            showFailure("World ran out of memory keeping the run's steps. "
                        "The lines of every step it kept can still be saved.");
            return;
        }
        reached();
    }
    show(shown + 1);
}

// Tells the page of the furthest step reached.
void WorldPage::reached() {
    const TracerCounts& counts = history.counts(history.furthest());
    showReached(history.furthest(), counts.green, counts.infinite, counts.nan,
                counts.largestFinite ? *counts.largestFinite : -1.0f);
}

void WorldPage::back() {
    if (shown > 0) show(shown - 1);
}

void WorldPage::show(long step) {
    shown = step;
    const LinesWindow window = linesWindow(shown, history.furthest());
    showStep(shown, history.furthest(), summaryOf(history.counts(shown)).c_str(), window.first,
             window.last);
    pointsLoaded = false;
    pictureDrawn = false;
    requestFrame();
}

void WorldPage::setRunning(bool on) {
    running = on;
    // The first step on the next frame.
    nextStepAt = 0;
    showRunning(on);
    requestFrame();
}

void WorldPage::quit() {
    ended = true;
    running = false;
    emscripten_html5_remove_all_event_listeners();
    showEnd();
}

void WorldPage::press(int button, int x, int y) {
    drag.press(button, x, y, camera, cssWidth, cssHeight);
}

void WorldPage::moveTo(int x, int y) {
    if (drag.moveTo(x, y)) requestFrame();
}

void WorldPage::release(int x, int y) {
    if (drag.release(x, y, camera, cssWidth, cssHeight)) requestFrame();
}

// One finger orbits as the left button, two pan as the right one and zoom as
// the middle one by their spread: spreading them by the canvas height halves
// the distance. A finger that comes or goes ends the gesture where it was
// and starts another.
void WorldPage::touch(const EmscriptenTouchEvent& event, bool lifted) {
    const EmscriptenTouchPoint* down[2];
    int count = 0;
    for (int i = 0; i < event.numTouches && count < 2; ++i) {
        const EmscriptenTouchPoint& point = event.touches[i];
        // A lifted finger is still listed, as changed.
        if (!(lifted && point.isChanged)) down[count++] = &point;
    }
    int x = 0;
    int y = 0;
    int apart = 0;
    if (count == 1) {
        x = down[0]->clientX;
        y = down[0]->clientY;
    } else if (count == 2) {
        x = (down[0]->clientX + down[1]->clientX) / 2;
        y = (down[0]->clientY + down[1]->clientY) / 2;
        apart = distanceBetween(*down[0], *down[1]);
    }
    if (count != fingers) {
        // The gesture so far, spread included, then the next or none.
        applyDrag();
        fingers = count;
        if (count == 0) {
            drag.end();
            requestFrame();
        } else {
            press(count == 2 ? kPanButton : kOrbitButton, x, y);
            pressSpread = spread = apart;
        }
        return;
    }
    spread = apart;
    moveTo(x, y);
}

void WorldPage::applyDrag() {
    drag.apply(camera, cssWidth, cssHeight);
    // The pan and the zoom write fields of their own.
    if (fingers == 2 && drag.active()) {
        dragOrbitCamera(camera, drag.pressCamera, kZoomButton, 0, spread - pressSpread, cssWidth,
                        cssHeight);
    }
}

// The camera as after a drag of (dx, dy) page pixels with the button.
void WorldPage::nudgeCamera(int button, int dx, int dy) {
    const OrbitCamera before = camera;
    dragOrbitCamera(camera, before, button, dx, dy, cssWidth, cssHeight);
    requestFrame();
}

// With the canvas focused, the arrows drag the camera as the left button
// does, or with Shift as the right one, and + and - as the middle one.
bool WorldPage::key(const EmscriptenKeyboardEvent& event) {
    // The browser's own shortcuts stay the browser's.
    if (event.ctrlKey || event.metaKey || event.altKey) return false;
    if (canvasFocused()) {
        const int d = kKeyDragPixels;
        const int button = event.shiftKey ? kPanButton : kOrbitButton;
        const struct {
            const char* key;
            int button, dx, dy;
        } moves[] = {
            {"ArrowLeft", button, d, 0},     {"ArrowRight", button, -d, 0},
            {"ArrowUp", button, 0, d},       {"ArrowDown", button, 0, -d},
            {"+", kZoomButton, 0, d},        {"=", kZoomButton, 0, d},
            {"-", kZoomButton, 0, -d},
        };
        for (const auto& move : moves) {
            if (std::strcmp(event.key, move.key) == 0) {
                nudgeCamera(move.button, move.dx, move.dy);
                return true;
            }
        }
    }
    if (std::strlen(event.key) != 1 || textFieldFocused()) return false;
    const int letter = std::tolower(static_cast<unsigned char>(event.key[0]));
    if (letter == kStepKey) {
        forward();
        return true;
    }
    if (letter == kBackKey) {
        back();
        return true;
    }
    if (letter == kQuitKey) {
        quit();
        return true;
    }
    return false;
}

// Up or away brings the eye closer.
void WorldPage::wheel(const EmscriptenWheelEvent& event) {
    double pixels = event.deltaY;
    if (event.deltaMode == DOM_DELTA_LINE) pixels *= kPixelsPerLine;
    if (event.deltaMode == DOM_DELTA_PAGE) pixels *= cssHeight;
    const double perPixel = event.mouse.ctrlKey ? kPinchDragPerPixel : kWheelDragPerPixel;
    nudgeCamera(kZoomButton, 0, static_cast<int>(std::lround(-pixels * perPixel * cssHeight)));
}

// The canvas fills its box in whole page pixels, drawn at the device's
// resolution so that the picture stays sharp. A resize is told twice, by the
// window and by the box; setting a canvas's size clears it even when the
// size is the same, so an unchanged canvas is left alone.
void WorldPage::fitCanvas() {
    double width = 0;
    double height = 0;
    emscripten_get_element_css_size(kView, &width, &height);
    const int newWidth = std::max(1, static_cast<int>(width));
    const int newHeight = std::max(1, static_cast<int>(height));
    const double newRatio = emscripten_get_device_pixel_ratio();
    if (newWidth == cssWidth && newHeight == cssHeight && newRatio == pixelRatio) return;
    cssWidth = newWidth;
    cssHeight = newHeight;
    pixelRatio = newRatio;
    drawableWidth = static_cast<int>(std::lround(cssWidth * pixelRatio));
    drawableHeight = static_cast<int>(std::lround(cssHeight * pixelRatio));
    emscripten_set_canvas_element_size(kCanvas, drawableWidth, drawableHeight);
    emscripten_set_element_css_size(kCanvas, cssWidth, cssHeight);
    pictureDrawn = false;
}

bool WorldPage::makeScene() {
    scene = WebGlScene();
    pointsLoaded = false;
    pictureDrawn = false;
    return scene.create();
}

void WorldPage::requestFrame() {
    if (frameRequested || ended) return;
    frameRequested = true;
    emscripten_request_animation_frame(onFrame, this);
    showFrames(framesDrawn, frameRequested);
}

void WorldPage::frame(double now) {
    frameRequested = false;
    if (!ended && !contextLost) {
        if (running && now + kStepLeewayMs >= nextStepAt) {
            // Due a period after the step before, or after now when the frame
            // came a period late or more: the pace holds, with no burst of
            // steps to catch up.
            nextStepAt = now - nextStepAt < period ? nextStepAt + period : now + period;
            forward();
        } else if (running) {
            requestFrame();
        }
        applyDrag();
        // Moved to a screen of another resolution; the page's script tells
        // of it too, but not every browser says so to it.
        if (emscripten_get_device_pixel_ratio() != pixelRatio) fitCanvas();
        if (!pictureDrawn || !(drawnCamera == camera)) draw();
    }
    showFrames(framesDrawn, frameRequested);
}

void WorldPage::draw() {
    emscripten_webgl_make_context_current(context);
    if (!pointsLoaded) {
        scene.loadPoints(history.tracers(shown), onShell);
        pointsLoaded = true;
    }
    scene.draw(camera, drawableWidth, drawableHeight, static_cast<float>(pixelRatio));
    drawnCamera = camera;
    pictureDrawn = true;
    if (++framesDrawn == 1) markStartUp("the first frame drawn");
}

EM_BOOL WorldPage::onKey(int, const EmscriptenKeyboardEvent* event, void* data) {
    return static_cast<WorldPage*>(data)->key(*event);
}

EM_BOOL WorldPage::onMouse(int type, const EmscriptenMouseEvent* event, void* data) {
    auto* page = static_cast<WorldPage*>(data);
    switch (type) {
        case EMSCRIPTEN_EVENT_MOUSEDOWN: {
            // Ends whatever the fingers were doing.
            page->fingers = 0;
            int button = desktopButton(event->button);
            // A left drag with a modifier pans, for a mouse or trackpad
            // with one button.
            if (button == kOrbitButton && (event->shiftKey || event->ctrlKey || event->metaKey)) {
                button = kPanButton;
            }
            page->press(button, event->clientX, event->clientY);
            // The press focuses the canvas, for its keys, as a click does;
            // only the middle button's autoscroll is kept from the browser.
            return button == kZoomButton;
        }
        case EMSCRIPTEN_EVENT_MOUSEMOVE:
            page->moveTo(event->clientX, event->clientY);
            return EM_FALSE;
        default:
            page->release(event->clientX, event->clientY);
            return EM_FALSE;
    }
}

EM_BOOL WorldPage::onWheel(int, const EmscriptenWheelEvent* event, void* data) {
    static_cast<WorldPage*>(data)->wheel(*event);
    // The page neither scrolls nor zooms under the pointer.
    return EM_TRUE;
}

EM_BOOL WorldPage::onTouch(int type, const EmscriptenTouchEvent* event, void* data) {
    static_cast<WorldPage*>(data)->touch(
        *event, type == EMSCRIPTEN_EVENT_TOUCHEND || type == EMSCRIPTEN_EVENT_TOUCHCANCEL);
    // The page neither scrolls nor zooms under the fingers.
    return EM_TRUE;
}

EM_BOOL WorldPage::onStepButton(int, const EmscriptenMouseEvent*, void* data) {
    static_cast<WorldPage*>(data)->forward();
    return EM_TRUE;
}

EM_BOOL WorldPage::onBackButton(int, const EmscriptenMouseEvent*, void* data) {
    static_cast<WorldPage*>(data)->back();
    return EM_TRUE;
}

EM_BOOL WorldPage::onRunButton(int, const EmscriptenMouseEvent*, void* data) {
    auto* page = static_cast<WorldPage*>(data);
    page->setRunning(!page->running);
    return EM_TRUE;
}

EM_BOOL WorldPage::onResize(int, const EmscriptenUiEvent*, void* data) {
    auto* page = static_cast<WorldPage*>(data);
    page->fitCanvas();
    page->requestFrame();
    return EM_FALSE;
}

EM_BOOL WorldPage::onContextLost(int, const void*, void* data) {
    static_cast<WorldPage*>(data)->contextLost = true;
    // Handled, so that the browser restores the context.
    return EM_TRUE;
}

EM_BOOL WorldPage::onContextRestored(int, const void*, void* data) {
    auto* page = static_cast<WorldPage*>(data);
    emscripten_webgl_make_context_current(page->context);
    if (!page->makeScene()) {
        page->ended = true;
        showFailure("World lost its drawing on this page and could not get it back.");
        return EM_TRUE;
    }
    page->contextLost = false;
    page->requestFrame();
    return EM_TRUE;
}

EM_BOOL WorldPage::onFrame(double time, void* data) {
    static_cast<WorldPage*>(data)->frame(time);
    // One frame a request.
    return EM_FALSE;
}

// The timeline and the speed, which the page's script listens to.
extern "C" {

EMSCRIPTEN_KEEPALIVE void worldGoTo(WorldPage* page, long step) { page->goTo(step); }

EMSCRIPTEN_KEEPALIVE void worldSetSpeed(WorldPage* page, double stepsPerSecond) {
    page->setSpeed(stepsPerSecond);
}
}
