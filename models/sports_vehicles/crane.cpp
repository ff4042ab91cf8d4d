// The crane. Model space: origin at the bottom front corner of the chassis on
// its z = 0 side; -x forward (the cab, bumper and grille face -x), +y up, the
// chassis 6 x 0.5 x 2 between z = 0 and z = 2. Reads the crane's travel and
// heading (wheel roll), angulo_gato and movgato (jacks), pendiente_grua (bed),
// estado_coche and mov_coche (the car on the bed). Cylinders use the shared quadric.
#include "models/sports_vehicles/crane.h"

#include "app/scene_state.h"
#include "models/sports_vehicles/car.h"
#include "models/sports_vehicles/crane_arm.h"
#include "primitives/primitives.h"

#include <GL/glut.h>

namespace {

struct Posicion {
    float x, y, z;
};

// Wheel centres, just outside the chassis sides.
constexpr int NUM_RUEDAS_GRUA = 4;
const Posicion ruedas_grua[NUM_RUEDAS_GRUA] = {
    {0.6f, -0.1f, -0.15f},
    {0.6f, -0.1f,  2.15f},
    {5.0f, -0.1f, -0.15f},
    {5.0f, -0.1f,  2.15f},
};

// Jack pivots beside the chassis, and how each turns with angulo_gato: the beam
// swings by sentido * angulo_gato + giro, so that negative angulo_gato swings all
// four outward.
struct Gato {
    float x, y, z;
    int sentido, giro;
};
constexpr int NUM_GATOS = 4;
const Gato gatos[NUM_GATOS] = {
    // pivot                 sentido  giro
    {1.5f, 0.2f,  2.2f,      1,      0},     // front, z = 2 side
    {4.1f, 0.2f,  2.2f,     -1,    180},     // rear, z = 2 side
    {1.5f, 0.2f, -0.2f,     -1,      0},     // front, z = 0 side
    {4.1f, 0.2f, -0.2f,      1,    180},     // rear, z = 0 side
};

void contorno(float x0, float y0, float z0, float x1, float y1, float z1, float x2, float y2, float z2,
              float x3, float y3, float z3)
{
    glBegin(GL_LINE_LOOP);
        glVertex3f(x0, y0, z0);
        glVertex3f(x1, y1, z1);
        glVertex3f(x2, y2, z2);
        glVertex3f(x3, y3, z3);
    glEnd();
}

}  // namespace

void puertaCabinaGrua()
{
    contorno(0.0f, 0.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f, 1.3f, 0.0f, 0.0f, 1.3f, 0.0f);
    glPushMatrix();
        glTranslatef(0.1f, 0.7f, 0.0f);
        contorno(0.0f, 0.0f, 0.0f, 0.8f, 0.0f, 0.0f, 0.8f, 0.5f, 0.0f, 0.0f, 0.5f, 0.0f);   // window
    glPopMatrix();
}

void espejoCabinaGrua()
{
    glPushMatrix();
        glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
        glTranslatef(-0.3f, -0.15f, -0.12f);
        prisma(0.2f, 0.3f, 0.02f);                 // mirror plate
        glLineWidth(5.0f);
        glPushMatrix();
            glTranslatef(0.1f, 0.15f, 0.02f);
            glBegin(GL_LINE_STRIP);                // arm back to the cab
                glVertex3f(0.0f, 0.0f, 0.0f);
                glVertex3f(0.0f, 0.0f, 0.1f);
                glVertex3f(0.2f, 0.0f, 0.1f);
            glEnd();
        glPopMatrix();
        glLineWidth(1.0f);
    glPopMatrix();
}

void cabinaGrua()
{
    glPushMatrix();
        glTranslatef(0.0f, 0.5f, 0.0f);
        prisma(1.2f, 1.5f, 2.0f);                  // cab
        contorno(0.0f, 0.5f, 0.1f, 0.0f, 1.4f, 0.1f, 0.0f, 1.4f, 1.9f, 0.0f, 0.5f, 1.9f);   // windscreen
        contorno(1.2f, 1.2f, 0.5f, 1.2f, 1.4f, 0.5f, 1.2f, 1.4f, 1.5f, 1.2f, 1.2f, 1.5f);   // rear window
        glPushMatrix();
            glTranslatef(0.1f, 0.1f, 0.0f);
            puertaCabinaGrua();
        glPopMatrix();
        glPushMatrix();
            glTranslatef(0.1f, 0.1f, 2.0f);
            puertaCabinaGrua();
        glPopMatrix();
        glPushMatrix();
            glTranslatef(0.05f, 1.15f, 0.0f);
            espejoCabinaGrua();
        glPopMatrix();
        glPushMatrix();
            glTranslatef(0.05f, 1.15f, 2.0f);
            glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
            espejoCabinaGrua();                    // out from the z = 2 side
        glPopMatrix();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(-0.2f, 0.0f, 0.0f);
        prisma(0.2f, 0.3f, 2.0f);                  // bumper
    glPopMatrix();
    glPushMatrix();
        glTranslatef(-0.1f, 0.3f, 0.4f);
        prisma(0.1f, 0.5f, 1.2f);                  // grille
        glBegin(GL_LINES);                         // its bars, on the front face
            for (int i = 1; i <= 4; i++) {
                glVertex3f(0.0f, 0.1f * i, 0.0f);
                glVertex3f(0.0f, 0.1f * i, 1.2f);
            }
        glEnd();
    glPopMatrix();
}

