// The road, drawn in the world frame: +x along the road, z across it, the surface
// 0.6 above the ground. The gaps of 0.6 either side of the middle piece are where
// the rails cross. The looping's centre lies at x = 53.06, y = 10.259, z = 401.
// Static: reads no scene state.
#include "models/landscape/road_looping.h"

#include "primitives/primitives.h"

#include <GL/gl.h>

// Ten strands one unit apart across the road; a strand turns once in 24 chords
// and its 25th repeats the first one turn further along.
constexpr int HEBRAS_LOOPING = 10;
constexpr int CUERDAS_HEBRA = 25;

void looping()
{
    for (int i = 0; i < HEBRAS_LOOPING; i++) {
        for (int j = 0; j < CUERDAS_HEBRA; j++) {
            glPushMatrix();
                glRotatef(15.0f * j, 0.0f, 0.0f, 1.0f);
                glBegin(GL_LINE_STRIP);
                    glColor3f(0.0f, 1.0f, 0.0f);
                    glVertex3f(-1.26f, -9.659f, i + 0.5f * j);
                    glColor3f(1.0f, 1.0f, 1.0f);
                    glVertex3f(1.26f, -9.659f, i + 0.5f * (j + 1));
                glEnd();
            glPopMatrix();
        }
    }
}

void carretera()
{
    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
        glTranslatef(-51.8f, 0.0f, 401.0f);
        prisma(50.0f, 0.6f, 9.0f);                 // first stretch
        glPushMatrix();
            glTranslatef(0.0f, 0.6f, 0.0f);
            malla(50.0f, 0.0f, 9.0f);
        glPopMatrix();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(-1.2f, 0.0f, 401.0f);
        prisma(2.4f, 0.6f, 9.0f);                  // middle piece, between the rails
        glPushMatrix();
            glTranslatef(0.0f, 0.6f, 0.0f);
            malla(2.0f, 0.0f, 9.0f);
        glPopMatrix();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(1.8f, 0.0f, 401.0f);
        prisma(50.0f, 0.6f, 9.0f);                 // second stretch
        glPushMatrix();
            glTranslatef(0.0f, 0.6f, 0.0f);
            malla(50.0f, 0.0f, 9.0f);
            glPushMatrix();
                glTranslatef(51.26f, 9.659f, 0.0f);
                looping();                         // bottom chords on the road's top face
            glPopMatrix();
        glPopMatrix();
        glPushMatrix();
            glTranslatef(52.52f, 0.0f, 12.5f);
            prisma(50.0f, 0.6f, 9.0f);             // last stretch, out of the looping
            glPushMatrix();
                glTranslatef(0.0f, 0.6f, 0.0f);
                malla(50.0f, 0.0f, 9.0f);
            glPopMatrix();
            // The embankment wedge under it, 2 deep at the far end.
            glBegin(GL_LINE_LOOP);
                glVertex3f(0.0f, 0.0f, 0.0f);
                glVertex3f(50.0f, 0.0f, 0.0f);
                glVertex3f(50.0f, -2.0f, 0.0f);
            glEnd();
            glBegin(GL_LINE_LOOP);
                glVertex3f(0.0f, 0.0f, 9.0f);
                glVertex3f(50.0f, 0.0f, 9.0f);
                glVertex3f(50.0f, -2.0f, 9.0f);
            glEnd();
            glBegin(GL_LINES);
                glVertex3f(50.0f, -2.0f, 0.0f);
                glVertex3f(50.0f, -2.0f, 9.0f);
            glEnd();
        glPopMatrix();
    glPopMatrix();
}
