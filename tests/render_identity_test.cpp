// The program's renderer against the plain one, pixel for pixel, on the
// lattice as it fills and drains and from cameras that make points overlap.
// Needs a display: CTest runs it under an Xvfb of its own.
#include <FL/Fl.H>
#include <FL/gl.h>
#include <gtest/gtest.h>

#include <vector>

#include "plain_renderer.h"
#include "scene.h"
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

int greenPixels(const Pixels& pixels) {
    int count = 0;
    for (size_t i = 0; i < pixels.size(); i += 4) {
        count += pixels[i] == 0 && pixels[i + 1] > 0 && pixels[i + 2] == 0;
    }
    return count;
}

// elevation, azimuth, distance, targetX, targetY
const OrbitCamera kCameras[] = {
    {0, 0, 100, 0, 0},        // head-on
    {0, 30, 100, 0, 0},       // orbited
    {0, 135, 100, 0, 0},      //
    {20, 250, 70, 0, 0},      //
    {60, 10, 100, 0, 0},      // tilted up
    {89, 300, 100, 0, 0},     // from straight above
    {-5, 200, 60, 0, 0},      // tilted down
    {15, 45, 100, 18, -12},   // panned
    {30, 320, 500, 0, 0},     // far out, where points overlap on screen
    {-5, 100, 900, -30, 25},  //
    {10, 20, 20, 0, 0},       // close, from inside the lattice
};

TEST(RenderIdentity, SameAsThePlainRendererAsTheLatticeFillsAndDrains) {
    Fl::visual(FL_RGB);
    // Never freed, like the program's window.
    auto* window = new ViewerWindow(kWindowX, kWindowY, kWindowWidth, kWindowHeight, kWindowTitle);
    window->show();
    while (!window->visible()) Fl::wait();
    window->make_current();
    window->draw();  // sets the context up
    window->valid(1);
    const int width = window->pixel_w();
    const int height = window->pixel_h();

    int steps = 0;
    for (int state : {0, 40, 50, 60, 80}) {
        testing::internal::CaptureStdout();
        for (; steps < state; ++steps) window->volume->step();
        testing::internal::GetCapturedStdout();

        int green = 0;
        for (const OrbitCamera& camera : kCameras) {
            window->camera = camera;
            window->draw();
            const Pixels program = readPixels(width, height);
            beginFrame(camera);
            renderPlainly(*window->volume);
            const Pixels plain = readPixels(width, height);
            EXPECT_EQ(differingPixels(program, plain), 0)
                << "after " << state << " steps, camera azimuth " << camera.azimuth
                << ", elevation " << camera.elevation << ", distance " << camera.distance;
            green += greenPixels(plain);
        }
        // The comparison must include tracer points that overlap the shell.
        if (state == 40 || state == 50) {
            EXPECT_GT(green, 10000) << state;
        }
    }
}

}  // namespace
