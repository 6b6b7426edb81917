#pragma once

#include <GLES2/gl2.h>

#include <vector>

#include "orbit_camera.h"

// The scene drawn with WebGL in two draws: the marker cube, then every point
// of the lattice from one vertex buffer. Everything lives in the GL context
// that is current when it is made; a lost context needs a new scene.
// How far a rasterizer must move a point, right and up in drawable pixels,
// to cover the pixels the desktop's covers.
struct PixelNudge {
    float x = 0;
    float y = 0;
};

class WebGlScene {
public:
    // Compiles the shaders and makes the buffers; false if the GL refused.
    bool create();
    // Takes a step's points into the vertex buffer from every site's tracer
    // and whether it lies on the shell, both in the desktop program's
    // drawing order, so that depth ties are won alike.
    void loadPoints(const std::vector<float>& tracers, const std::vector<bool>& onShell);
    // One frame in a drawable of width x height pixels, with
    // pixelRatio drawable pixels to a page pixel.
    void draw(const OrbitCamera& camera, int width, int height, float pixelRatio) const;

private:
    void bindVertices(GLuint buffer) const;
    PixelNudge measureNudge() const;

    GLuint program = 0;
    GLuint cubeBuffer = 0;
    GLuint pointBuffer = 0;
    GLsizei cubeVertexCount = 0;
    GLsizei pointCount = 0;
    GLint positionAttribute = -1;
    GLint colourAttribute = -1;
    GLint sizeAttribute = -1;
    GLint viewProjectionUniform = -1;
    GLint pixelRatioUniform = -1;
    GLint nudgeUniform = -1;
    PixelNudge nudge;             // see measureNudge
    std::vector<float> vertices;  // kept, so that a step allocates nothing
};