void ruedaGrua()
{
    glPushMatrix();
        // Travel in x and z and six times the heading count as the distance rolled.
        glRotatef((-mov_gruaX - mov_gruaZ - 6.0f * angulo_grua) / 0.55f * 57.296f, 0.0f, 0.0f, 1.0f);
        glColor3f(0.5f, 0.5f, 0.5f);
        glPushMatrix();
            glScalef(1.0f, 1.0f, 3.0f);
            glutWireTorus(0.05, 0.5, 10, 20);      // tyre
        glPopMatrix();
        glColor3f(0.7f, 0.7f, 0.7f);
        glPushMatrix();
            glScalef(1.0f, 1.0f, 0.2f);
            glutWireSphere(0.45, 14, 14);          // hub disc filling the tyre
        glPopMatrix();
    glPopMatrix();
}

void ruedasGrua4()
{
    for (const Posicion& p : ruedas_grua) {
        glPushMatrix();
            glTranslatef(p.x, p.y, p.z);
            ruedaGrua();
        glPopMatrix();
    }
}

void gatoGrua(int angulo)
{
    glPushMatrix();
        glTranslatef(-0.2f, 0.15f, -0.2f);
        prisma(0.4f, 0.1f, 0.4f);                  // top plate
    glPopMatrix();
    glPushMatrix();
        glRotatef(static_cast<float>(angulo), 0.0f, 1.0f, 0.0f);
        glPushMatrix();
            glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
            glTranslatef(0.0f, 0.0f, -0.15f);
            gluCylinder(cilindro, 0.2, 0.2, 0.3, 16, 1);   // pivot drum
        glPopMatrix();
        glPushMatrix();
            glTranslatef(0.2f, -0.15f, -0.15f);
            prisma(1.0f, 0.3f, 0.3f);              // beam
            glPushMatrix();
                glTranslatef(0.7f, -0.4f, 0.0f);
                glColor3f(0.7f, 0.7f, 0.7f);
                glPushMatrix();
                    glTranslatef(0.0f, movgato, 0.0f);
                    glPushMatrix();
                        glTranslatef(0.15f, 0.2f, 0.15f);
                        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
                        glTranslatef(0.0f, 0.0f, -0.2f);
                        gluCylinder(cilindro, 0.05, 0.05, 0.5, 10, 1);   // rod
                    glPopMatrix();
                    glPushMatrix();
                        glTranslatef(0.0f, -0.15f, 0.0f);
                        prisma(0.3f, 0.05f, 0.3f); // foot
                    glPopMatrix();
                glPopMatrix();
                glColor3f(0.5f, 0.8f, 0.0f);
                prisma(0.3f, 0.4f, 0.3f);          // ram housing
            glPopMatrix();
        glPopMatrix();
    glPopMatrix();
}

void gatosGrua4()
{
    for (const Gato& g : gatos) {
        glPushMatrix();
            glTranslatef(g.x, g.y, g.z);
            gatoGrua(g.sentido * angulo_gato + g.giro);
        glPopMatrix();
    }
}

void colocarBrazo(Colocacion& c)
{
    c.trasladar(1.8f, ALTO_CHASIS_GRUA, ANCHO_CHASIS_GRUA / 2.0f);
}

void colocarCaja(Colocacion& c)
{
    c.trasladar(LARGO_CHASIS_GRUA, ALTO_CHASIS_GRUA, ANCHO_CHASIS_GRUA / 2.0f);   // the hinge
    c.girar(180.0f, 0.0f, 1.0f, 0.0f);
    c.girar(pendiente_grua, 0.0f, 0.0f, 1.0f);
    c.trasladar(0.0f, 0.0f, -1.25f);
}

void colocarCocheEnCaja(Colocacion& c)
{
    c.trasladar(mov_coche + 0.75f, 0.4f, 1.75f);
    c.escalar(0.5f, 0.5f, 0.5f);
}

void grua()
{
    glColor3f(0.5f, 0.8f, 0.0f);
    prisma(LARGO_CHASIS_GRUA, ALTO_CHASIS_GRUA, ANCHO_CHASIS_GRUA);
    ruedasGrua4();
    glColor3f(0.5f, 0.8f, 0.0f);
    cabinaGrua();
    gatosGrua4();
    glPushMatrix();
        colocarBrazo(enGL);
        brazoGrua();
    glPopMatrix();
    glPushMatrix();
        colocarCaja(enGL);
        prisma(3.5f, 0.1f, 2.5f);                  // bed
        if (estado_coche == 4) {
            glPushMatrix();
                colocarCocheEnCaja(enGL);
                coche();
            glPopMatrix();
        }
    glPopMatrix();
}
