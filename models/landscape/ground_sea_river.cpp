// The terrain, drawn at the world origin: the ground at y = 0 from x = -60 to 54,
// cut along x by the river (z from 190 to 230, surface at y = -8); beyond x = 54
// the slope falls to the coastal strips at y = -7 and the sea at y = -8. The
// grids leave their far edges open. Static: reads no scene state.
#include "models/landscape/ground_sea_river.h"

#include "models/landscape/bridge.h"
#include "primitives/primitives.h"

#include <GL/gl.h>

// The sea: ten bands 100 wide, green and blue falling from 0.8 by 0.05 a band.
constexpr int BANDAS_MAR = 10;

void rio()
{
    glBegin(GL_LINES);
        for (float z = 0.0f; z < 40.0f; z += 0.5f) {
            glColor3f(0.0f, 0.2f, 1.0f);
            glVertex3f(0.0f, 0.0f, z);
            glColor3f(0.1f, 0.8f, 0.8f);
            glVertex3f(580.0f, 0.0f, z);
        }
    glEnd();
}

void desnivelHaciaElMar(int p)
{
    const float fondo = static_cast<float>(p);

    glColor3f(0.1f, 0.6f, 0.0f);
    glPushMatrix();
        glTranslatef(54.0f, 0.0f, -10.0f);
        glRotatef(-2.29f, 0.0f, 0.0f, 1.0f);
        mallah(175.0f, 0.0f, fondo);               // the slope, 7 down over its length
    glPopMatrix();

    glColor3f(0.4f, 0.4f, 0.4f);
    glPushMatrix();
        glTranslatef(228.9f, -7.0f, -10.0f);
        mallah(220.0f, 0.0f, fondo);               // grey coastal strip
        glColor3f(0.8f, 0.3f, 0.3f);
        glPushMatrix();
            glTranslatef(220.0f, 0.0f, 0.0f);
            mallah(20.0f, 0.0f, fondo);            // red strip
            glColor3f(0.8f, 0.8f, 0.8f);
            glPushMatrix();
                glTranslatef(20.0f, 0.0f, 0.0f);
                prisma(1.0f, 0.8f, fondo);         // kerb
                glColor3f(0.8f, 0.8f, 0.3f);
                glPushMatrix();
                    glTranslatef(1.0f, 0.0f, 0.0f);
                    glRotatef(-0.95f, 0.0f, 0.0f, 1.0f);
                    mallah(60.0f, 0.0f, fondo);    // beach, falling 1 to the sea
                glPopMatrix();
                for (int i = 0; i < BANDAS_MAR; i++) {
                    const float verdeAzul = static_cast<float>(0.8 - 0.05 * i);
                    glColor3f(0.1f, verdeAzul, verdeAzul);
                    glPushMatrix();
                        glTranslatef(100.0f * i + 50.0f, -1.0f, 0.0f);
                        mallah(100.0f, 0.0f, fondo + 40.0f);  // also covers the river's mouth
                    glPopMatrix();
                }
            glPopMatrix();
        glPopMatrix();
    glPopMatrix();
}

namespace {

// The ground's corner, from the world frame.
void colocarTierra(Colocacion& c)
{
    c.trasladar(-60.0f, 0.0f, -10.0f);
}

// The river's near bank at its surface, from the ground's corner.
void colocarRio(Colocacion& c)
{
    c.trasladar(0.0f, -8.0f, 200.0f);
}

}  // namespace

void colocarPuente(Colocacion& c)
{
    colocarTierra(c);
    colocarRio(c);
    c.trasladar(56.0f, 0.0f, 0.0f);
}

void suelo()
{
    desnivelHaciaElMar(200);

    glColor3f(0.4f, 0.4f, 0.4f);
    glPushMatrix();
        colocarTierra(enGL);
        mallah(114.0f, 0.0f, 200.0f);              // ground before the river
        glPushMatrix();
            colocarRio(enGL);
            malla(114.0f, 8.0f, 0.0f);             // near bank
            rio();
        glPopMatrix();
    glPopMatrix();
    glPushMatrix();
        colocarPuente(enGL);
        puente();
    glPopMatrix();
    glPushMatrix();
        colocarTierra(enGL);
        glColor3f(0.4f, 0.4f, 0.4f);               // the bridge leaves grey 0.7
        glPushMatrix();
            glTranslatef(0.0f, -8.0f, 240.0f);
            malla(114.0f, 8.0f, 0.0f);             // far bank
        glPopMatrix();
        glPushMatrix();
            glTranslatef(0.0f, 0.0f, 240.0f);
            malla(114.0f, 0.0f, 300.0f);           // ground beyond the river
        glPopMatrix();
    glPopMatrix();

    glPushMatrix();
        glTranslatef(0.0f, 0.0f, 240.0f);
        desnivelHaciaElMar(300);
    glPopMatrix();
}
