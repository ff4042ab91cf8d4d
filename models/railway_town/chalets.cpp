// The chalets, in chalet space: x and z horizontal, y up, the ground at y = 0; a
// plot is the square from (0, 0) to (40, 40) with its gates on the z = 40 side.
// House and garage are drawn with thick lines, walls and hedges too; the gates
// with thin ones. Reads no scene state.
#include "models/railway_town/chalets.h"

#include "primitives/primitives.h"

#include <GL/glut.h>

void lateralParcela(int n)
{
    glPushMatrix();
        glTranslatef(static_cast<float>(-(n / 2)), 0.0f, -n / 2.0f);
        glColor3f(1.0f, 1.0f, 1.0f);
        prisma(n - 1.0f, 1.5f, 1.0f);              // masonry
        glPushMatrix();
            glColor3f(0.2f, 0.7f, 0.0f);
            glTranslatef(0.0f, 1.5f, 0.0f);
            prisma(n - 1.0f, 2.0f, 1.0f);          // hedge
        glPopMatrix();
    glPopMatrix();
}

void pilar()
{
    glColor3f(1.0f, 1.0f, 1.0f);
    prisma(1.0f, 3.7f, 1.0f);                      // shaft
    glPushMatrix();
        glTranslatef(-0.05f, 3.7f, -0.05f);
        prisma(1.1f, 0.1f, 1.1f);                  // cap
    glPopMatrix();
    glPushMatrix();
        glTranslatef(0.5f, 4.2f, 0.5f);
        glutWireSphere(0.4, 10, 10);               // ball on top
    glPopMatrix();
}

void puertaEntrada(int w)
{
    pilar();
    glPushMatrix();
        glTranslatef(w + 1.0f, 0.0f, 0.0f);
        pilar();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(1.0f, 0.1f, 0.5f);            // the gate's plane, midway through the pillars
        // Running sums in single precision: whether the last vertical bar lands
        // on w depends on how the steps of 0.2 round.
        glBegin(GL_LINES);
            for (float h = 0.0f; h <= 3.0f; h += 0.4f) {
                glVertex3f(0.0f, h + 0.1f, 0.0f);
                glVertex3f(static_cast<float>(w), h + 0.1f, 0.0f);
            }
        glEnd();
        glBegin(GL_LINES);
            for (float v = 0.0f; v <= static_cast<float>(w); v += 0.2f) {
                glVertex3f(v, 0.0f, 0.0f);
                glVertex3f(v, 3.0f, 0.0f);
            }
        glEnd();
    glPopMatrix();
}

void parcelaChalet()
{
    glPushMatrix();
        glTranslatef(13.0f, 0.0f, 6.0f);           // the plot's centre
        lateralParcela(40);                        // back wall
        glPushMatrix();
            glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
            lateralParcela(40);                    // -x side wall
        glPopMatrix();
        glPushMatrix();
            glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
            lateralParcela(40);                    // +x side wall
        glPopMatrix();
        glPushMatrix();
            glTranslatef(-12.0f, 0.0f, 26.5f);
            lateralParcela(15);                    // front, beside the -x wall
        glPopMatrix();
        glPushMatrix();
            glTranslatef(4.0f, 0.0f, 24.0f);
            lateralParcela(10);                    // front, between the gates
        glPopMatrix();
        glPushMatrix();
            glTranslatef(18.0f, 0.0f, 22.0f);
            lateralParcela(6);                     // front, beside the +x wall
        glPopMatrix();
    glPopMatrix();
    glLineWidth(1.0f);
    glPushMatrix();
        glTranslatef(8.0f, 0.0f, 25.0f);
        puertaEntrada(2);                          // pedestrian gate, before the front door
    glPopMatrix();
    glPushMatrix();
        glTranslatef(21.0f, 0.0f, 25.0f);
        puertaEntrada(5);                          // vehicle gate, before the garage door
    glPopMatrix();
}

void chalet()
{
    glLineWidth(1.5f);
    glColor3f(0.8f, 0.3f, 0.3f);
    glPushMatrix();
        glTranslatef(7.0f, 0.0f, 14.0f);           // the house's corner
        prisma(20.0f, 8.0f, 16.0f);                // house
        glBegin(GL_LINE_LOOP);                     // front door
            glVertex3f(9.0f, 0.0f, 16.0f);
            glVertex3f(10.5f, 0.0f, 16.0f);
            glVertex3f(10.5f, 3.0f, 16.0f);
            glVertex3f(9.0f, 3.0f, 16.0f);
        glEnd();
        glPushMatrix();
            glTranslatef(0.0f, 8.0f, 0.0f);        // gabled roof, ridge along z
            glBegin(GL_LINE_STRIP);                // back gable
                glVertex3f(0.0f, 0.0f, 0.0f);
                glVertex3f(10.0f, 4.0f, 0.0f);
                glVertex3f(20.0f, 0.0f, 0.0f);
            glEnd();
            glBegin(GL_LINE_STRIP);                // front gable
                glVertex3f(0.0f, 0.0f, 16.0f);
                glVertex3f(10.0f, 4.0f, 16.0f);
                glVertex3f(20.0f, 0.0f, 16.0f);
            glEnd();
            glBegin(GL_LINE_STRIP);                // ridge
                glVertex3f(10.0f, 4.0f, 0.0f);
                glVertex3f(10.0f, 4.0f, 16.0f);
            glEnd();
        glPopMatrix();
        glPushMatrix();
            glTranslatef(20.0f, 0.0f, 0.0f);       // garage, against the house's +x side
            prisma(8.0f, 4.0f, 16.0f);
            glBegin(GL_LINE_LOOP);                 // garage door
                glVertex3f(1.0f, 0.0f, 16.0f);
                glVertex3f(7.0f, 0.0f, 16.0f);
                glVertex3f(7.0f, 3.0f, 16.0f);
                glVertex3f(1.0f, 3.0f, 16.0f);
            glEnd();
            glPushMatrix();
                glTranslatef(0.0f, 4.0f, 0.0f);    // single-slope roof, high against the house
                glBegin(GL_LINES);
                    glVertex3f(0.0f, 1.5f, 0.0f);
                    glVertex3f(8.0f, 0.0f, 0.0f);
                    glVertex3f(0.0f, 1.5f, 16.0f);
                    glVertex3f(8.0f, 0.0f, 16.0f);
                    glVertex3f(0.0f, 1.5f, 0.0f);
                    glVertex3f(0.0f, 1.5f, 16.0f);
                glEnd();
            glPopMatrix();
        glPopMatrix();
        parcelaChalet();
    glPopMatrix();
}

void urbanizacionChalets(int nx, int nz)
{
    for (int i = 0; i < nx; i++) {
        for (int j = 0; j < nz; j++) {
            glPushMatrix();
                glTranslatef(50.0f * i + 20.0f, 0.0f, 50.0f * j + 20.0f);
                glRotatef(90.0f, 0.0f, 1.0f, 0.0f);    // a quarter turn about the plot's centre
                glTranslatef(-20.0f, 0.0f, -20.0f);
                chalet();
            glPopMatrix();
        }
    }
}
