// The railway line, drawn in the line's own space, which is also the world's:
// origin on the track's centre line at the foot of the sleepers where the line
// starts, +z along the line (the track runs from z = 0 to 500), +y up. The rails
// stand on the sleepers with their centre lines at x = -1.5 and 1.5; the masts
// stand on the -x side and hold the wires over the track's centre.
// Reads no scene state.
#include "models/railway_town/track_catenary.h"

#include "primitives/primitives.h"

#include <GL/gl.h>

// The clip's L section in the plane z = 0: a foot 0.2 along x and a leg 0.2 up y, both 0.05 thick.
constexpr int NUM_VERTICES_FIJACION = 6;
constexpr float seccionFijacion[NUM_VERTICES_FIJACION][2] = {
    //  x      y
    {0.0f,  0.0f },
    {0.2f,  0.0f },
    {0.2f,  0.05f},
    {0.05f, 0.05f},
    {0.05f, 0.2f },
    {0.0f,  0.2f },
};

void traviesa()
{
    prisma(4.0f, 0.2f, 1.0f);
}

void rail()
{
    prisma(0.2f, 0.4f, 500.0f);
}

void plataforma()
{
    prisma(5.0f, 0.4f, 18.0f);
    mallah(5.0f, 0.4f, 18.0f);
}

void fijacion1()
{
    glBegin(GL_LINE_LOOP);
        for (const auto& v : seccionFijacion)
            glVertex3f(v[0], v[1], 0.0f);
    glEnd();
    glBegin(GL_LINE_LOOP);
        for (const auto& v : seccionFijacion)
            glVertex3f(v[0], v[1], 0.2f);
    glEnd();
    glBegin(GL_LINES);
        for (const auto& v : seccionFijacion) {
            glVertex3f(v[0], v[1], 0.0f);
            glVertex3f(v[0], v[1], 0.2f);
        }
    glEnd();
}

void fijaciones(int n)
{
    // In the middle 0.2 of the sleeper that runs from 3n to 3n + 1.
    const float z = static_cast<float>(3 * n) + 0.4f;

    glPushMatrix();
        glTranslatef(-1.4f, 0.2f, z);              // inside the -x rail, leg against it
        fijacion1();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(1.6f, 0.2f, z);               // outside the +x rail
        fijacion1();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(-1.6f, 0.2f, z);              // outside the -x rail, foot upright against it
        glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
        fijacion1();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(1.4f, 0.2f, z);               // inside the +x rail
        glRotatef(90.0f, 0.0f, 0.0f, 1.0f);
        fijacion1();
    glPopMatrix();
}

// One sleeper with index n at z = 3n (shifted by the gap where it lies past the
// level crossing), and its clips.
static void traviesaConFijaciones(float z, int n)
{
    glPushMatrix();
        glColor3f(1.0f, 0.5f, 0.0f);
        glTranslatef(-2.0f, 0.0f, z);
        traviesa();
    glPopMatrix();
    glColor3f(0.2f, 0.2f, 0.3f);
    fijaciones(n);
}

void vias_tren()
{
    // Sleepers every 3 from z = 0 to 399, then a gap for the level crossing
    // (402, 405 and 408 stay empty), then every 3 from 411 to 468.
    for (int i = 0; i < 134; i++)
        traviesaConFijaciones(static_cast<float>(3 * i), i);
    for (int i = 0; i < 20; i++)
        traviesaConFijaciones(static_cast<float>(3 * i + 411), i + 137);

    glColor3f(0.3f, 0.3f, 0.3f);
    glPushMatrix();
        glTranslatef(-1.6f, 0.2f, 0.0f);
        rail();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(1.4f, 0.2f, 0.0f);
        rail();
    glPopMatrix();
}

void posteCatenaria()
{
    prisma(0.1f, 12.0f, 0.2f);                     // two uprights
    glPushMatrix();
        glTranslatef(0.3f, 0.0f, 0.0f);
        prisma(0.1f, 12.0f, 0.2f);
    glPopMatrix();
    for (int i = 0; i < 28; i++) {                 // rungs from y = 1 to 11.8
        glPushMatrix();
            glTranslatef(0.1f, 1.0f + 0.4f * i, 0.0f);
            prisma(0.2f, 0.1f, 0.2f);
        glPopMatrix();
    }
    glPushMatrix();
        glTranslatef(0.4f, 10.0f, 0.05f);
        prisma(4.0f, 0.1f, 0.1f);                  // cantilever arm
    glPopMatrix();
    glPushMatrix();
        glTranslatef(3.53f, 10.1f, 0.05f);
        prisma(0.1f, 0.1f, 0.1f);                  // wire hanger on the arm
    glPopMatrix();
    glPushMatrix();
        glTranslatef(3.53f, 9.5f, 0.05f);
        glRotatef(30.0f, 0.0f, 0.0f, 1.0f);
        prisma(1.0f, 0.1f, 0.1f);                  // registration strut up to the arm's tip
    glPopMatrix();
    glBegin(GL_LINES);                             // stay wire from the mast top to the arm
        glVertex3f(0.3f, 11.0f, 0.095f);
        glVertex3f(3.2f, 10.1f, 0.095f);
    glEnd();
}

void catenaria()
{
    for (int i = 0; i < 25; i++) {                 // a mast every 20, z = 0 to 480
        glPushMatrix();
            glTranslatef(-3.5f, 0.0f, 20.0f * i);
            posteCatenaria();
        glPopMatrix();
    }

    glPushMatrix();
        glTranslatef(0.08f, 10.2f, 0.05f);
        glBegin(GL_LINES);                         // upper wire at 10.2, lower at 9.6
            glVertex3f(0.0f, 0.0f, 0.0f);
            glVertex3f(0.0f, 0.0f, 500.0f);
            glVertex3f(0.0f, -0.6f, 0.0f);
            glVertex3f(0.0f, -0.6f, 500.0f);
        glEnd();
        glBegin(GL_LINES);                         // droppers in pairs 0.8 apart, every 5
            for (int i = 0; i < 100; i++) {
                const float a = 5.0f * i - 0.8f + 3.0f;
                const float b = 5.0f * i + 3.0f;
                glVertex3f(0.0f, 0.0f, a);
                glVertex3f(0.0f, -0.6f, a);
                glVertex3f(0.0f, 0.0f, b);
                glVertex3f(0.0f, -0.6f, b);
            }
        glEnd();
    glPopMatrix();
}
