// The level crossing, in its own space: x across the line (the track's centre at
// x = 5), y up, z along the line (the road from z = 1 to 10). Reads angulo_barrera
// (boom angle) and semaforo_encendido (which lamp is lit); cylinders go through
// the shared quadric cilindro.
#include "models/railway_town/level_crossing.h"

#include "app/scene_state.h"
#include "primitives/primitives.h"

#include <GL/glut.h>

void barrera()
{
    glColor3f(1.0f, 1.0f, 0.0f);
    glPushMatrix();
        glTranslatef(-0.75f, 0.0f, 0.0f);
        prisma(1.5f, 2.0f, 0.8f);                  // housing
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.0f, 1.5f, 0.0f);            // the pivot
        glPushMatrix();
            glRotatef(static_cast<float>(angulo_barrera), 0.0f, 0.0f, 1.0f);
            glColor3f(1.0f, 0.0f, 0.0f);
            glPushMatrix();
                glTranslatef(-1.4f, -0.15f, 0.9f);
                prisma(10.0f, 0.3f, 0.1f);         // boom, its centre line through the pivot
            glPopMatrix();
            glColor3f(0.6f, 0.5f, 0.5f);
            glPushMatrix();
                glTranslatef(-1.3f, -0.35f, 1.0f);
                prisma(0.4f, 0.8f, 0.1f);          // counterweight on the short end
            glPopMatrix();
            glPushMatrix();
                glTranslatef(-0.05f, -0.05f, 0.0f);
                prisma(0.1f, 0.1f, 1.0f);          // axle from the housing to the boom
            glPopMatrix();
        glPopMatrix();
    glPopMatrix();
}

void discoSemaforo(int n)
{
    constexpr int LAMAS_VISERA = 7;                // hood slats, every 30 degrees over the top half
    gluCylinder(cilindro, 0.4, 0.4, 0.1, 16, 1);   // rim
    glPushMatrix();
        glTranslatef(0.0f, 0.0f, 0.1f);
        for (int i = 0; i < LAMAS_VISERA; i++) {
            glPushMatrix();
                glRotatef(30.0f * i, 0.0f, 0.0f, 1.0f);
                glTranslatef(0.2f, -0.05f, 0.0f);
                prisma(0.01f, 0.1f, 0.3f);
            glPopMatrix();
        }
    glPopMatrix();
    if (n == semaforo_encendido)
        glColor3f(1.0f, 0.0f, 0.0f);
    else
        glColor3f(0.3f, 0.0f, 0.0f);
    glPushMatrix();
        glScalef(1.0f, 1.0f, 0.3f);
        glTranslatef(0.0f, 0.0f, 0.2f);            // after the scale: the lamp's centre at z = 0.06
        glutWireSphere(0.16, 10, 10);              // the lamp, flattened
    glPopMatrix();
    glColor3f(0.8f, 0.8f, 0.8f);
}

void semaforo()
{
    glColor3f(0.8f, 0.8f, 0.8f);
    glPushMatrix();
        glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);      // the cylinders' +z turned to +y
        gluCylinder(cilindro, 0.6, 0.6, 1.5, 10, 1);       // drum
        glPushMatrix();
            glTranslatef(0.0f, 0.0f, 1.5f);
            gluCylinder(cilindro, 0.2, 0.2, 3.0, 10, 1);   // pole
        glPopMatrix();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(-0.5f, 4.5f, 0.0f);
        prisma(1.0f, 0.1f, 0.3f);                  // cross-arm
    glPopMatrix();
    glPushMatrix();
        glTranslatef(-0.45f, 4.5f, 0.3f);
        discoSemaforo(1);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.45f, 4.5f, 0.3f);
        discoSemaforo(2);
    glPopMatrix();
}

void pasoANivel()
{
    glPushMatrix();
        glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
        barrera();                                 // boom on the -x side of the line
    glPopMatrix();
    glPushMatrix();
        glTranslatef(10.0f, 0.0f, 11.0f);
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        barrera();                                 // boom on the +x side
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.0f, 0.0f, -2.0f);
        glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
        semaforo();                                // lamps toward traffic from -x
    glPopMatrix();
    glPushMatrix();
        glTranslatef(10.0f, 0.0f, 13.0f);
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        semaforo();                                // lamps toward traffic from +x
    glPopMatrix();
}
