// The winged toaster, drawn in its own space: the body from the origin to
// (0.2, 0.15, 0.1), y up. Reads movtostada (toast rise) and movalas (wing phase).
#include "scene/toaster.h"

#include "app/scene_state.h"
#include "primitives/primitives.h"

#include <GL/gl.h>

void alaTostadora()
{
    glPushMatrix();
        glRotatef(static_cast<float>(angulo_alas[faseAlas(movalas)]), 1.0f, 0.0f, 0.0f);
        // Root to middle rib, middle rib to the skewed tip.
        glBegin(GL_QUAD_STRIP);
            glVertex3f(0.0f, 0.0f, 0.0f);
            glVertex3f(0.15f, 0.0f, 0.0f);
            glVertex3f(0.02f, 0.02f, 0.03f);
            glVertex3f(0.13f, 0.02f, 0.03f);
            glVertex3f(0.04f, 0.01f, 0.08f);
            glVertex3f(0.1f, 0.01f, 0.13f);
        glEnd();
    glPopMatrix();
}

void tostadora()
{
    // Two slices of toast, 0.01 above the body's top at rest.
    glColor3f(0.8f, 0.6f, 0.1f);
    glPushMatrix();
        glTranslatef(0.05f, movtostada + 0.06f, 0.02f);
        prisma(0.1f, 0.1f, 0.02f);
        glPushMatrix();
            glTranslatef(0.0f, 0.0f, 0.04f);
            prisma(0.1f, 0.1f, 0.02f);
        glPopMatrix();
    glPopMatrix();

    glColor3f(0.3f, 0.3f, 0.4f);
    prisma(LARGO_TOSTADORA, ALTO_TOSTADORA, ANCHO_TOSTADORA);

    // The lever: its slot and stem on the end face x = 0.2, its handle standing out.
    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
        glTranslatef(0.21f, 0.02f, 0.035f);
        glPushMatrix();
            glTranslatef(-0.01f, 0.0f, 0.0075f);
            glBegin(GL_LINE_LOOP);
                glVertex3f(0.0f, 0.0f, 0.0f);
                glVertex3f(0.0f, 0.1f, 0.0f);
                glVertex3f(0.0f, 0.1f, 0.015f);
                glVertex3f(0.0f, 0.0f, 0.015f);
            glEnd();
            prisma(0.01f, 0.01f, 0.015f);
        glPopMatrix();
        prisma(0.02f, 0.01f, 0.03f);
    glPopMatrix();

    // A wing on each broad face, the second mirrored so that both beat together.
    glPushMatrix();
        glTranslatef(0.025f, 0.075f, 0.1f);
        alaTostadora();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.175f, 0.075f, 0.0f);
        glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
        alaTostadora();
    glPopMatrix();
}
