#include "webgl_scene.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "scene.h"
#include "view_matrix.h"

namespace {

// GLSL ES 1.00, which WebGL 1 and 2 both take. Every vertex is lit alike
// (see lightingFactor), so the fixed-function lighting is one factor,
// clamped per channel as GL clamps the lit colour.
constexpr const char* kVertexShader = R"(
attribute vec3 position;
attribute vec3 colour;
attribute float size;
uniform mat4 viewProjection;
uniform float lighting;
uniform float pixelRatio;
uniform vec2 nudge;
varying vec3 litColour;
void main() {
    vec4 at = viewProjection * vec4(position, 1.0);
    vec2 moved = at.xy + nudge * at.w;
    // A point is drawn whole or not at all, by whether its centre lies in
    // the view; that is decided before the nudge, which must neither bring
    // in a point just outside an edge nor push out one just inside.
    if (size > 0.0) {
        if (all(lessThanEqual(abs(at.xyz), vec3(at.w)))) {
            moved = clamp(moved, -at.w, at.w);
        } else {
            at = vec4(0.0, 0.0, 2.0, 1.0);  // beyond the far plane
            moved = at.xy;
        }
    }
    gl_Position = vec4(moved, at.zw);
    gl_PointSize = size * pixelRatio;
    litColour = clamp(colour * lighting, 0.0, 1.0);
}
)";

constexpr const char* kFragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
varying vec3 litColour;
void main() {
    gl_FragColor = vec4(litColour, 1.0);
}
)";

// x, y, z, r, g, b, point size.
constexpr int kFloatsPerVertex = 7;

void addVertex(std::vector<float>& vertices, const float* xyz, const float* rgb, float size) {
    vertices.insert(vertices.end(), {xyz[0], xyz[1], xyz[2], rgb[0], rgb[1], rgb[2], size});
}

// A shader's or program's log, on standard error: the browser's console.
template <typename GetLength, typename GetLog>
void logFailure(const char* what, GLuint object, GetLength getLength, GetLog getLog) {
    GLint length = 0;
    getLength(object, GL_INFO_LOG_LENGTH, &length);
    std::vector<char> log(std::max(length, 1));
    getLog(object, static_cast<GLsizei>(log.size()), nullptr, log.data());
    std::fprintf(stderr, "world: the %s failed: %s\n", what, log.data());
}

GLuint compiled(GLenum type, const char* source) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok) return shader;
    logFailure(type == GL_VERTEX_SHADER ? "vertex shader" : "fragment shader", shader,
               glGetShaderiv, glGetShaderInfoLog);
    glDeleteShader(shader);
    return 0;
}

GLuint linked(const char* vertexSource, const char* fragmentSource) {
    const GLuint vertexShader = compiled(GL_VERTEX_SHADER, vertexSource);
    const GLuint fragmentShader = compiled(GL_FRAGMENT_SHADER, fragmentSource);
    if (!vertexShader || !fragmentShader) {
        glDeleteShader(vertexShader);
        glDeleteShader(fragmentShader);
        return 0;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    if (ok) return program;
    logFailure("shader program", program, glGetProgramiv, glGetProgramInfoLog);
    glDeleteProgram(program);
    return 0;
}

// Two counter-clockwise triangles a face, as GL splits a quad.
std::vector<float> cubeVertices() {
    std::vector<float> vertices;
    for (const CubeFace& face : kMarkerCube) {
        for (int corner : {0, 1, 2, 0, 2, 3}) {
            addVertex(vertices, face.vertices[corner], face.colour, 0.0f);
        }
    }
    return vertices;
}

}  // namespace

