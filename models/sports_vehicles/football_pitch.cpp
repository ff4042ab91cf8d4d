// The football pitch and its goals. The pitch's model space has its origin at
// the middle of one goal line, on the ground, +z along the pitch to the other
// goal line at z = 50, touchlines at x = -15 and 15. Every marking is a filled
// strip 0.2 wide in the plane y = 0. Reads no scene state.
#include "models/sports_vehicles/football_pitch.h"

#include "primitives/primitives.h"

#include <GL/gl.h>

namespace {

using Quad = float[4][3];

// Touchlines inside the 30 x 50 rectangle, goal lines outside it, the halfway line on z = 25.
constexpr int NUM_LINEAS_CAMPO = 5;
const Quad lineas_campo[NUM_LINEAS_CAMPO] = {
    {{ 0.0f, 0.0f,  0.0f}, { 0.2f, 0.0f,  0.0f}, { 0.2f, 0.0f, 50.0f}, { 0.0f, 0.0f, 50.0f}},  // touchline
    {{29.8f, 0.0f,  0.0f}, {30.0f, 0.0f,  0.0f}, {30.0f, 0.0f, 50.0f}, {29.8f, 0.0f, 50.0f}},  // touchline
    {{ 0.0f, 0.0f,  0.0f}, {30.0f, 0.0f,  0.0f}, {30.0f, 0.0f, -0.2f}, { 0.0f, 0.0f, -0.2f}},  // goal line
    {{ 0.0f, 0.0f, 24.9f}, {30.0f, 0.0f, 24.9f}, {30.0f, 0.0f, 25.1f}, { 0.0f, 0.0f, 25.1f}},  // halfway line
    {{ 0.0f, 0.0f, 50.0f}, {30.0f, 0.0f, 50.0f}, {30.0f, 0.0f, 50.2f}, { 0.0f, 0.0f, 50.2f}},  // goal line
};

// The goal area, 10 wide and 3 deep: two sides and its front line.
constexpr int NUM_AREA_PEQUENA = 3;
const Quad area_pequena[NUM_AREA_PEQUENA] = {
    {{ 0.0f, 0.0f, 0.0f}, { 0.2f, 0.0f, 0.0f}, { 0.2f, 0.0f, 3.0f}, { 0.0f, 0.0f, 3.0f}},
    {{ 9.8f, 0.0f, 0.0f}, {10.0f, 0.0f, 0.0f}, {10.0f, 0.0f, 3.0f}, { 9.8f, 0.0f, 3.0f}},
    {{ 0.0f, 0.0f, 0.0f}, { 0.0f, 0.0f, 0.2f}, {10.0f, 0.0f, 0.2f}, {10.0f, 0.0f, 0.0f}},
};

// The penalty area, 18 wide and 7 deep: two sides and its front line.
constexpr int NUM_AREA_GRANDE = 3;
const Quad area_grande[NUM_AREA_GRANDE] = {
    {{ 0.0f, 0.0f, 0.0f}, { 0.2f, 0.0f, 0.0f}, { 0.2f, 0.0f, 7.0f}, { 0.0f, 0.0f, 7.0f}},
    {{17.8f, 0.0f, 0.0f}, {18.0f, 0.0f, 0.0f}, {18.0f, 0.0f, 7.0f}, {17.8f, 0.0f, 7.0f}},
    {{ 0.0f, 0.0f, 0.0f}, { 0.0f, 0.0f, 0.2f}, {18.0f, 0.0f, 0.2f}, {18.0f, 0.0f, 0.0f}},
};

// One piece of the centre circle: outer edge 5 from the centre, inner edge 4.8.
const Quad pieza_circulo = {
    {0.0f, 0.0f, -1.34586f}, {0.2f, 0.0f, -1.294095f}, {0.2f, 0.0f, 1.294095f}, {0.0f, 0.0f, 1.34586f},
};

// The four nets of a goal: where each stands in the net frame's space and its size.
struct Red {
    float tx, ty, tz;
    float x, y, z;
};
constexpr int NUM_REDES = 4;
const Red redes[NUM_REDES] = {
    //  translate                 size
    {0.075f, 0.1f,   0.0f,    0.0f,  3.025f, 1.575f},  // left side
    {0.075f, 0.1f,   1.625f,  5.8f,  3.025f, 0.0f  },  // back
    {5.925f, 0.1f,   0.0f,    0.0f,  3.0f,   1.575f},  // right side
    {0.075f, 3.125f, 0.0f,    5.85f, 0.0f,   1.625f},  // roof
};

void quads(const Quad* q, int n)
{
    glBegin(GL_QUADS);
        for (int i = 0; i < n; i++)
            for (int k = 0; k < 4; k++)
                glVertex3fv(q[i][k]);
    glEnd();
}

}  // namespace

