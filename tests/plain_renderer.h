#pragma once

// The scene drawn the plain way, straight from the drawing rules, with no
// shortcut: the size is set before every point, every shell site gets its
// marker, and every point is a glBegin/glEnd pair of its own. The frame's GL
// state, projection, eye and light are set here too, on every frame, and
// nothing is taken from the program's drawing code: the program's frame must
// give the same pixels.

#include <FL/gl.h>
#include <FL/glu.h>

#include <cmath>

#include "lattice.h"
#include "orbit_camera.h"

inline void renderPlainly(const Volume& volume) {
    glBegin(GL_QUADS);
    glColor3f(0, 1, 0);  // y = +1
    glVertex3f(1, 1, -1);
    glVertex3f(-1, 1, -1);
    glVertex3f(-1, 1, 1);
    glVertex3f(1, 1, 1);
    glColor3f(1, 0.5f, 0);  // y = -1
    glVertex3f(1, -1, 1);
    glVertex3f(-1, -1, 1);
    glVertex3f(-1, -1, -1);
    glVertex3f(1, -1, -1);
    glColor3f(1, 0, 0);  // z = +1
    glVertex3f(1, 1, 1);
    glVertex3f(-1, 1, 1);
    glVertex3f(-1, -1, 1);
    glVertex3f(1, -1, 1);
    glColor3f(1, 1, 0);  // z = -1
    glVertex3f(1, -1, -1);
    glVertex3f(-1, -1, -1);
    glVertex3f(-1, 1, -1);
    glVertex3f(1, 1, -1);
    glColor3f(0, 0, 1);  // x = -1
    glVertex3f(-1, 1, 1);
    glVertex3f(-1, 1, -1);
    glVertex3f(-1, -1, -1);
    glVertex3f(-1, -1, 1);
    glColor3f(1, 0, 1);  // x = +1
    glVertex3f(1, 1, -1);
    glVertex3f(1, 1, 1);
    glVertex3f(1, -1, 1);
    glVertex3f(1, -1, -1);
    glEnd();

    glPushMatrix();
    glRotatef(180, 0, 0, 1);
    glTranslatef(-25, 0, 0);
    for (int plane = 0; plane < 50; ++plane) {
        glTranslatef(1, 0, 0);
        for (int row = 0; row < 50; ++row) {
            for (int column = 0; column < 50; ++column) {
                const Site& site = *volume.planes[plane]->siteAt(column, row);
                glPointSize(3);
                if (site.getTracer() > 0) {
                    glBegin(GL_POINTS);
                    glColor3f(0, site.getTracer(), 0);
                    glVertex3f(0, column - 25, row - 25);
                    glEnd();
                }
                int nullLinks = 0;
                for (DirectionIndex d = 0; d < 19; ++d)
                    nullLinks += site.links[d].neighbour == nullptr;
                if (nullLinks >= 1) {
                    glPointSize(1);
                    glBegin(GL_POINTS);
                    glColor3f(0.1f, 0.6f, 1.0f);
                    glVertex3f(0, column - 25, row - 25);
                    glEnd();
                }
            }
        }
    }
    glPopMatrix();
}

// One whole frame of a width x height drawable, seen by the camera.
inline void drawPlainly(const Volume& volume, const OrbitCamera& camera, int width, int height) {
    const double pi = 3.141592653589793;
    glClearColor(0, 0, 0, 1);
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
    // 45 degrees across, whatever the shape of the window.
    const double fovy = std::atan(std::tan(45 * pi / 360) * height / width) * 114.59155902616465;
    gluPerspective(fovy, static_cast<double>(width) / height, 1.0, 1000.0);
    const GLfloat diffuse[] = {1, 1, 1, 1};
    const GLfloat specular[] = {0, 0, 0, 1};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const double el = camera.elevation * pi / 180;
    const double az = camera.azimuth * pi / 180;
    const double eyeX = camera.targetX + camera.distance * std::cos(az) * std::cos(el);
    const double eyeY = camera.targetY + camera.distance * std::sin(az) * std::cos(el);
    const double eyeZ = 2 + camera.distance * std::sin(el);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(eyeX, eyeY, eyeZ, camera.targetX, camera.targetY, 2.0, 0.0, 0.0, 1.0);
    const GLfloat position[] = {1, 1, 1, 0};  // fixed in the world
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    renderPlainly(volume);
}
