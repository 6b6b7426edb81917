#include "world_page.h"

#include <emscripten.h>
#include <emscripten/eventloop.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>

#include "program.h"

namespace {

constexpr const char* kCanvas = "#canvas";
constexpr const char* kStepButton = "#step";

// The page's own part, in its script: it shows the end and disables the
// Step button.
EM_JS(void, showEnd, (int status), { Module.worldEnded(status); });

// The browser numbers the buttons 0 (left), 1 (middle) and 2 (right).
int desktopButton(unsigned short browserButton) { return browserButton + 1; }

long distanceBetween(const EmscriptenTouchPoint& a, const EmscriptenTouchPoint& b) {
    return std::lround(std::hypot(static_cast<double>(a.clientX - b.clientX),
                                  static_cast<double>(a.clientY - b.clientY)));
}

}  // namespace

WorldPage::WorldPage(Volume* volume, EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context)
    : volume(volume),
      context(context),
      camera(kInitialCamera),
      dragButton(kNoDrag),
      pressCamera(kInitialCamera),
      drawnCamera(kInitialCamera) {}

bool WorldPage::start() {
    if (!makeScene()) return false;
    fitCanvas();
    const char* window = EMSCRIPTEN_EVENT_TARGET_WINDOW;
    emscripten_set_keydown_callback(window, this, false, onKey);
    emscripten_set_mousedown_callback(kCanvas, this, false, onMouse);
    // On the window, so that a drag goes on outside the canvas.
    emscripten_set_mousemove_callback(window, this, false, onMouse);
    emscripten_set_mouseup_callback(window, this, false, onMouse);
    emscripten_set_touchstart_callback(kCanvas, this, false, onTouch);
    emscripten_set_touchmove_callback(kCanvas, this, false, onTouch);
    emscripten_set_touchend_callback(kCanvas, this, false, onTouch);
    emscripten_set_touchcancel_callback(kCanvas, this, false, onTouch);
    emscripten_set_click_callback(kStepButton, this, false, onStepButton);
    emscripten_set_resize_callback(window, this, false, onResize);
    emscripten_set_webglcontextlost_callback(kCanvas, this, false, onContextLost);
    emscripten_set_webglcontextrestored_callback(kCanvas, this, false, onContextRestored);
    requestFrame();
    return true;
}

void WorldPage::step() {
    volume->step();
    latticeLoaded = false;
    pictureDrawn = false;
    requestFrame();
}

void WorldPage::quit() {
    ended = true;
    emscripten_html5_remove_all_event_listeners();
    showEnd(kQuitStatus);
}

void WorldPage::press(int button, long x, long y) {
    dragButton = button;
    pressX = mouseX = x;
    pressY = mouseY = y;
    pressCamera = camera;
}

void WorldPage::moveTo(long x, long y) {
    if (dragButton == kNoDrag) return;
    mouseX = x;
    mouseY = y;
    requestFrame();
}

void WorldPage::release() { dragButton = kNoDrag; }

