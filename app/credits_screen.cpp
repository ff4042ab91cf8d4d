// The credits screen. The toaster's viewport starts 400 design units in and keeps
// the full screen width, so it runs past the right edge of the window.
#include "app/credits_screen.h"

#include "app/scene_state.h"
#include "app/title_screen.h"
#include "scene/toaster.h"

#include <GL/glut.h>

void marco_tostadora()
{
    const int izquierda = winX * 400 / mundoX;
    glViewport(izquierda, 0, winX, winY);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const int resto = winX - izquierda;
    gluPerspective(45.0, static_cast<double>(winY) / (resto != 0 ? resto : 1), 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(1.0, 2.0, 1.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
}

void dibujarCreditos()
{
    glClear(GL_COLOR_BUFFER_BIT);
    marco_tostadora();
    glPushMatrix();
        glScalef(2.0f, 2.0f, 2.0f);
        glRotatef(static_cast<float>(angulo_tostadora), 0.0f, 1.0f, 0.0f);
        glTranslatef(-0.1f, 0.0f, -0.05f);
        tostadora();
    glPopMatrix();
    fin_2d();
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2i(20, 500);
    EscribirTexto("2006. ISBERNA            (ESC para salir)");
    glRasterPos2i(20, 720);
    EscribirTexto("Hecho por:");
    glRasterPos2i(40, 680);
    EscribirTexto("Brunovel");
    glRasterPos2i(40, 560);
    EscribirTexto("brunovel.tessamir.example");
}

void display_fin()
{
    dibujarCreditos();
    glutSwapBuffers();
}
