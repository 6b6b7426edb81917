#include "orbit_camera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "scene.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr OrbitCamera kStart = {10.0f, 30.0f, 100.0f, 4.0f, -2.0f};

OrbitCamera drag(int button, int dx, int dy, const OrbitCamera& press = kStart) {
    OrbitCamera camera = press;
    dragOrbitCamera(camera, press, button, dx, dy, kWidth, kHeight);
    return camera;
}

void expectSame(const OrbitCamera& a, const OrbitCamera& b) {
    EXPECT_EQ(a.elevation, b.elevation);
    EXPECT_EQ(a.azimuth, b.azimuth);
    EXPECT_EQ(a.distance, b.distance);
    EXPECT_EQ(a.targetX, b.targetX);
    EXPECT_EQ(a.targetY, b.targetY);
}

TEST(OrbitCamera, NoMotionOrUnknownButtonKeepsThePressCamera) {
    for (int button : {1, 2, 3}) expectSame(drag(button, 0, 0), kStart);
    for (int button : {0, 4, 8, 9}) expectSame(drag(button, 123, -45), kStart);
}

TEST(OrbitCamera, OrbitWritesOnlyTheAnglesAndWrapsTheAzimuth) {
    const OrbitCamera turned = drag(kOrbitButton, 200, 60);
    EXPECT_EQ(turned.azimuth, 120.0f);
    EXPECT_EQ(turned.elevation, 19.0f);
    EXPECT_EQ(turned.distance, kStart.distance);
    EXPECT_EQ(turned.targetX, kStart.targetX);
    EXPECT_EQ(turned.targetY, kStart.targetY);

    EXPECT_FLOAT_EQ(drag(kOrbitButton, kWidth, 0).azimuth, kStart.azimuth);
    EXPECT_FLOAT_EQ(drag(kOrbitButton, -kWidth, 0).azimuth, kStart.azimuth);
    EXPECT_FLOAT_EQ(drag(kOrbitButton, -3 * kWidth, 0).azimuth, kStart.azimuth);
    EXPECT_EQ(drag(kOrbitButton, -100, 0).azimuth, 345.0f);

    // Just below 0 plus 360 rounds to exactly 360, after the >= 360 loop has run.
    const OrbitCamera tiny = {0.0f, 0.0f, 100.0f, 0.0f, 0.0f};
    OrbitCamera wrapped = tiny;
    dragOrbitCamera(wrapped, tiny, kOrbitButton, -1, 0, 1 << 30, kHeight);
    EXPECT_EQ(wrapped.azimuth, 360.0f);
}

TEST(OrbitCamera, ElevationClampsWithoutSticking) {
    const OrbitCamera flat = {0.0f, 0.0f, 100.0f, 0.0f, 0.0f};
    EXPECT_EQ(drag(kOrbitButton, 0, kHeight, flat).elevation, 89.0f);
    EXPECT_EQ(drag(kOrbitButton, 0, -kHeight / 10, flat).elevation, -5.0f);
    EXPECT_EQ(drag(kOrbitButton, 0, 3 * kHeight, flat).elevation, 89.0f);
    // The update is absolute: back at the press point is back at the press camera.
    EXPECT_EQ(drag(kOrbitButton, 0, 0, flat).elevation, 0.0f);
}

TEST(OrbitCamera, ZoomIsLinearInTheVerticalMotionAndClampsAtOne) {
    const OrbitCamera zoomed = drag(kZoomButton, 77, kHeight);
    EXPECT_EQ(zoomed.distance, 50.0f);
    EXPECT_EQ(zoomed.azimuth, kStart.azimuth);
    EXPECT_EQ(zoomed.elevation, kStart.elevation);
    EXPECT_EQ(zoomed.targetX, kStart.targetX);
    EXPECT_EQ(drag(kZoomButton, 0, -kHeight).distance, 150.0f);
    EXPECT_EQ(drag(kZoomButton, 0, 2 * kHeight).distance, 1.0f);
    EXPECT_EQ(drag(kZoomButton, 0, 5 * kHeight).distance, 1.0f);
}

// The zoom as the rule has it, with no upper bound.
float unboundedZoom(const OrbitCamera& press, int dy) {
    const float distance = press.distance - (0.5f * press.distance * dy) / kHeight;
    return distance < 1 ? 1.0f : distance;
}

