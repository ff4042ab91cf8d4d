// The crane's arm and grip. Model space: origin at the centre of the arm's base
// on the chassis top, +y up. The arm slews about y by angulo_brazo[0]; its three
// links then turn about z (shoulder, elbow, wrist: angulo_brazo[1..3]) in one
// vertical plane, side by side across it; the grip twists by angulo_brazo[4] and
// opens its fingers by angulo_brazo[5]. While estado_coche is 3 the car hangs
// from the grip at half size. Cylinders use the shared quadric.
#include "models/sports_vehicles/crane_arm.h"

#include "app/scene_state.h"
#include "models/sports_vehicles/car.h"
#include "primitives/primitives.h"

#include <GL/glu.h>
#include <GL/gl.h>

namespace {

// A disc of radius 0.5 and 0.1 thick lying flat, from y = 0 down to y = -0.1.
void disco()
{
    glPushMatrix();
        glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
        gluCylinder(cilindro, 0.5, 0.5, 0.1, 20, 1);
    glPopMatrix();
}

}  // namespace

void pinzaGrua()
{
    glPushMatrix();
        glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);      // +y along the third link, away from the arm
        for (int i = 0; i < 4; i++) {
            glPushMatrix();
                glRotatef(90.0f * i, 0.0f, 1.0f, 0.0f);
                glTranslatef(-0.1f, 0.0f, -0.025f);
                glRotatef(static_cast<float>(angulo_brazo[5]), 0.0f, 0.0f, 1.0f);
                prisma(0.05f, 0.5f, 0.05f);        // finger
                glPushMatrix();
                    glTranslatef(0.0f, 0.5f, 0.0f);
                    prisma(0.4f, 0.05f, 0.05f);    // fingertip bar, back across the axis
                glPopMatrix();
            glPopMatrix();
        }
    glPopMatrix();
}

void colocarTramo(Colocacion& c, TramoBrazo tramo)
{
    switch (tramo) {
    case TramoBrazo::Giro:
        c.girar(static_cast<float>(angulo_brazo[0]), 0.0f, 1.0f, 0.0f);
        break;
    case TramoBrazo::Hombro:
        c.trasladar(0.0f, 0.35f, 0.0f);
        c.girar(static_cast<float>(angulo_brazo[1]), 0.0f, 0.0f, 1.0f);
        c.trasladar(0.0f, 0.0f, -0.15f);
        break;
    case TramoBrazo::PrimerEslabon:
        c.trasladar(-0.15f, 0.3f, 0.0f);
        break;
    case TramoBrazo::Codo:
        c.trasladar(0.15f, 1.85f, 0.0f);
        c.girar(static_cast<float>(angulo_brazo[2]), 0.0f, 0.0f, 1.0f);
        c.trasladar(0.0f, 0.0f, 0.3f);
        break;
    case TramoBrazo::SegundoEslabon:
        c.trasladar(-0.15f, 0.15f, 0.0f);
        break;
    case TramoBrazo::Muneca:
        c.trasladar(0.15f, 1.85f, -0.6f);
        c.girar(static_cast<float>(angulo_brazo[3]), 0.0f, 0.0f, 1.0f);
        c.trasladar(0.0f, 0.0f, 0.3f);
        break;
    case TramoBrazo::TercerEslabon:
        c.trasladar(-0.15f, 0.15f, 0.0f);
        break;
    case TramoBrazo::Pinza:
        c.trasladar(0.15f, 0.6f, 0.15f);
        c.girar(static_cast<float>(angulo_brazo[4]), 0.0f, 1.0f, 0.0f);
        c.girar(90.0f, 1.0f, 0.0f, 0.0f);
        break;
    }
}

void colocarBrazoHasta(Colocacion& c, TramoBrazo hasta)
{
    for (int t = 0; t <= static_cast<int>(hasta); t++)
        colocarTramo(c, static_cast<TramoBrazo>(t));
}

void colgarCoche(Colocacion& c)
{
    c.girar(static_cast<float>(angulo_brazo[4]), 0.0f, 1.0f, 0.0f);
    c.trasladar(0.0f, 1.2f, 0.0f);
    c.girar(180.0f, 1.0f, 0.0f, 0.0f);
    c.trasladar(-0.5f, -0.5f, 0.5f);
    c.escalar(0.5f, 0.5f, 0.5f);
}

void brazoGrua()
{
    glColor3f(1.0f, 1.0f, 1.0f);
    disco();                                       // fixed base disc
    glPushMatrix();
        colocarTramo(enGL, TramoBrazo::Giro);
        glPushMatrix();
            glTranslatef(0.0f, 0.1f, 0.0f);
            disco();                               // turntable
        glPopMatrix();
        glPushMatrix();
            colocarTramo(enGL, TramoBrazo::Hombro);
            gluCylinder(cilindro, 0.3, 0.3, 0.3, 20, 1);                      // shoulder drum
            glPushMatrix();
                colocarTramo(enGL, TramoBrazo::PrimerEslabon);
                prisma(0.3f, 2.0f, 0.3f);                                     // first link
                glPushMatrix();
                    colocarTramo(enGL, TramoBrazo::Codo);
                    gluCylinder(cilindro, 0.15, 0.15, 0.3, 20, 1);            // elbow drum
                    glPushMatrix();
                        colocarTramo(enGL, TramoBrazo::SegundoEslabon);
                        prisma(0.3f, 2.0f, 0.3f);                             // second link
                        glPushMatrix();
                            colocarTramo(enGL, TramoBrazo::Muneca);
                            gluCylinder(cilindro, 0.15, 0.15, 0.3, 20, 1);    // wrist drum
                            glPushMatrix();
                                colocarTramo(enGL, TramoBrazo::TercerEslabon);
                                prisma(0.3f, 0.5f, 0.3f);                     // third link
                                glPushMatrix();
                                    if (estado_coche == 3) {
                                        glPushMatrix();
                                            colgarCoche(enGL);
                                            coche();
                                        glPopMatrix();
                                    }
                                    glColor3f(1.0f, 1.0f, 1.0f);
                                    colocarTramo(enGL, TramoBrazo::Pinza);
                                    gluCylinder(cilindro, 0.15, 0.15, 0.1, 20, 1);   // grip mount
                                    pinzaGrua();
                                glPopMatrix();
                            glPopMatrix();
                        glPopMatrix();
                    glPopMatrix();
                glPopMatrix();
            glPopMatrix();
        glPopMatrix();
    glPopMatrix();
    glColor3f(0.5f, 0.8f, 0.0f);
}
