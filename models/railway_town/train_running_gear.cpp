// The running gear and the sides of a train car. The bogies are drawn in the
// car's running-gear space: x across the track, y up from the foot of the
// sleepers, +z along the car; the wheels sit on the rails' centre lines
// (x = -1.5 and 1.5) with their lowest point on the rail top, y = 0.6. A side is
// drawn in its own space: the panel from x = 0 to 0.2 with outward toward -x,
// y from 0 to 4, z from 0 to 18, the door opening at z 8 to 10.
// Reads angulo_tren (wheel spin) and movpuerta (door step, clamped to 0..10).
#include "models/railway_town/train_running_gear.h"

#include "app/scene_state.h"
#include "primitives/primitives.h"

#include <GL/glut.h>

void rueda()
{
    glutWireTorus(0.1, 1.0, 20, 20);               // rim
    glutWireTorus(0.1, 0.3, 20, 20);               // hub
    for (int i = 0; i < 12; i++) {                 // spokes from radius 0.4 to 0.9
        glPushMatrix();
            glRotatef(30.0f * i, 0.0f, 0.0f, 1.0f);
            glTranslatef(0.4f, -0.1f, -0.05f);
            prisma(0.5f, 0.1f, 0.1f);
        glPopMatrix();
    }
}

void eje(int n)
{
    const float base = 6.0f * n;
    const float giro = static_cast<float>(angulo_tren);

    for (int i = 0; i < 2; i++) {
        const float axle = base + 2.5f * i + 1.25f;
        glColor3f(0.7f, 0.7f, 0.7f);
        glPushMatrix();                            // wheels stood across the track, spun about x
            glTranslatef(1.5f, 1.7f, axle);
            glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
            glRotatef(giro, 0.0f, 0.0f, 1.0f);
            rueda();
        glPopMatrix();
        glPushMatrix();
            glTranslatef(-1.5f, 1.7f, axle);
            glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
            glRotatef(giro, 0.0f, 0.0f, 1.0f);
            rueda();
        glPopMatrix();
        glPushMatrix();                            // the frame, drawn again on each pass
            glTranslatef(-1.4f, 1.3f, base);
            prisma(2.8f, 1.7f, 5.0f);
        glPopMatrix();
    }
}

void MedioLateralTren()
{
    prisma(0.2f, 1.0f, 8.0f);                      // lower panel with its grid
    mallav(0.2f, 1.0f, 8.0f);
    glPushMatrix();                                // three window pillars
        glTranslatef(0.0f, 1.0f, 0.0f);
        prisma(0.2f, 2.0f, 0.5f);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.0f, 1.0f, 3.75f);
        prisma(0.2f, 2.0f, 0.5f);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.0f, 1.0f, 7.5f);
        prisma(0.2f, 2.0f, 0.5f);
    glPopMatrix();
}

void puertaTren()
{
    prismaS(0.1f, 1.0f, 1.0f);                     // lower panel
    glPushMatrix();                                // stiles either side of the window
        glTranslatef(0.0f, 1.0f, 0.0f);
        prismaS(0.1f, 1.9f, 0.1f);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.0f, 1.0f, 0.9f);
        prismaS(0.1f, 1.9f, 0.1f);
    glPopMatrix();
    glPushMatrix();                                // top rail
        glTranslatef(0.0f, 2.9f, 0.0f);
        prismaS(0.1f, 0.1f, 1.0f);
    glPopMatrix();
}

void lateralTren()
{
    const int m = pasoPuerta(movpuerta);

    glPushMatrix();                                // band above the windows and the door
        glTranslatef(0.0f, 3.0f, 0.0f);
        prisma(0.2f, 1.0f, 18.0f);
        mallav(0.2f, 1.0f, 18.0f);
    glPopMatrix();
    MedioLateralTren();
    glPushMatrix();
        glTranslatef(0.0f, 0.0f, 10.0f);
        MedioLateralTren();
    glPopMatrix();

    // The leaves step out, then slide apart: one toward -z, one toward +z.
    glColor3f(1.0f, 1.0f, 0.0f);
    glPushMatrix();
        glTranslatef(-xpuerta[m], 0.0f, 8.0f - zpuerta[m]);
        puertaTren();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(-xpuerta[m], 0.0f, 9.0f + zpuerta[m]);
        puertaTren();
    glPopMatrix();
    glColor3f(0.0f, 0.0f, 1.0f);
}
