// View and projection. reshape rebuilds both matrices from the pose every time it
// runs; a window whose height is not the screen's is kept at 4:3.
#include "camera/view.h"

#include "app/scene_state.h"
#include "app/title_screen.h"

#include <GL/glut.h>

#include <cstdio>

void reshape(int w, int h)
{
    if (h != winY) {
        w = static_cast<int>(h * 4.0 / 3.0);
        tamX = w;
        tamY = h;
    }
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // A zero height (a minimised window) counts as 1, so the aspect stays finite.
    gluPerspective(CAMPO_VISION_GRADOS, static_cast<double>(w) / (h != 0 ? h : 1), PLANO_CERCANO, PLANO_LEJANO);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(qq, ww, ee, aa, ss, dd, zz, xx, cc);
    if (pantalla_completa == 0)
        glutReshapeWindow(w, h);
}

void reshape_fijo(int, int)
{
    glutReshapeWindow(winX, winY);
}

void ConocerResolucionMonitor(int w, int h)
{
    // The first reshape after the full-screen request may still carry the window's
    // initial size; the toolkit's screen query knows the real one.
    const int anchoPantalla = glutGet(GLUT_SCREEN_WIDTH);
    const int altoPantalla = glutGet(GLUT_SCREEN_HEIGHT);
    winX = anchoPantalla > 0 ? anchoPantalla : w;
    winY = altoPantalla > 0 ? altoPantalla : h;
    std::printf("La resolucion de pantalla es de %d x %d (tomo nota :p)\n", winX, winY);
    ini_2d();
    glutReshapeFunc(reshape_fijo);
}

void aplicarCamara()
{
    if (pantalla_completa)
        reshape(winX, winY);
    else
        reshape(tamX, tamY);
}

void refrescarVista()
{
    aplicarCamara();
    glutPostRedisplay();
}

void keyboard_especial(int key, int, int)
{
    if (key == GLUT_KEY_F1) {
        if (pantalla_completa == 1) {
            glutReshapeWindow(winX, winY);
            glutPostRedisplay();
            pantalla_completa = 0;
        } else {
            glutFullScreen();
            pantalla_completa = 1;
        }
    } else if (modo == 1) {
        switch (key) {
        case GLUT_KEY_F3:  angulo_brazo[0]--; break;
        case GLUT_KEY_F4:  angulo_brazo[0]++; break;
        case GLUT_KEY_F5:  angulo_brazo[1]--; break;
        case GLUT_KEY_F6:  angulo_brazo[1]++; break;
        case GLUT_KEY_F7:  angulo_brazo[2]--; break;
        case GLUT_KEY_F8:  angulo_brazo[2]++; break;
        case GLUT_KEY_F9:  angulo_brazo[3]--; break;
        case GLUT_KEY_F10: angulo_brazo[3]++; break;
        case GLUT_KEY_F11: angulo_brazo[4]--; break;
        case GLUT_KEY_F12: angulo_brazo[4]++; break;
        default: break;
        }
        aplicarCamara();
    }
    glutPostRedisplay();
}
