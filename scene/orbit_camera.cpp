#include "orbit_camera.h"

#include <algorithm>
#include <cmath>

#include "scene.h"

namespace {

// Angles are kept in degrees and converted as (degrees * pi) / 180.
double radians(float degrees) { return degrees * kPi / 180; }

// A drag across the whole window width turns the eye once round; one over
// its height tilts it by kTiltPerHeight degrees.
constexpr float kFullTurn = 360.0f;
constexpr float kTiltPerHeight = 90.0f;
constexpr float kMaxElevation = 89.0f;
constexpr float kMinElevation = -5.0f;
// A drag up the whole window height takes this share off the distance.
constexpr float kZoomPerHeight = 0.5f;
constexpr float kMinDistance = 1.0f;
// A drag across the whole window moves the look-at point this far.
constexpr float kPanSpan = 100.0f;

}  // namespace

void dragOrbitCamera(OrbitCamera& camera, const OrbitCamera& pressCamera, int button, int dx,
                     int dy, int width, int height) {
    // A window that is not shown can have no size; there is nothing to scale by.
    if (width <= 0 || height <= 0) return;
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float fdx = static_cast<float>(dx);
    const float fdy = static_cast<float>(dy);

    switch (button) {
        case kOrbitButton:
            camera.azimuth = pressCamera.azimuth + fdx * kFullTurn / w;
            while (camera.azimuth >= kFullTurn) camera.azimuth -= kFullTurn;
            while (camera.azimuth < 0.0f) camera.azimuth += kFullTurn;
            camera.elevation = pressCamera.elevation + fdy * kTiltPerHeight / h;
            if (camera.elevation > kMaxElevation) camera.elevation = kMaxElevation;
            if (camera.elevation < kMinElevation) camera.elevation = kMinElevation;
            break;
        case kZoomButton:
            camera.distance =
                pressCamera.distance - kZoomPerHeight * pressCamera.distance * fdy / h;
            if (camera.distance < kMinDistance) camera.distance = kMinDistance;
            // Unbounded, repeated zooming out would reach infinity, and the
            // next zoom NaN, which no drag can undo.
            camera.distance = std::min(camera.distance, farthestUsefulDistance(pressCamera));
            break;
        case kPanButton: {
            const double a = radians(camera.azimuth);
            const float sinA = static_cast<float>(std::sin(a));
            const float cosA = static_cast<float>(std::cos(a));
            camera.targetX = pressCamera.targetX + kPanSpan * (fdx * -sinA / w + fdy * cosA / h);
            camera.targetY = pressCamera.targetY + kPanSpan * (fdx * cosA / w + fdy * sinA / h);
            break;
        }
        default:
            break;
    }
}

float farthestUsefulDistance(const OrbitCamera& camera) {
    // A point P of the scene lies (P - T) . v + d in front of an eye at
    // distance d from the look-at point T, looking along v; that is at least
    // d - |P - T| >= d - kSceneRadius - |T|. Past the sum below, the whole
    // scene lies beyond the far plane; rounding it to single precision moves
    // it by far less than the margin in kSceneRadius.
    const double x = camera.targetX;
    const double y = camera.targetY;
    const double target = std::sqrt(x * x + y * y + kTargetZ * kTargetZ);
    return static_cast<float>(kFarPlane + kSceneRadius + target);
}

EyePosition eyePosition(const OrbitCamera& camera) {
    const double el = radians(camera.elevation);
    const double az = radians(camera.azimuth);
    return {camera.targetX + camera.distance * std::cos(az) * std::cos(el),
            camera.targetY + camera.distance * std::sin(az) * std::cos(el),
            kTargetZ + camera.distance * std::sin(el)};
}
