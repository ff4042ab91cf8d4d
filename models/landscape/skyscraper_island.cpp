// The island, in its own frame: origin at a corner of the 80 x 80 block's base,
// +y up, top surface at y = 2; the composition places it so that its base lies
// at sea level. The towers are static.
#include "models/landscape/skyscraper_island.h"

#include "app/scene_state.h"
#include "models/sports_vehicles/crane.h"
#include "primitives/primitives.h"

#include <GL/gl.h>

// Towers three by three, 23 apart, the first 9 in from the block's corner.
constexpr int TORRES_POR_LADO = 3;
// The crane's place on the island, and how far toward -z from the crane's own
// origin the vertical lies about which angulo_grua turns it.
constexpr float GRUA_ISLA_X = 30.0f, GRUA_ISLA_Y = 2.7f, GRUA_ISLA_Z = 49.0f;
constexpr float EJE_GIRO_GRUA = 4.0f;

void lateralEdificio()
{
    glPushMatrix();
        glTranslatef(4.0f, 0.0f, 0.0f);
        glBegin(GL_LINE_STRIP);                    // door frame, open at the bottom
            glVertex3f(0.0f, 0.0f, 0.0f);
            glVertex3f(0.0f, 2.0f, 0.0f);
            glVertex3f(2.0f, 2.0f, 0.0f);
            glVertex3f(2.0f, 0.0f, 0.0f);
        glEnd();
        glBegin(GL_LINES);                         // between the two leaves
            glVertex3f(1.0f, 0.0f, 0.0f);
            glVertex3f(1.0f, 2.0f, 0.0f);
        glEnd();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.0f, 3.0f, 0.0f);
        malla(10.0f, 37.0f, 0.0f);                 // windows
    glPopMatrix();
}

void rascacielo()
{
    prisma(14.0f, 0.1f, 14.0f);                    // base plate
    glPushMatrix();
        glTranslatef(2.0f, 0.1f, 2.0f);
        prisma(10.0f, 40.0f, 10.0f);               // body
        glPushMatrix();
            glTranslatef(5.0f, 0.0f, 5.0f);        // the body's vertical axis
            for (int i = 0; i < 4; i++) {
                glPushMatrix();
                    glRotatef(90.0f * i, 0.0f, 1.0f, 0.0f);
                    glTranslatef(-5.0f, 0.0f, -5.0f);
                    lateralEdificio();
                glPopMatrix();
            }
        glPopMatrix();
        glPushMatrix();
            glTranslatef(0.0f, 40.0f, 0.0f);
            malla(10.0f, 0.0f, 10.0f);             // roof grid
        glPopMatrix();
    glPopMatrix();
}

void isla()
{
    prisma(LADO_ISLA, ALTO_ISLA, LADO_ISLA);       // the block, in the colour it finds

    glColor3f(1.0f, 1.0f, 0.0f);
    glLineWidth(4.0f);
    glPushMatrix();
        glTranslatef(8.8f, ALTO_ISLA, 32.0f);
        glBegin(GL_LINES);                         // the stripe beside the first column
            glVertex3f(0.0f, 0.0f, 0.0f);
            glVertex3f(0.0f, 0.0f, 14.0f);
        glEnd();
    glPopMatrix();
    glLineWidth(1.0f);

    glColor3f(1.0f, 1.0f, 1.0f);
    for (int i = 0; i < TORRES_POR_LADO; i++) {
        for (int j = 0; j < TORRES_POR_LADO; j++) {
            glPushMatrix();
                glTranslatef(23.0f * i + 9.0f, ALTO_ISLA, 23.0f * j + 9.0f);
                rascacielo();
            glPopMatrix();
        }
    }

    if (grua_visible == 1) {
        glPushMatrix();
            colocarGrua(enGL);
            grua();
        glPopMatrix();
    }
}

void colocarGrua(Colocacion& c)
{
    c.trasladar(GRUA_ISLA_X, GRUA_ISLA_Y, GRUA_ISLA_Z);
    c.trasladar(mov_gruaX, mov_gruaY, mov_gruaZ - EJE_GIRO_GRUA);
    c.girar(static_cast<float>(angulo_grua), 0.0f, 1.0f, 0.0f);
    c.trasladar(0.0f, 0.0f, EJE_GIRO_GRUA);
}
