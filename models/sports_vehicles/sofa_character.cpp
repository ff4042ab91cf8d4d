// The red sofa, the yellow character seated on it, and the magenta focus marker.
// The character's model space: origin on the floor under the hips, +z the way it
// faces, seat height 0.4, knees at z = 0.5. The sofa's: origin at the centre of
// its footprint, back toward -z.
#include "models/sports_vehicles/sofa_character.h"

#include "app/scene_state.h"
#include "primitives/primitives.h"

#include <GL/glut.h>

void colocarCabeza(Colocacion& c)
{
    c.trasladar(0.0f, 1.22f, 0.0f);
}

void girarSofa(Colocacion& c)
{
    c.girar(movsofa * 20.0f, 0.0f, 1.0f, 0.0f);
    c.trasladar(-1.8f, 0.0f, -0.55f);
}

void colocarPersonaje(Colocacion& c)
{
    c.trasladar(1.0f, 0.0f, 0.6f);
}

void restoPierna()
{
    glPushMatrix();
        glTranslatef(0.0f, -0.4f, 0.0f);
        prisma(0.12f, 0.1f, 0.2f);                 // foot
        glPushMatrix();
            glTranslatef(0.01f, 0.1f, 0.01f);
            prisma(0.1f, 0.05f, 0.1f);             // ankle
        glPopMatrix();
        glPushMatrix();
            glTranslatef(0.0f, 0.15f, 0.0f);
            prisma(0.12f, 0.25f, 0.12f);           // shin
        glPopMatrix();
    glPopMatrix();
}

void personaje()
{
    glColor3f(1.0f, 1.0f, 0.0f);
    glPushMatrix();
        colocarCabeza(enGL);
        glutWireSphere(0.2, 10, 10);               // head
    glPopMatrix();

    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
        glTranslatef(-0.1f, 1.3f, 0.14f);
        glutWireSphere(0.05, 10, 10);              // eyes
        glPushMatrix();
            glTranslatef(0.2f, 0.0f, 0.0f);
            glutWireSphere(0.05, 10, 10);
        glPopMatrix();
    glPopMatrix();

    glLineWidth(2.0f);
    glColor3f(1.0f, 0.0f, 0.0f);
    glPushMatrix();
        glTranslatef(-0.1f, 1.12f, 0.19f);
        if (estado_boca == 0) {
            glBegin(GL_LINE_LOOP);                 // a triangle, flat side on top
                glVertex3f(0.0f, 0.07f, 0.0f);
                glVertex3f(0.18f, 0.07f, 0.0f);
                glVertex3f(0.07f, 0.0f, 0.0f);
            glEnd();
        } else {
            glBegin(GL_LINE_STRIP);                // a zigzag of nine points
                glVertex3f(0.0f, 0.0f, 0.0f);
                glVertex3f(0.02f, 0.02f, 0.0f);
                glVertex3f(0.04f, 0.0f, 0.0f);
                glVertex3f(0.06f, 0.02f, 0.0f);
                glVertex3f(0.08f, 0.0f, 0.0f);
                glVertex3f(0.1f, 0.02f, 0.0f);
                glVertex3f(0.12f, 0.0f, 0.0f);
                glVertex3f(0.14f, 0.02f, 0.0f);
                glVertex3f(0.16f, 0.0f, 0.0f);
            glEnd();
        }
    glPopMatrix();

    glLineWidth(1.0f);
    glColor3f(1.0f, 1.0f, 0.0f);
    glPushMatrix();
        glTranslatef(-0.05f, 0.92f, -0.05f);
        prisma(0.1f, 0.1f, 0.1f);                  // neck
    glPopMatrix();
    glPushMatrix();
        glTranslatef(-0.15f, 0.52f, -0.1f);
        prisma(0.3f, 0.4f, 0.2f);                  // torso
        glPushMatrix();
            glTranslatef(0.0f, 0.3f, 0.15f);
            glRotatef(-180.0f, 0.0f, 1.0f, 0.0f);
            glRotatef(-60.0f, 0.0f, 0.0f, 1.0f);
            prisma(0.4f, 0.1f, 0.1f);              // arm on the -x side
        glPopMatrix();
        glPushMatrix();
            glTranslatef(0.3f, 0.3f, 0.05f);
            glRotatef(-60.0f, 0.0f, 0.0f, 1.0f);
            prisma(0.4f, 0.1f, 0.1f);              // arm on the +x side
        glPopMatrix();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(-0.15f, 0.4f, 0.0f);
        prisma(0.12f, 0.12f, 0.5f);                // thighs
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.02f, 0.4f, 0.0f);
        prisma(0.12f, 0.12f, 0.5f);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(-0.15f, 0.4f, 0.5f);
        restoPierna();                             // resting lower leg
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.02f, 0.4f, 0.5f);
        glRotatef(static_cast<float>(-angulo_pierna[movpierna]), 1.0f, 0.0f, 0.0f);
        restoPierna();                             // kicking lower leg
    glPopMatrix();
}

void sofa()
{
    glColor3f(1.0f, 0.0f, 0.0f);
    glPushMatrix();
        girarSofa(enGL);
        glPushMatrix();
            glTranslatef(0.1f, 0.0f, 0.1f);
            prisma(3.4f, 0.4f, 1.0f);              // seat
        glPopMatrix();
        glPushMatrix();
            glTranslatef(0.0f, 0.4f, 0.3f);
            prisma(0.3f, 0.2f, 0.8f);              // armrests
        glPopMatrix();
        glPushMatrix();
            glTranslatef(3.3f, 0.4f, 0.3f);
            prisma(0.3f, 0.2f, 0.8f);
        glPopMatrix();
        glPushMatrix();
            glTranslatef(0.1f, 0.0f, 0.0f);
            prisma(3.4f, 1.0f, 0.1f);              // backrest
        glPopMatrix();
        glPushMatrix();
            glTranslatef(0.1f, 0.4f, 0.1f);
            prisma(1.7f, 0.7f, 0.2f);              // back cushions
        glPopMatrix();
        glPushMatrix();
            glTranslatef(1.8f, 0.4f, 0.1f);
            prisma(1.7f, 0.7f, 0.2f);
        glPopMatrix();
        glPushMatrix();
            colocarPersonaje(enGL);
            personaje();
        glPopMatrix();
    glPopMatrix();
}

void foco()
{
    glColor3f(1.0f, 0.0f, 1.0f);
    glPushMatrix();
        glTranslatef(aa - 0.5f, ss - 0.5f, dd - 0.5f);
        prisma(1.0f, 1.0f, 1.0f);
    glPopMatrix();
    glPushMatrix();
        glTranslatef(aa - 0.5f, 0.0f, dd - 0.5f);
        prisma(1.0f, 0.0f, 1.0f);
    glPopMatrix();
}
