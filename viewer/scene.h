#pragma once

// The vertical field of view, in degrees, that gives a window of
// width x height pixels a horizontal field of view of 45 degrees.
double verticalFieldOfView(int width, int height);
