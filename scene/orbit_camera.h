#pragma once

// The eye orbits a look-at point (targetX, targetY, kTargetZ): azimuth about
// the vertical axis from +x toward +y, elevation above the horizontal plane.
struct OrbitCamera {
    float elevation;  // degrees, kept in -5..89 by a drag
    float azimuth;    // degrees, kept in 0..360 by a drag
    float distance;   // world units, at least 1 after a drag
    float targetX;
    float targetY;
};

// Equal cameras show the same picture.
inline bool operator==(const OrbitCamera& a, const OrbitCamera& b) {
    return a.elevation == b.elevation && a.azimuth == b.azimuth && a.distance == b.distance &&
           a.targetX == b.targetX && a.targetY == b.targetY;
}

constexpr OrbitCamera kInitialCamera = {0.0f, 0.0f, 100.0f, 0.0f, 0.0f};

constexpr double kTargetZ = 2.0;
constexpr double kPi = 3.141592653589793;
// Every point drawn lies within this distance of the origin: the lattice's
// farthest corners are 25 * sqrt(3), about 43.3, away.
constexpr double kSceneRadius = 44.0;

// The mouse buttons, numbered as the desktop's toolkit numbers them.
enum DragButton {
    kNoDrag = -1,      // no button is held
    kOrbitButton = 1,  // left
    kZoomButton = 2,   // middle
    kPanButton = 3,    // right
};

// Recomputes the camera from the state at the press and the pointer's total
// displacement since then, in a window of width x height pixels. Both are
// press minus now: dx > 0 when the pointer is now left of where it was
// pressed, dy > 0 when it is now above. Only the fields the button controls
// are written.
void dragOrbitCamera(OrbitCamera& camera, const OrbitCamera& pressCamera, int button, int dx,
                     int dy, int width, int height);

// The distance from the look-at point beyond which the eye sees nothing of
// the scene, whatever the angles: a drag never zooms out farther.
float farthestUsefulDistance(const OrbitCamera& camera);

struct EyePosition {
    double x, y, z;
};

EyePosition eyePosition(const OrbitCamera& camera);
