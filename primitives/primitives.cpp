// Wire boxes, filled boxes and line grids, in immediate mode. The grids draw one
// segment per whole unit strictly below their bound, each as its own batch, so the
// far edge of a whole-numbered grid stays open.
#include "primitives/primitives.h"

#include "app/scene_state.h"

#include <GL/gl.h>

void prisma(float x, float y, float z)
{
    glBegin(GL_LINE_LOOP);
        glVertex3f(0.0f, 0.0f, 0.0f);
        glVertex3f(x, 0.0f, 0.0f);
        glVertex3f(x, y, 0.0f);
        glVertex3f(0.0f, y, 0.0f);
    glEnd();
    glBegin(GL_LINE_LOOP);
        glVertex3f(0.0f, 0.0f, z);
        glVertex3f(x, 0.0f, z);
        glVertex3f(x, y, z);
        glVertex3f(0.0f, y, z);
    glEnd();
    glBegin(GL_LINES);
        glVertex3f(0.0f, 0.0f, 0.0f); glVertex3f(0.0f, 0.0f, z);
        glVertex3f(x, 0.0f, 0.0f);    glVertex3f(x, 0.0f, z);
        glVertex3f(x, y, 0.0f);       glVertex3f(x, y, z);
        glVertex3f(0.0f, y, 0.0f);    glVertex3f(0.0f, y, z);
    glEnd();
    nprismas++;
}

void prismaS(float x, float y, float z)
{
    glBegin(GL_QUADS);
        glVertex3f(0.0f, 0.0f, 0.0f); glVertex3f(x, 0.0f, 0.0f); glVertex3f(x, y, 0.0f); glVertex3f(0.0f, y, 0.0f);
        glVertex3f(0.0f, 0.0f, z);    glVertex3f(x, 0.0f, z);    glVertex3f(x, y, z);    glVertex3f(0.0f, y, z);
        glVertex3f(0.0f, y, 0.0f);    glVertex3f(0.0f, y, z);    glVertex3f(x, y, z);    glVertex3f(x, y, 0.0f);
        glVertex3f(0.0f, 0.0f, 0.0f); glVertex3f(0.0f, 0.0f, z); glVertex3f(x, 0.0f, z); glVertex3f(x, 0.0f, 0.0f);
        glVertex3f(0.0f, 0.0f, 0.0f); glVertex3f(0.0f, y, 0.0f); glVertex3f(0.0f, y, z); glVertex3f(0.0f, 0.0f, z);
        glVertex3f(x, 0.0f, 0.0f);    glVertex3f(x, y, 0.0f);    glVertex3f(x, y, z);    glVertex3f(x, 0.0f, z);
    glEnd();
}

void segmento(float x0, float y0, float z0, float x1, float y1, float z1)
{
    glBegin(GL_LINES);
        glVertex3f(x0, y0, z0);
        glVertex3f(x1, y1, z1);
    glEnd();
}

void mallah(float x, float y, float z)
{
    for (float u = 0.0f; u < x; u += 1.0f)
        segmento(u, y, 0.0f, u, y, z);
    for (float u = 0.0f; u < z; u += 1.0f)
        segmento(0.0f, y, u, x, y, u);
}

void mallav(float, float y, float z)
{
    for (float u = 0.0f; u < y; u += 1.0f)
        segmento(0.0f, u, 0.0f, 0.0f, u, z);
    for (float u = 0.0f; u < z; u += 1.0f)
        segmento(0.0f, 0.0f, u, 0.0f, y, u);
}

void malla(float x, float y, float z)
{
    for (float u = 0.0f; u < x; u += 1.0f)
        segmento(u, 0.0f, 0.0f, u, y, z);
    for (float u = 0.0f; u < y; u += 1.0f)
        segmento(0.0f, u, 0.0f, x, u, z);
    for (float u = 0.0f; u < z; u += 1.0f)
        segmento(0.0f, 0.0f, u, x, y, u);
}

void eje_coordenadas()
{
    glBegin(GL_LINES);
        glVertex3f(0.0f, 0.0f, 0.0f); glVertex3f(0.0f, 5.0f, 0.0f);
        glVertex3f(0.0f, 0.0f, 0.0f); glVertex3f(0.0f, -5.0f, 0.0f);
        glVertex3f(0.0f, 0.0f, 0.0f); glVertex3f(5.0f, 0.0f, 0.0f);
        glVertex3f(0.0f, 0.0f, 0.0f); glVertex3f(-5.0f, 0.0f, 0.0f);
        glVertex3f(0.0f, 0.0f, 0.0f); glVertex3f(0.0f, 0.0f, 5.0f);
        glVertex3f(0.0f, 0.0f, 0.0f); glVertex3f(0.0f, 0.0f, -5.0f);
    glEnd();
}