void red(float x, float y, float z)
{
    // The running coordinate stays a float: its rounding decides whether a line
    // lands on the far edge (29 steps of 0.2 fall just short of 5.8, 15 just pass 3).
    for (float e = 0.0f; x > e; e += 0.2f)
        segmento(e, 0.0f, 0.0f, e, y, z);
    for (float e = 0.0f; y > e; e += 0.2f)
        segmento(0.0f, e, 0.0f, x, e, z);
    for (float e = 0.0f; z > e; e += 0.2f)
        segmento(0.0f, 0.0f, e, x, y, e);
}

void redPorteria()
{
    // Ground bars, in the goal's colour.
    prisma(0.2f, 0.1f, 1.5f);
    glPushMatrix();
        glTranslatef(0.0f, 0.0f, 1.5f);
        prisma(6.0f, 0.1f, 0.2f);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(5.8f, 0.0f, 0.0f);
        prisma(0.2f, 0.1f, 1.5f);
    glPopMatrix();

    // Rear uprights and the top bars back from the crossbar.
    glColor3f(1.0f, 0.3f, 1.0f);
    glPushMatrix();
        glTranslatef(0.075f, 0.1f, 1.575f);
        prisma(0.05f, 3.025f, 0.05f);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(5.875f, 0.1f, 1.575f);
        prisma(0.05f, 3.025f, 0.05f);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.075f, 3.075f, 0.0f);
        prisma(0.05f, 0.05f, 1.575f);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(5.875f, 3.075f, 0.0f);
        prisma(0.05f, 0.05f, 1.575f);
    glPopMatrix();

    glColor3f(1.0f, 1.0f, 1.0f);
    for (const Red& r : redes) {
        glPushMatrix();
            glTranslatef(r.tx, r.ty, r.tz);
            red(r.x, r.y, r.z);
        glPopMatrix();
    }
}

void porteria()
{
    prisma(0.2f, 3.0f, 0.2f);                      // left post
    glPushMatrix();
        glTranslatef(0.0f, 3.0f, 0.0f);
        prisma(6.0f, 0.2f, 0.2f);                  // crossbar
    glPopMatrix();
    glPushMatrix();
        glTranslatef(5.8f, 0.0f, 0.0f);
        prisma(0.2f, 3.0f, 0.2f);                  // right post
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.0f, 0.0f, 0.2f);
        redPorteria();
    glPopMatrix();
}

void lineasArea()
{
    quads(area_pequena, NUM_AREA_PEQUENA);
    glPushMatrix();
        glTranslatef(-4.0f, 0.0f, -4.0f);
        quads(area_grande, NUM_AREA_GRANDE);
    glPopMatrix();
}

void centroCampo()
{
    for (int i = 0; i < 12; i++) {
        glPushMatrix();
            glRotatef(30.0f * i, 0.0f, 1.0f, 0.0f);
            glTranslatef(-5.0f, 0.0f, 0.0f);
            quads(&pieza_circulo, 1);
        glPopMatrix();
    }
}

void lineasCampo()
{
    quads(lineas_campo, NUM_LINEAS_CAMPO);
    glPushMatrix();
        glTranslatef(10.0f, 0.0f, 47.0f);
        lineasArea();                              // areas at the z = 50 end
    glPopMatrix();
    glPushMatrix();
        glTranslatef(20.0f, 0.0f, 3.0f);
        glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
        lineasArea();                              // areas at the z = 0 end
    glPopMatrix();
    glPushMatrix();
        glTranslatef(ANCHO_CAMPO / 2.0f, 0.0f, LARGO_CAMPO / 2.0f);
        centroCampo();
    glPopMatrix();
}

void campoFutbol()
{
    glPushMatrix();
        glColor3f(0.2f, 1.0f, 0.2f);
        glPushMatrix();
            glTranslatef(-ANCHO_CAMPO / 2.0f, 0.0f, 0.0f);
            mallah(ANCHO_CAMPO, 0.0f, LARGO_CAMPO);    // grass
            glColor3f(1.0f, 1.0f, 1.0f);
            lineasCampo();
        glPopMatrix();
        glPushMatrix();
            glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
            glTranslatef(-3.0f, 0.0f, 0.0f);
            porteria();                            // goal at the z = 0 end
        glPopMatrix();
        glPushMatrix();
            glTranslatef(-3.0f, 0.0f, LARGO_CAMPO);
            porteria();                            // goal at the z = 50 end
        glPopMatrix();
    glPopMatrix();
}
