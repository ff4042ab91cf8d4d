// The title screen: the date line and the PLAY, REC and SALIR buttons, drawn in
// the design space. Once the screen size is known the 2D view covers the whole
// window, so the buttons stand where the mouse mapping expects them on a screen
// of any shape.
#include "app/title_screen.h"

#include "app/scene_state.h"

#include <GL/glut.h>

#include <cstring>

const RectanguloBoton botones[NUM_BOTONES] = {
    //  x    y    w    h   label
    {362, 440, 300, 100, "PLAY"},
    {362, 320, 300, 100, "REC"},
    {362, 200, 300, 100, "SALIR"},
};

void ini_2d()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glViewport(0, 0, winX, winY);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, mundoX, 0.0, mundoY, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void fin_2d()
{
    ini_2d();
}

void EscribirTexto(const char* texto)
{
    for (const char* c = texto; *c != '\0'; c++)
        glutBitmapCharacter(GLUT_BITMAP_HELVETICA_18, *c);
}

void PintarBoton(int x, int y, int w, int h, const char* texto, float r, float g, float b)
{
    glColor3f(r, g, b);
    glBegin(GL_QUADS);
        glVertex3i(x, y, 0);
        glVertex3i(x + w, y, 0);
        glVertex3i(x + w, y + h, 0);
        glVertex3i(x, y + h, 0);
    glEnd();
    glColor3f(1.0f, 0.0f, 0.0f);
    glBegin(GL_LINE_LOOP);
        glVertex3i(x, y, 0);
        glVertex3i(x + w, y, 0);
        glVertex3i(x + w, y + h, 0);
        glVertex3i(x, y + h, 0);
    glEnd();
    const int largo = static_cast<int>(std::strlen(texto));
    glRasterPos2i(x + w / 2 - (largo / 2) * 10, y + h / 2 - 5);
    EscribirTexto(texto);
}

void display_ini()
{
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1.0f, 1.0f, 1.0f);
    glRasterPos2i(20, 20);
    EscribirTexto("2006. ISBERNA");
    for (const auto& b : botones)
        PintarBoton(b.x, b.y, b.w, b.h, b.texto, 0.0f, 0.0f, 0.0f);
    glutSwapBuffers();
}
