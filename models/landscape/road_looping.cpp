// The road, drawn in the world frame: +x along the road, z across it, the surface
// 0.6 above the ground. The gaps of 0.6 either side of the middle piece are where
// the rails cross. The looping's centre lies at x = 53.06, y = 10.259, z = 401.
// Static: reads no scene state.
#include "models/landscape/road_looping.h"

#include "primitives/primitives.h"

#include <GL/gl.h>

namespace {

// The road's second stretch, beyond the rails, from the world frame.
void colocarSegundoTramo(Colocacion& c)
{
    c.trasladar(1.8f, 0.0f, Z_CARRETERA);
}

}  // namespace

void colocarLooping(Colocacion& c)
{
    colocarSegundoTramo(c);
    c.trasladar(0.0f, ALTO_CARRETERA, 0.0f);
    c.trasladar(51.26f, 9.659f, 0.0f);
}

void looping()
{
    for (int i = 0; i < HEBRAS_LOOPING; i++) {
        for (int j = 0; j < CUERDAS_HEBRA; j++) {
            glPushMatrix();
                glRotatef(15.0f * j, 0.0f, 0.0f, 1.0f);
                glBegin(GL_LINE_STRIP);
                    glColor3f(0.0f, 1.0f, 0.0f);
                    glVertex3f(-1.26f, -9.659f, i + AVANCE_CUERDA * j);
                    glColor3f(1.0f, 1.0f, 1.0f);
                    glVertex3f(1.26f, -9.659f, i + AVANCE_CUERDA * (j + 1));
                glEnd();
            glPopMatrix();
        }
    }
}

void carretera()
{
    glColor3f(1.0f, 1.0f, 1.0f);
    glPushMatrix();
        glTranslatef(-51.8f, 0.0f, Z_CARRETERA);
        prisma(50.0f, ALTO_CARRETERA, ANCHO_CARRETERA);    // first stretch
        glPushMatrix();
            glTranslatef(0.0f, ALTO_CARRETERA, 0.0f);
            malla(50.0f, 0.0f, ANCHO_CARRETERA);
        glPopMatrix();
    glPopMatrix();
    glPushMatrix();
        glTranslatef(-1.2f, 0.0f, Z_CARRETERA);
        prisma(2.4f, ALTO_CARRETERA, ANCHO_CARRETERA);     // middle piece, between the rails
        glPushMatrix();
            glTranslatef(0.0f, ALTO_CARRETERA, 0.0f);
            malla(2.0f, 0.0f, ANCHO_CARRETERA);
        glPopMatrix();
    glPopMatrix();
    glPushMatrix();
        colocarSegundoTramo(enGL);
        prisma(50.0f, ALTO_CARRETERA, ANCHO_CARRETERA);    // second stretch
        glPushMatrix();
            glTranslatef(0.0f, ALTO_CARRETERA, 0.0f);
            malla(50.0f, 0.0f, ANCHO_CARRETERA);
        glPopMatrix();
    glPopMatrix();
    glPushMatrix();
        colocarLooping(enGL);
        looping();                                 // bottom chords on the road's top face
    glPopMatrix();
    glPushMatrix();
        colocarSegundoTramo(enGL);
        glTranslatef(52.52f, 0.0f, 12.5f);
        prisma(50.0f, ALTO_CARRETERA, ANCHO_CARRETERA);    // last stretch, out of the looping
        glPushMatrix();
            glTranslatef(0.0f, ALTO_CARRETERA, 0.0f);
            malla(50.0f, 0.0f, ANCHO_CARRETERA);
        glPopMatrix();
        // The embankment wedge under it, 2 deep at the far end.
        glBegin(GL_LINE_LOOP);
            glVertex3f(0.0f, 0.0f, 0.0f);
            glVertex3f(50.0f, 0.0f, 0.0f);
            glVertex3f(50.0f, -2.0f, 0.0f);
        glEnd();
        glBegin(GL_LINE_LOOP);
            glVertex3f(0.0f, 0.0f, ANCHO_CARRETERA);
            glVertex3f(50.0f, 0.0f, ANCHO_CARRETERA);
            glVertex3f(50.0f, -2.0f, ANCHO_CARRETERA);
        glEnd();
        glBegin(GL_LINES);
            glVertex3f(50.0f, -2.0f, 0.0f);
            glVertex3f(50.0f, -2.0f, ANCHO_CARRETERA);
        glEnd();
    glPopMatrix();
}