bool WebGlScene::create() {
    program = linked(kVertexShader, kFragmentShader);
    if (!program) return false;
    positionAttribute = glGetAttribLocation(program, "position");
    colourAttribute = glGetAttribLocation(program, "colour");
    sizeAttribute = glGetAttribLocation(program, "size");
    viewProjectionUniform = glGetUniformLocation(program, "viewProjection");
    pixelRatioUniform = glGetUniformLocation(program, "pixelRatio");
    nudgeUniform = glGetUniformLocation(program, "nudge");

    const std::vector<float> cube = cubeVertices();
    cubeVertexCount = static_cast<GLsizei>(cube.size() / kFloatsPerVertex);
    glGenBuffers(1, &cubeBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, cubeBuffer);
    glBufferData(GL_ARRAY_BUFFER, cube.size() * sizeof(float), cube.data(), GL_STATIC_DRAW);
    glGenBuffers(1, &pointBuffer);

    // The same for every frame: a uniform keeps its value in the program.
    glUseProgram(program);
    glUniform1f(glGetUniformLocation(program, "lighting"), lightingFactor());
    nudge = measureNudge();

    glClearColor(kClearColour[0], kClearColour[1], kClearColour[2], kClearColour[3]);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    return true;
}

void WebGlScene::loadPoints(const std::vector<float>& tracers,
                            const std::vector<bool>& onShell) {
    vertices.clear();
    std::size_t site = 0;
    for (int plane = 0; plane < kLatticeSize; ++plane) {
        for (int row = 0; row < kLatticeSize; ++row) {
            for (int column = 0; column < kLatticeSize; ++column, ++site) {
                const WorldPoint at = sitePosition(column, row, plane);
                const float xyz[] = {at.x, at.y, at.z};
                switch (pointOf(tracers[site], onShell[site])) {
                    case SitePoint::kTracer: {
                        const float green[] = {0.0f, tracers[site], 0.0f};
                        addVertex(vertices, xyz, green, kTracerPointSize);
                        break;
                    }
                    case SitePoint::kShell:
                        addVertex(vertices, xyz, kShellColour, kShellPointSize);
                        break;
                    case SitePoint::kNone:
                        break;
                }
            }
        }
    }
    pointCount = static_cast<GLsizei>(vertices.size() / kFloatsPerVertex);
    glBindBuffer(GL_ARRAY_BUFFER, pointBuffer);
    glBufferData(GL_ARRAY_BUFFER, vertices.size() * sizeof(float), vertices.data(),
                 GL_DYNAMIC_DRAW);
}

