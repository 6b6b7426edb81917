#include "webgl_scene.h"

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
    gl_Position = viewProjection * vec4(position, 1.0);
    gl_Position.xy += nudge * gl_Position.w;
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

// Which pixels a point covers when an edge of its square runs exactly
// through pixel centres is a tie that each rasterizer breaks its own way. The
// desktop's gives those pixels to the point on its right and top edges; one
// that follows the top-left rule gives them to it on its left and bottom
// edges, and when it first snaps window positions to 1 / 2^bits of a pixel
// (SwiftShader: 4 bits), every point within half a step of a tie becomes one.
// Moved right and up by a little over half a step, a point covers the pixels
// it covers on the desktop, but for those within 1/64 of a step below a tie.
float nudgeInPixels(GLint subpixelBits) {
    return (0.5f + 1.0f / 64) / static_cast<float>(1 << subpixelBits);
}

// x, y, z, r, g, b, point size.
constexpr int kFloatsPerVertex = 7;

void addVertex(std::vector<float>& vertices, const float* xyz, const float* rgb, float size) {
    vertices.insert(vertices.end(), {xyz[0], xyz[1], xyz[2], rgb[0], rgb[1], rgb[2], size});
}

GLuint compiled(GLenum type, const char* source) {
    const GLuint shader = glCreateShader(type);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    return ok ? shader : 0;
}

GLuint linked(const char* vertexSource, const char* fragmentSource) {
    const GLuint vertexShader = compiled(GL_VERTEX_SHADER, vertexSource);
    const GLuint fragmentShader = compiled(GL_FRAGMENT_SHADER, fragmentSource);
    if (!vertexShader || !fragmentShader) return 0;
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertexShader);
    glAttachShader(program, fragmentShader);
    glLinkProgram(program);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    GLint ok = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &ok);
    return ok ? program : 0;
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
    GLint subpixelBits = 0;
    glGetIntegerv(GL_SUBPIXEL_BITS, &subpixelBits);
    nudge = nudgeInPixels(subpixelBits);

    const std::vector<float> cube = cubeVertices();
    cubeVertexCount = static_cast<GLsizei>(cube.size() / kFloatsPerVertex);
    glGenBuffers(1, &cubeBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, cubeBuffer);
    glBufferData(GL_ARRAY_BUFFER, cube.size() * sizeof(float), cube.data(), GL_STATIC_DRAW);
    glGenBuffers(1, &pointBuffer);

    // The same for every frame: a uniform keeps its value in the program.
    glUseProgram(program);
    glUniform1f(glGetUniformLocation(program, "lighting"), lightingFactor());

    glClearColor(kClearColour[0], kClearColour[1], kClearColour[2], kClearColour[3]);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    return true;
}

void WebGlScene::loadLattice(const Volume& volume) {
    vertices.clear();
    int plane = 0;
    forEachSiteInDrawingOrder(
        volume, [&plane](int next) { plane = next; },
        [this, &plane](const Site& site, int column, int row) {
            const WorldPoint at = sitePosition(column, row, plane);
            const float xyz[] = {at.x, at.y, at.z};
            switch (pointOf(site)) {
                case SitePoint::kTracer: {
                    const float green[] = {0.0f, site.getTracer(), 0.0f};
                    addVertex(vertices, xyz, green, kTracerPointSize);
                    break;
                }
                case SitePoint::kShell:
                    addVertex(vertices, xyz, kShellColour, kShellPointSize);
                    break;
                case SitePoint::kNone:
                    break;
            }
        });
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
    glUniform2f(nudgeUniform, 2 * nudge / static_cast<float>(width),
                2 * nudge / static_cast<float>(height));
    glEnableVertexAttribArray(positionAttribute);
    glEnableVertexAttribArray(colourAttribute);
    glEnableVertexAttribArray(sizeAttribute);
    // The cube first: the desktop program draws it before the points.
    bindVertices(cubeBuffer);
    glDrawArrays(GL_TRIANGLES, 0, cubeVertexCount);
    bindVertices(pointBuffer);
    glDrawArrays(GL_POINTS, 0, pointCount);
}
