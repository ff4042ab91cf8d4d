// Start-up. The command line is copied before the toolkit sees it, since GLUT
// removes its own options from the argument vector in place.
#include "app/startup.h"

#include "app/mode_buttons.h"
#include "app/scene_state.h"
#include "app/title_screen.h"
#include "camera/view.h"

#include <GL/glut.h>

#include <string>
#include <vector>

const char* const TITULO_VENTANA = "TRaBAJO KRA. Brunovel y Tessamir";

namespace {
std::vector<std::string> argumentos;
std::vector<char*> punteros;
}  // namespace

void iniciarPrograma(int argc, char** argv)
{
    inicializarVariablesGlobales();

    argumentos.assign(argv, argv + argc);
    punteros.clear();
    for (auto& a : argumentos)
        punteros.push_back(a.data());
    punteros.push_back(nullptr);
    argc_global = argc;
    argv_global = punteros.data();

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
    glutInitWindowSize(winX, winY);
    glutInitWindowPosition(0, 0);
    glutCreateWindow(TITULO_VENTANA);
    ini_2d();
    glutReshapeFunc(ConocerResolucionMonitor);
    glutDisplayFunc(display_ini);
    glutSpecialFunc(keyboard_especial);
    glutMouseFunc(raton);
    glutFullScreen();
    pantalla_completa = 1;
}
