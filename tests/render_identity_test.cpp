// The program's frames against the plain ones, pixel for pixel, on the
// lattice as it fills and drains and from cameras that tilt the light, make
// points overlap or push the lattice towards the far plane. Each draws in a
// GL context of its own, so that neither can lean on the other's state.
// Needs a display: CTest runs it under an Xvfb of its own.
#include <FL/Fl.H>
#include <FL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "plain_renderer.h"
#include "viewer_window.h"

namespace {

using Pixels = std::vector<unsigned char>;

Pixels readPixels(int width, int height) {
    glFinish();
    Pixels pixels(4 * width * height);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

int differingPixels(const Pixels& a, const Pixels& b) {
    int count = 0;
    for (size_t i = 0; i < a.size(); i += 4) {
        count += a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2];
    }
    return count;
}

// The pixels whose colour (r, g, b) satisfies the predicate.
template <typename Predicate>
int pixelsWhere(const Pixels& pixels, Predicate predicate) {
    int count = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        count += predicate(pixels[i], pixels[i + 1], pixels[i + 2]);
    }
    return count;
}

bool isLit(int r, int g, int b) { return r || g || b; }
bool isGreen(int r, int g, int b) { return r == 0 && g > 0 && b == 0; }

// Draws the plain frame of the lattice it is given.
class PlainWindow : public Fl_Gl_Window {
public:
    using Fl_Gl_Window::Fl_Gl_Window;
    void draw() override {
        if (volume) drawPlainly(*volume, camera, pixel_w(), pixel_h());
    }
    const Volume* volume = nullptr;
    OrbitCamera camera = kInitialCamera;
};

template <typename Window>
Window* shown(Window* window) {
    window->show();
    while (!window->visible()) Fl::wait();
    return window;
}

// elevation, azimuth, distance, targetX, targetY
const OrbitCamera kCameras[] = {
    {0, 0, 100, 0, 0},        // head-on
    {0, 30, 100, 0, 0},       // orbited
    {0, 135, 100, 0, 0},      //
    {20, 250, 70, 0, 0},      //
    {45, 0, 100, 0, 0},       // tilted, the cube's top face in the light
    {60, 10, 100, 0, 0},      //
    {89, 300, 100, 0, 0},     // from straight above
    {-5, 200, 60, 0, 0},      // tilted down
    {15, 45, 100, 18, -12},   // panned
    {30, 320, 500, 0, 0},     // far out, where points overlap on screen
    {-5, 100, 900, -30, 25},  //
    {10, 20, 20, 0, 0},       // close, from inside the lattice
    // Panned and zoomed until the eye, at (0.01, 0, 0.91), is inside the
    // marker cube: culled, its faces do not show.
    {-5, 0, 12.56f, -12.5f, 0},
};

// The program's window and a plain one on the same lattice, each with its
// own GL context. Never freed, like the program's window.
class Frames : public testing::Test {
protected:
    static void SetUpTestSuite() {
        Fl::visual(FL_RGB);
        window =
            shown(new ViewerWindow(kWindowX, kWindowY, kWindowWidth, kWindowHeight, kWindowTitle));
        plainWindow = shown(new PlainWindow(kWindowX, kWindowY, kWindowWidth, kWindowHeight));
        plainWindow->volume = window->volume;
        // The program sets its context up on the first frame only, as it
        // does when it runs.
        window->make_current();
        window->valid(0);
    }

    void SetUp() override {
        ASSERT_EQ(plainWindow->pixel_w(), window->pixel_w());
        ASSERT_EQ(plainWindow->pixel_h(), window->pixel_h());
    }

    static void advanceTo(int state) {
        testing::internal::CaptureStdout();
        for (; steps < state; ++steps) window->volume->step();
        testing::internal::GetCapturedStdout();
    }

    static Pixels programFrame(const OrbitCamera& camera) {
        window->camera = camera;
        window->make_current();
        window->draw();
        window->valid(1);
        return readPixels(window->pixel_w(), window->pixel_h());
    }

    static Pixels plainFrame(const OrbitCamera& camera) {
        plainWindow->camera = camera;
        plainWindow->make_current();
        plainWindow->draw();
        return readPixels(plainWindow->pixel_w(), plainWindow->pixel_h());
    }

    static inline ViewerWindow* window = nullptr;
    static inline PlainWindow* plainWindow = nullptr;
    static inline int steps = 0;
};

TEST_F(Frames, SameAsThePlainRendererAsTheLatticeFillsAndDrains) {
    for (int state : {0, 40, 50, 60, 80}) {
        advanceTo(state);
        int green = 0;
        for (const OrbitCamera& camera : kCameras) {
            const Pixels program = programFrame(camera);
            const Pixels plain = plainFrame(camera);
            EXPECT_EQ(differingPixels(program, plain), 0)
                << "after " << state << " steps, camera azimuth " << camera.azimuth
                << ", elevation " << camera.elevation << ", distance " << camera.distance;
            green += pixelsWhere(plain, isGreen);
        }
        // The comparison must include tracer points that overlap the shell.
        if (state == 40 || state == 50) {
            EXPECT_GT(green, 10000) << state;
        }
    }
}

// Zooming out stops where the whole scene lies beyond the far plane, from
// any angle and with the look-at point anywhere; short of the far plane the
// scene still shows.
TEST_F(Frames, NothingShowsFromTheFarthestZoom) {
    advanceTo(80);
    const OrbitCamera directions[] = {
        {0, 0, 0, 0, 0},    {-5, 135, 0, 0, 0},     {45, 250, 0, 0, 0},    {89, 10, 0, 0, 0},
        {0, 180, 0, 90, 0}, {-5, 200, 0, 400, 160}, {30, 60, 0, -35, -40},
    };
    for (OrbitCamera camera : directions) {
        camera.distance = farthestUsefulDistance(camera);
        EXPECT_EQ(pixelsWhere(programFrame(camera), isLit), 0)
            << "azimuth " << camera.azimuth << ", elevation " << camera.elevation << ", target "
            << camera.targetX << " " << camera.targetY;
    }
    EXPECT_GT(pixelsWhere(programFrame({0, 0, 990, 0, 0}), isLit), 0);
}

}  // namespace
