// The car. Its model space: origin at the bottom rear corner of the body on the
// z = 0 side, which is also the centre of that rear wheel; +x forward (the bonnet
// at x = 4), +y up, the body between z = 0 and z = -2. Reads mov_coche (roll),
// movpuertacoche (doors), angulo_helice_coche (wheel tilt) and angulo_rueda_coche
// (wheel spin) from the scene state.
#include "models/sports_vehicles/car.h"

#include "app/scene_state.h"
#include "primitives/primitives.h"

#include <GL/glut.h>

namespace {

using Punto = float[3];

// Side profile of the z = 0 side: underside, front, bonnet, windscreen, roof,
// rear window, rear face. The roof is inset 0.4 from the side.
constexpr int NUM_PERFIL = 7;
const Punto perfil[NUM_PERFIL] = {
    {0.0f,         0.0f,        0.0f},
    {LARGO_COCHE,  0.0f,        0.0f},
    {LARGO_COCHE,  0.5f,        0.0f},
    {3.5f,         0.9f,        0.0f},
    {2.25f,        ALTO_COCHE, -0.4f},
    {0.75f,        ALTO_COCHE, -0.4f},
    {0.0f,         1.0f,        0.0f},
};

// Waist lines on both sides, beside the doors.
constexpr int NUM_CINTURAS = 4;
const Punto cinturas[NUM_CINTURAS][2] = {
    {{0.0f,  1.0f, 0.0f},         {0.75f, 0.9f, 0.0f}},
    {{0.0f,  1.0f, -ANCHO_COCHE}, {0.75f, 0.9f, -ANCHO_COCHE}},
    {{2.25f, 0.9f, 0.0f},         {3.5f,  0.9f, 0.0f}},
    {{2.25f, 0.9f, -ANCHO_COCHE}, {3.5f,  0.9f, -ANCHO_COCHE}},
};

// Cross members joining the two sides, at each corner of the profile.
constexpr int NUM_TRAVESANOS = 7;
const Punto travesanos[NUM_TRAVESANOS][2] = {
    {{0.0f,        0.0f,        0.0f},  {0.0f,        0.0f,       -ANCHO_COCHE}},
    {{LARGO_COCHE, 0.0f,        0.0f},  {LARGO_COCHE, 0.0f,       -ANCHO_COCHE}},
    {{LARGO_COCHE, 0.5f,        0.0f},  {LARGO_COCHE, 0.5f,       -ANCHO_COCHE}},
    {{3.5f,        0.9f,        0.0f},  {3.5f,        0.9f,       -ANCHO_COCHE}},
    {{2.25f,       ALTO_COCHE, -0.4f},  {2.25f,       ALTO_COCHE, -1.6f}},
    {{0.75f,       ALTO_COCHE, -0.4f},  {0.75f,       ALTO_COCHE, -1.6f}},
    {{0.0f,        1.0f,        0.0f},  {0.0f,        1.0f,       -ANCHO_COCHE}},
};

// The door's outline: upright up to the sill, the window leaning in to z = -0.35.
constexpr int NUM_CONTORNO_PUERTA = 6;
const Punto contorno_puerta[NUM_CONTORNO_PUERTA] = {
    {0.75f, 0.1f,  0.0f},
    {2.25f, 0.1f,  0.0f},
    {2.25f, 0.9f,  0.0f},
    {2.25f, 1.4f, -0.35f},
    {0.75f, 1.4f, -0.35f},
    {0.75f, 0.9f,  0.0f},
};

// The four wheels: hub position and the sign of tilt and spin (opposite on the two sides).
struct Rueda {
    float x, z;
    float s;
};
constexpr int NUM_RUEDAS = 4;
const Rueda ruedas[NUM_RUEDAS] = {
    // x     z             s
    {0.0f,  0.0f,         -1.0f},   // rear, z = 0 side
    {0.0f, -ANCHO_COCHE,   1.0f},   // rear, z = -2 side
    {3.0f,  0.0f,         -1.0f},   // front, z = 0 side
    {3.0f, -ANCHO_COCHE,   1.0f},   // front, z = -2 side
};

void contorno(const Punto* p, int n)
{
    glBegin(GL_LINE_LOOP);
        for (int i = 0; i < n; i++)
            glVertex3fv(p[i]);
    glEnd();
}

void segmentos(const Punto (*l)[2], int n)
{
    glBegin(GL_LINES);
        for (int i = 0; i < n; i++) {
            glVertex3fv(l[i][0]);
            glVertex3fv(l[i][1]);
        }
    glEnd();
}

}  // namespace

