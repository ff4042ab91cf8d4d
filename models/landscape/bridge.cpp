// The cable-stayed bridge, in its own frame: origin on the river surface at a
// corner of the deck, +x across (7), +z along (40), +y up. The ground places it
// at the near bank so that the deck's top lies level with the ground. Static:
// reads no scene state.
#include "models/landscape/bridge.h"

#include "primitives/primitives.h"

#include <GL/gl.h>

void torrePuente()
{
    glPushMatrix();
        glTranslatef(0.0f, 2.0f, 0.0f);
        prisma(1.0f, 25.0f, 1.5f);                 // first leg
        glPushMatrix();
            glTranslatef(8.0f, 0.0f, 0.0f);
            prisma(1.0f, 25.0f, 1.5f);             // second leg
        glPopMatrix();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(1.0f, 19.0f, 0.0f);
        prisma(7.0f, 1.0f, 1.5f);                  // lower cross-beam
    glPopMatrix();
    glPushMatrix();
        glTranslatef(1.0f, 23.0f, 0.0f);
        prisma(7.0f, 1.0f, 1.5f);                  // upper cross-beam
    glPopMatrix();

    glColor3f(0.7f, 0.7f, 0.7f);
    glPushMatrix();
        glTranslatef(-1.0f, 0.0f, -0.5f);
        prisma(11.0f, 2.0f, 2.5f);                 // footing, 1 past each leg
    glPopMatrix();
}

void bandaPuente()
{
    prisma(1.0f, 0.2f, 19.25f);                    // lower rail
    glPushMatrix();
        glTranslatef(0.0f, 0.8f, 0.0f);
        prisma(1.0f, 0.2f, 19.25f);                // upper rail
    glPopMatrix();
}

void tirantes()
{
    glBegin(GL_LINES);
        for (int i = 0; i <= 17; i += 2) {
            glVertex3f(0.0f, 16.5f, 0.0f);
            glVertex3f(0.0f, 0.0f, static_cast<float>(i + 1));
        }
    glEnd();
}

void puente()
{
    glColor3f(1.0f, 0.0f, 0.0f);
    glPushMatrix();
        glTranslatef(0.0f, Y_TABLERO, 0.0f);
        prisma(ANCHO_TABLERO, GRUESO_TABLERO, LARGO_TABLERO);   // upper deck slab
        glPushMatrix();
            glTranslatef(0.0f, GRUESO_TABLERO, 0.0f);
            malla(ANCHO_TABLERO, 0.0f, LARGO_TABLERO);          // deck grid, level with the ground
        glPopMatrix();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.0f, 7.0f, 0.0f);
        prisma(7.0f, 0.2f, 40.0f);                 // lower deck slab
    glPopMatrix();

    glPushMatrix();
        glTranslatef(-1.0f, 0.0f, 19.25f);
        torrePuente();                             // at mid-span; leaves grey
    glPopMatrix();

    // Side girders from each deck end to the tower, on both edges.
    glPushMatrix();
        glTranslatef(0.0f, 7.0f, 0.0f);
        glPushMatrix();
            glTranslatef(-1.0f, 0.0f, 0.0f);
            bandaPuente();
        glPopMatrix();
        glPushMatrix();
            glTranslatef(-1.0f, 0.0f, 20.75f);
            bandaPuente();
        glPopMatrix();
        glPushMatrix();
            glTranslatef(7.0f, 0.0f, 0.0f);
            bandaPuente();
        glPopMatrix();
        glPushMatrix();
            glTranslatef(7.0f, 0.0f, 20.75f);
            bandaPuente();
        glPopMatrix();
    glPopMatrix();

    // Stay cables: two fans toward +z from the tower's far face, two mirrored toward -z.
    glPushMatrix();
        glTranslatef(-0.5f, 8.0f, 20.75f);
        tirantes();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(7.5f, 8.0f, 20.75f);
        tirantes();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(-0.5f, 8.0f, 19.25f);
        glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
        tirantes();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(7.5f, 8.0f, 19.25f);
        glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
        tirantes();
    glPopMatrix();
}
