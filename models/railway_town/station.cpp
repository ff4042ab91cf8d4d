// The station, in track space: x across the line, y up from the foot of the
// sleepers, z along the line. The platform's top (y = 3.3) sits just below the
// car floor and its edge (x = 2.8) meets the train's open doors. Built from wire
// boxes and one horizontal grid; reads no scene state.
#include "models/railway_town/station.h"

#include "primitives/primitives.h"

#include <GL/gl.h>

void banco()
{
    glColor3f(1.0f, 0.0f, 0.0f);
    glPushMatrix();
        glTranslatef(0.0f, 0.0f, 0.1f);
        prisma(0.5f, 0.1f, 0.1f);                  // first foot
        glPushMatrix();
            glTranslatef(0.2f, 0.1f, 0.0f);
            prisma(0.1f, 0.6f, 0.1f);              // first post
        glPopMatrix();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.0f, 0.0f, 2.8f);
        prisma(0.5f, 0.1f, 0.1f);                  // second foot
        glPushMatrix();
            glTranslatef(0.2f, 0.1f, 0.0f);
            prisma(0.1f, 0.6f, 0.1f);              // second post
        glPopMatrix();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.2f, 0.6f, 0.2f);
        prisma(0.1f, 0.1f, 2.6f);                  // beam across the tops of the posts
    glPopMatrix();
    glPushMatrix();
        glTranslatef(-0.1f, 0.7f, 0.0f);
        prisma(0.7f, 0.1f, 3.0f);                  // seat plank
    glPopMatrix();
}

void vallaestacion()
{
    constexpr int POSTES_VALLA = 9;                // one every 5, from z = 0 to 40
    glPushMatrix();
        glTranslatef(4.9f, 1.3f, 0.0f);
        for (int i = 0; i < POSTES_VALLA; i++) {
            glPushMatrix();
                glTranslatef(0.0f, 0.0f, 5.0f * i);
                prisma(0.1f, 1.4f, 0.1f);
            glPopMatrix();
        }
        glPushMatrix();
            glTranslatef(0.0f, 0.6f, 0.0f);
            prisma(0.1f, 0.1f, 40.0f);             // lower rail
        glPopMatrix();
        glPushMatrix();
            glTranslatef(0.0f, 1.2f, 0.0f);
            prisma(0.1f, 0.1f, 40.0f);             // upper rail
        glPopMatrix();
    glPopMatrix();
}

void colocarAnden(Colocacion& c)
{
    c.trasladar(2.8f, 2.0f, -0.5f);
}

void estacion()
{
    constexpr int BANCOS = 4;                      // one every 10 along the platform
    glColor3f(0.7f, 0.7f, 0.6f);
    glPushMatrix();
        colocarAnden(enGL);
        prisma(ANCHO_ANDEN, ALTO_ANDEN, LARGO_ANDEN);      // platform slab
        mallah(ANCHO_ANDEN, ALTO_ANDEN, LARGO_ANDEN);      // and the grid on its top
        glPushMatrix();
            glTranslatef(1.0f, -2.0f, 0.0f);
            prisma(4.0f, 2.0f, LARGO_ANDEN);               // substructure, set back from the edge
        glPopMatrix();
        for (int i = 0; i < BANCOS; i++) {
            glPushMatrix();
                glTranslatef(4.0f, ALTO_ANDEN, 10.0f * i + 4.0f);
                banco();
            glPopMatrix();
        }
        glColor3f(0.2f, 0.2f, 0.1f);
        vallaestacion();
    glPopMatrix();
}