// One finger orbits as the left button, two pan as the right one and zoom as
// the middle one by their spread: spreading them by the canvas height halves
// the distance. A finger that comes or goes starts the gesture afresh.
void WorldPage::touch(const EmscriptenTouchEvent& event, bool lifted) {
    const EmscriptenTouchPoint* down[2];
    int count = 0;
    for (int i = 0; i < event.numTouches && count < 2; ++i) {
        const EmscriptenTouchPoint& point = event.touches[i];
        // A lifted finger is still listed, as changed.
        if (!(lifted && point.isChanged)) down[count++] = &point;
    }
    long x = 0;
    long y = 0;
    long apart = 0;
    if (count == 1) {
        x = down[0]->clientX;
        y = down[0]->clientY;
    } else if (count == 2) {
        x = (down[0]->clientX + down[1]->clientX) / 2;
        y = (down[0]->clientY + down[1]->clientY) / 2;
        apart = distanceBetween(*down[0], *down[1]);
    }
    if (count != fingers) {
        fingers = count;
        if (count == 0) {
            release();
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
    if (dragButton == kNoDrag) return;
    const int dx = static_cast<int>(pressX - mouseX);
    const int dy = static_cast<int>(pressY - mouseY);
    dragOrbitCamera(camera, pressCamera, dragButton, dx, dy, kWindowWidth, kWindowHeight);
    // The pan and the zoom write fields of their own.
    if (fingers == 2) {
        dragOrbitCamera(camera, pressCamera, kZoomButton, 0, static_cast<int>(spread - pressSpread),
                        kWindowWidth, kWindowHeight);
    }
}

// Drawn at the device's resolution, so that the picture stays sharp.
void WorldPage::fitCanvas() {
    pixelRatio = emscripten_get_device_pixel_ratio();
    drawableWidth = static_cast<int>(std::lround(kWindowWidth * pixelRatio));
    drawableHeight = static_cast<int>(std::lround(kWindowHeight * pixelRatio));
    emscripten_set_canvas_element_size(kCanvas, drawableWidth, drawableHeight);
    emscripten_set_element_css_size(kCanvas, kWindowWidth, kWindowHeight);
    pictureDrawn = false;
}

bool WorldPage::makeScene() {
    scene = WebGlScene();
    latticeLoaded = false;
    pictureDrawn = false;
    return scene.create();
}

// At most one frame a frame period, as the desktop program's timer ticks.
void WorldPage::requestFrame() {
    if (frameRequested || ended) return;
    frameRequested = true;
    const double wait = std::max(0.0, lastFrame + kFramePeriod * 1000.0 - emscripten_get_now());
    emscripten_set_timeout(onFrame, wait, this);
}

void WorldPage::frame() {
    frameRequested = false;
    if (ended || contextLost) return;
    lastFrame = emscripten_get_now();
    applyDrag();
    if (pictureDrawn && drawnCamera == camera) return;
    emscripten_webgl_make_context_current(context);
    if (!latticeLoaded) {
        scene.loadLattice(*volume);
        latticeLoaded = true;
    }
    scene.draw(camera, drawableWidth, drawableHeight, static_cast<float>(pixelRatio));
    drawnCamera = camera;
    pictureDrawn = true;
}

EM_BOOL WorldPage::onKey(int, const EmscriptenKeyboardEvent* event, void* data) {
    auto* page = static_cast<WorldPage*>(data);
    // The browser's own shortcuts stay the browser's.
    if (event->ctrlKey || event->metaKey || event->altKey) return EM_FALSE;
    if (std::strlen(event->key) != 1) return EM_FALSE;
    const int key = std::tolower(static_cast<unsigned char>(event->key[0]));
    if (key == kStepKey) {
        page->step();
        return EM_TRUE;
    }
    if (key == kQuitKey) {
        page->quit();
        return EM_TRUE;
    }
    return EM_FALSE;
}

EM_BOOL WorldPage::onMouse(int type, const EmscriptenMouseEvent* event, void* data) {
    auto* page = static_cast<WorldPage*>(data);
    switch (type) {
        case EMSCRIPTEN_EVENT_MOUSEDOWN:
            // Ends whatever the fingers were doing.
            page->fingers = 0;
            page->press(desktopButton(event->button), event->clientX, event->clientY);
            // No middle-button autoscroll, no text selection.
            return EM_TRUE;
        case EMSCRIPTEN_EVENT_MOUSEMOVE:
            page->moveTo(event->clientX, event->clientY);
            return EM_FALSE;
        default:
            page->release();
            return EM_FALSE;
    }
}

EM_BOOL WorldPage::onTouch(int type, const EmscriptenTouchEvent* event, void* data) {
    static_cast<WorldPage*>(data)->touch(
        *event, type == EMSCRIPTEN_EVENT_TOUCHEND || type == EMSCRIPTEN_EVENT_TOUCHCANCEL);
    // The page neither scrolls nor zooms under the fingers.
    return EM_TRUE;
}

EM_BOOL WorldPage::onStepButton(int, const EmscriptenMouseEvent*, void* data) {
    static_cast<WorldPage*>(data)->step();
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
    page->contextLost = false;
    emscripten_webgl_make_context_current(page->context);
    page->makeScene();
    page->requestFrame();
    return EM_TRUE;
}

void WorldPage::onFrame(void* data) { static_cast<WorldPage*>(data)->frame(); }