void ruedaCoche()
{
    glPushMatrix();
        // Rolled by the distance over the tyre radius 0.55, in degrees.
        glRotatef(-mov_coche / 0.55f * 57.296f, 0.0f, 0.0f, 1.0f);
        glPushMatrix();
            glScalef(1.0f, 1.0f, 3.0f);
            glutWireTorus(0.05, 0.5, 20, 20);      // tyre, 0.3 wide
        glPopMatrix();
        glPushMatrix();
            glScalef(1.0f, 1.0f, 0.3f);
            glutWireSphere(0.2, 20, 16);           // hub, a flat disc
        glPopMatrix();
        for (int i = 0; i < 12; i++) {
            glPushMatrix();
                glRotatef(30.0f * i, 0.0f, 0.0f, 1.0f);
                glRotatef(-30.0f, 1.0f, 0.0f, 0.0f);   // pitched like a blade
                glTranslatef(0.2f, -0.01f, -0.05f);
                prisma(0.275f, 0.02f, 0.1f);       // spoke
            glPopMatrix();
        }
    glPopMatrix();
}

void puertaCoche()
{
    contorno(contorno_puerta, NUM_CONTORNO_PUERTA);  // the opening, fixed
    glPushMatrix();
        glTranslatef(0.0f, 0.1f, 0.0f);              // hinge along the lower edge
        glRotatef(static_cast<float>(movpuertacoche), 1.0f, 0.0f, 0.0f);
        glPushMatrix();
            glTranslatef(0.0f, -0.1f, 0.0f);
            contorno(contorno_puerta, NUM_CONTORNO_PUERTA);  // the panel
            glBegin(GL_LINES);
                glVertex3f(2.25f, 0.9f, 0.0f);     // window sill
                glVertex3f(0.75f, 0.9f, 0.0f);
            glEnd();
        glPopMatrix();
    glPopMatrix();
}

void coche()
{
    glColor3f(1.0f, 0.0f, 0.4f);
    glLineWidth(2.0f);
    contorno(perfil, NUM_PERFIL);                  // z = 0 side
    segmentos(cinturas, NUM_CINTURAS);
    glPushMatrix();
        glTranslatef(0.0f, 0.0f, -ANCHO_COCHE);
        glBegin(GL_LINE_LOOP);                     // z = -2 side, its roof inset toward +z
            for (const Punto& p : perfil)
                glVertex3f(p[0], p[1], -p[2]);
        glEnd();
    glPopMatrix();
    segmentos(travesanos, NUM_TRAVESANOS);

    puertaCoche();                                 // door of the z = 0 side
    glPushMatrix();
        glTranslatef(1.5f, 0.0f, -ANCHO_COCHE);
        glPushMatrix();
            glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
            glTranslatef(-1.5f, 0.0f, 0.0f);
            puertaCoche();                         // door of the z = -2 side, mirrored
        glPopMatrix();
    glPopMatrix();
    glLineWidth(1.0f);

    for (const Rueda& r : ruedas) {
        glPushMatrix();
            glTranslatef(r.x, 0.0f, r.z);
            glRotatef(r.s * angulo_helice_coche, 1.0f, 0.0f, 0.0f);
            glRotatef(r.s * angulo_rueda_coche, 0.0f, 0.0f, 1.0f);
            ruedaCoche();
        glPopMatrix();
    }
}