TEST(OrbitCamera, ZoomIsTheRuleUpToTheFarthestUsefulDistance) {
    int bounded = 0;
    for (const float targetX : {0.0f, 3000.0f}) {
        for (const float distance : {1.0f, 7.5f, 100.0f, 523.25f, 1000.0f, 1040.0f, 2000.0f}) {
            const OrbitCamera press = {10.0f, 180.0f, distance, targetX, -40.0f};
            const float farthest = farthestUsefulDistance(press);
            for (int dy = -2 * kHeight; dy <= 2 * kHeight; dy += 7) {
                const float rule = unboundedZoom(press, dy);
                EXPECT_EQ(drag(kZoomButton, 0, dy, press).distance, std::min(rule, farthest))
                    << distance << " " << dy;
                bounded += rule > farthest;
            }
        }
    }
    EXPECT_GT(bounded, 0);
    // Looking back from 3000 along x, the eye is at the lattice: no bound there.
    const OrbitCamera panned = {0.0f, 180.0f, 2000.0f, 3000.0f, 0.0f};
    EXPECT_EQ(drag(kZoomButton, 0, -kHeight, panned).distance, 3000.0f);
}

TEST(OrbitCamera, ZoomingOutForeverStaysFiniteAndComesBack) {
    OrbitCamera camera = {0.0f, 0.0f, 100.0f, 0.0f, 0.0f};
    for (int drags = 0; drags < 1000; ++drags) camera = drag(kZoomButton, 0, -kHeight, camera);
    EXPECT_EQ(camera.distance, farthestUsefulDistance(camera));
    EXPECT_GT(camera.distance, kFarPlane + 25 * std::sqrt(3.0) + kTargetZ);
    EXPECT_EQ(drag(kZoomButton, 0, kHeight, camera).distance, camera.distance / 2);
}

TEST(OrbitCamera, PanMovesTheTargetAcrossTheHorizontalPlane) {
    const OrbitCamera front = {0.0f, 0.0f, 100.0f, 0.0f, 0.0f};
    const OrbitCamera sideways = drag(kPanButton, 200, 0, front);
    EXPECT_EQ(sideways.targetX, 0.0f);
    EXPECT_EQ(sideways.targetY, 25.0f);
    const OrbitCamera forward = drag(kPanButton, 0, -150, front);
    EXPECT_EQ(forward.targetX, -25.0f);
    EXPECT_EQ(forward.targetY, 0.0f);
    EXPECT_EQ(forward.azimuth, 0.0f);
    EXPECT_EQ(forward.distance, 100.0f);

    // At azimuth 90 the screen's right is -x: moving the pointer left moves
    // the look-at point to the screen's right.
    const OrbitCamera side = {0.0f, 90.0f, 100.0f, 0.0f, 0.0f};
    const OrbitCamera moved = drag(kPanButton, kWidth, 0, side);
    EXPECT_FLOAT_EQ(moved.targetX, -100.0f);
    EXPECT_NEAR(moved.targetY, 0.0f, 1e-5f);
}

TEST(OrbitCamera, WindowWithoutSizeLeavesTheCameraAlone) {
    for (int button : {1, 2, 3}) {
        OrbitCamera camera = kStart;
        dragOrbitCamera(camera, kStart, button, 10, 10, 0, kHeight);
        expectSame(camera, kStart);
        dragOrbitCamera(camera, kStart, button, 10, 10, kWidth, 0);
        expectSame(camera, kStart);
    }
}

TEST(Scene, EyeAndFieldOfView) {
    const EyePosition eye = eyePosition({0.0f, 0.0f, 100.0f, 0.0f, 0.0f});
    EXPECT_EQ(eye.x, 100.0);
    EXPECT_EQ(eye.y, 0.0);
    EXPECT_EQ(eye.z, 2.0);
    const EyePosition above = eyePosition({89.0f, 90.0f, 10.0f, 1.0f, 2.0f});
    EXPECT_NEAR(above.x, 1.0, 1e-9);
    EXPECT_NEAR(above.y, 2.0 + 10 * std::cos(89 * M_PI / 180), 1e-9);
    EXPECT_NEAR(above.z, 2.0 + 10 * std::sin(89 * M_PI / 180), 1e-9);

    EXPECT_NEAR(verticalFieldOfView(800, 600), 34.516, 5e-4);
    EXPECT_DOUBLE_EQ(verticalFieldOfView(500, 500), 45.0);
}

}  // namespace
