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

// The car hanging from the grip at half size, roof toward the grip, in the third link's space.
void cocheColgado()
{
    glPushMatrix();
        glRotatef(static_cast<float>(angulo_brazo[4]), 0.0f, 1.0f, 0.0f);
        glTranslatef(0.0f, 1.2f, 0.0f);
        glRotatef(180.0f, 1.0f, 0.0f, 0.0f);
        glTranslatef(-0.5f, -0.5f, 0.5f);
        glScalef(0.5f, 0.5f, 0.5f);
        coche();
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

void brazoGrua()
{
    glColor3f(1.0f, 1.0f, 1.0f);
    disco();                                       // fixed base disc
    glPushMatrix();
        glRotatef(static_cast<float>(angulo_brazo[0]), 0.0f, 1.0f, 0.0f);   // slew
        glPushMatrix();
            glTranslatef(0.0f, 0.1f, 0.0f);
            disco();                               // turntable
        glPopMatrix();
        glPushMatrix();
            glTranslatef(0.0f, 0.35f, 0.0f);
            glRotatef(static_cast<float>(angulo_brazo[1]), 0.0f, 0.0f, 1.0f);   // shoulder
            glTranslatef(0.0f, 0.0f, -0.15f);
            gluCylinder(cilindro, 0.3, 0.3, 0.3, 20, 1);                      // shoulder drum
            glPushMatrix();
                glTranslatef(-0.15f, 0.3f, 0.0f);
                prisma(0.3f, 2.0f, 0.3f);                                     // first link
                glPushMatrix();
                    glTranslatef(0.15f, 1.85f, 0.0f);
                    glRotatef(static_cast<float>(angulo_brazo[2]), 0.0f, 0.0f, 1.0f);   // elbow
                    glTranslatef(0.0f, 0.0f, 0.3f);
                    gluCylinder(cilindro, 0.15, 0.15, 0.3, 20, 1);            // elbow drum
                    glPushMatrix();
                        glTranslatef(-0.15f, 0.15f, 0.0f);
                        prisma(0.3f, 2.0f, 0.3f);                             // second link
                        glPushMatrix();
                            glTranslatef(0.15f, 1.85f, -0.6f);
                            glRotatef(static_cast<float>(angulo_brazo[3]), 0.0f, 0.0f, 1.0f);   // wrist
                            glTranslatef(0.0f, 0.0f, 0.3f);
                            gluCylinder(cilindro, 0.15, 0.15, 0.3, 20, 1);    // wrist drum
                            glPushMatrix();
                                glTranslatef(-0.15f, 0.15f, 0.0f);
                                prisma(0.3f, 0.5f, 0.3f);                     // third link
                                glPushMatrix();
                                    if (estado_coche == 3)
                                        cocheColgado();
                                    glColor3f(1.0f, 1.0f, 1.0f);
                                    glTranslatef(0.15f, 0.6f, 0.15f);
                                    glRotatef(static_cast<float>(angulo_brazo[4]), 0.0f, 1.0f, 0.0f);   // grip twist
                                    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
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
