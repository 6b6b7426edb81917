#include "scene.h"

#include <FL/gl.h>
#include <FL/glu.h>

#include "lattice.h"
#include "viewer_window.h"

// Windows' GL header stops at version 1.1.
#ifndef GL_MULTISAMPLE
#define GL_MULTISAMPLE 0x809D
#endif

namespace {

void setUpContext(int width, int height) {
    // Some systems hand out a multisampled context by default, which would
    // soften the edges of the points: a point is the same square everywhere.
    glDisable(GL_MULTISAMPLE);
    glClearColor(kClearColour[0], kClearColour[1], kClearColour[2], kClearColour[3]);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glEnable(GL_CULL_FACE);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_NORMALIZE);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(verticalFieldOfView(width, height),
                   static_cast<double>(width) / static_cast<double>(height), kNearPlane, kFarPlane);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kLightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, kLightSpecular);
}

// Clears the picture and places the eye and the light for one frame.
void beginFrame(const OrbitCamera& camera) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const EyePosition eye = eyePosition(camera);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eye.x, eye.y, eye.z, camera.targetX, camera.targetY, kTargetZ, 0.0, 0.0, 1.0);
    // After the view transform, so the light stays fixed in the world.
    glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition);
}

void drawMarkerCube() {
    glBegin(GL_QUADS);
    for (const CubeFace& face : kMarkerCube) {
        glColor3f(face.colour[0], face.colour[1], face.colour[2]);
        for (const auto& vertex : face.vertices) glVertex3f(vertex[0], vertex[1], vertex[2]);
    }
    glEnd();
}

}  // namespace

void ViewerWindow::draw() {
    // The scale between window units and drawable pixels is 1 on X11, but
    // the drawable is what the viewport must cover.
    if (!valid()) setUpContext(pixel_w(), pixel_h());
    beginFrame(camera);
    volume->render();
    drawnLatticeIsCurrent = true;
    drawnCamera = camera;
}

void Volume::render() const {
    drawMarkerCube();

    // A change of point size with points pending costs the GL a separate
    // draw, so the size is set only when it changes within this frame.
    GLfloat pointSize = 0;  // none set yet
    auto usePointSize = [&pointSize](GLfloat size) {
        if (size != pointSize) glPointSize(size);
        pointSize = size;
    };

    // The site at (column, row, plane) lands at world (24 - plane, 25 - column, row - 25).
    glPushMatrix();
    glRotatef(kLatticeTurn, 0, 0, 1);
    glTranslatef(-kLatticeHalf, 0, 0);
    forEachSiteInDrawingOrder(
        // Never undone between planes: a plane is drawn at local x = plane - 24.
        *this, [](int) { glTranslatef(1, 0, 0); },
        [&usePointSize](const Site& site, int column, int row) {
            const GLfloat y = static_cast<GLfloat>(column - kLatticeHalf);
            const GLfloat z = static_cast<GLfloat>(row - kLatticeHalf);
            switch (pointOf(site)) {
                case SitePoint::kTracer:
                    usePointSize(kTracerPointSize);
                    glBegin(GL_POINTS);
                    glColor3f(0, site.getTracer(), 0);
                    glVertex3f(0, y, z);
                    glEnd();
                    break;
                case SitePoint::kShell:
                    usePointSize(kShellPointSize);
                    glBegin(GL_POINTS);
                    glColor3f(kShellColour[0], kShellColour[1], kShellColour[2]);
                    glVertex3f(0, y, z);
                    glEnd();
                    break;
                case SitePoint::kNone:
                    break;
            }
        });
    glPopMatrix();
}