void WebGlScene::bindVertices(GLuint buffer) const {
    constexpr GLsizei stride = kFloatsPerVertex * sizeof(float);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glVertexAttribPointer(positionAttribute, 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    glVertexAttribPointer(colourAttribute, 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(3 * sizeof(float)));
    glVertexAttribPointer(sizeAttribute, 1, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(6 * sizeof(float)));
}

void WebGlScene::draw(const OrbitCamera& camera, int width, int height, float pixelRatio) const {
    glViewport(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glUseProgram(program);
    glUniformMatrix4fv(viewProjectionUniform, 1, GL_FALSE,
                       viewProjection(camera, width, height).data());
    glUniform1f(pixelRatioUniform, pixelRatio);
    // Clip space spans the drawable twice over.
    glUniform2f(nudgeUniform, 2 * nudge.x / static_cast<float>(width),
                2 * nudge.y / static_cast<float>(height));
    glEnableVertexAttribArray(positionAttribute);
    glEnableVertexAttribArray(colourAttribute);
    glEnableVertexAttribArray(sizeAttribute);
    // The cube first: the desktop program draws it before the points.
    bindVertices(cubeBuffer);
    glDrawArrays(GL_TRIANGLES, 0, cubeVertexCount);
    bindVertices(pointBuffer);
    glDrawArrays(GL_POINTS, 0, pointCount);
}

// A point is a square of pixels. Where an edge of the square runs exactly
// through pixel centres, whether those pixels are the point's is a tie that
// each rasterizer breaks its own way. The desktop's snaps positions to 1/256
// of a pixel and breaks the tie up and to the right: a point whose centre
// lies on a pixel boundary, or up to 1/512 of a pixel below it, covers the
// pixel above the boundary. To light the same pixels, the page moves every
// point by a nudge: the smallest offset above a boundary from which this
// rasterizer, too, gives a point the pixel above. The nudge is measured,
// not worked out from the precision the browser reports, which may not be
// the one it draws with. Points of size 1 are drawn into a texture of their
// own, one to a cell of kProbeCell x kProbeCell pixels, each at a boundary
// plus an offset from -kProbeReach to +kProbeReach in steps of
// 1 / kProbeSteps of a pixel; the pixels they lit are read back, and the
// nudge is the smallest offset from which on every point lit the pixel
// above. Found for size 1, it holds for every size: the rule concerns only
// the squares' edges.
PixelNudge WebGlScene::measureNudge() const {
    constexpr int kProbeSteps = 1024;
    constexpr int kProbeReach = kProbeSteps / 4;
    constexpr int kProbeCount = 2 * kProbeReach + 1;
    constexpr int kProbeCell = 4;
    // A power of two, so that pixel positions turn into clip space exactly.
    constexpr int kProbeSize = 128;
    constexpr int kCellsPerRow = kProbeSize / kProbeCell;
    static_assert(kCellsPerRow * kCellsPerRow >= kProbeCount, "every probe has a cell");
    const auto offset = [](int probe) {
        return static_cast<float>(probe - kProbeReach) / kProbeSteps;
    };

    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, kProbeSize, kProbeSize, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    GLuint framebuffer = 0;
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);

    PixelNudge nudge;
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) {
        // Window position p lands at p / (size / 2) - 1 in clip space.
        const float scale = 2.0f / kProbeSize;
        const Matrix4 pixelsToClip = {scale, 0, 0, 0, 0, scale, 0, 0, 0, 0, 1, 0, -1, -1, 0, 1};
        glViewport(0, 0, kProbeSize, kProbeSize);
        glUniformMatrix4fv(viewProjectionUniform, 1, GL_FALSE, pixelsToClip.data());
        glUniform1f(pixelRatioUniform, 1);
        glUniform2f(nudgeUniform, 0, 0);
        glEnableVertexAttribArray(positionAttribute);
        glEnableVertexAttribArray(colourAttribute);
        glEnableVertexAttribArray(sizeAttribute);
        std::vector<std::uint8_t> pixels(4 * kProbeSize * kProbeSize);
        const float white[] = {1, 1, 1};
        // Across, each point at the boundary left of its cell's pixel
        // (2, 2) and on that pixel's centre line; then up, alike.
        for (const bool across : {true, false}) {
            std::vector<float> probes;
            for (int probe = 0; probe < kProbeCount; ++probe) {
                const float left = static_cast<float>(kProbeCell * (probe % kCellsPerRow) + 2);
                const float bottom = static_cast<float>(kProbeCell * (probe / kCellsPerRow) + 2);
                const float xyz[] = {left + (across ? offset(probe) : 0.5f),
                                     bottom + (across ? 0.5f : offset(probe)), 0};
                addVertex(probes, xyz, white, 1);
            }
            glBindBuffer(GL_ARRAY_BUFFER, pointBuffer);
            glBufferData(GL_ARRAY_BUFFER, probes.size() * sizeof(float), probes.data(),
                         GL_STREAM_DRAW);
            bindVertices(pointBuffer);
            glClearColor(0, 0, 0, 0);
            glClear(GL_COLOR_BUFFER_BIT);
            glDrawArrays(GL_POINTS, 0, kProbeCount);
            glReadPixels(0, 0, kProbeSize, kProbeSize, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
            int first = kProbeCount;
            while (first > 0) {
                const int probe = first - 1;
                const int x = kProbeCell * (probe % kCellsPerRow) + 2;
                const int y = kProbeCell * (probe / kCellsPerRow) + 2;
                if (pixels[4 * (y * kProbeSize + x)] == 0) break;
                first = probe;
            }
            // A rasterizer that lit none is left as it is.
            const float found = first < kProbeCount ? offset(first) : 0;
            (across ? nudge.x : nudge.y) = found;
        }
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteTextures(1, &texture);
    return nudge;
}
