#pragma once

// The scene drawn the plain way, straight from the drawing rules, with no
// shortcut: the size is set before every point, every shell site gets its
// marker, and every point is a glBegin/glEnd pair of its own. The program's
// renderer must give the same pixels.

#include <FL/gl.h>

#include "lattice.h"

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
