#pragma once

#include <array>

#include "orbit_camera.h"

// A 4 x 4 matrix in GL's column-major order.
using Matrix4 = std::array<float, 16>;

// What takes a world point to clip space for the camera, in a drawable of
// width x height pixels: the projection and the view that the desktop
// program sets with gluPerspective and gluLookAt, worked out in double
// precision and rounded once.
Matrix4 viewProjection(const OrbitCamera& camera, int width, int height);
