// Choosing the mode. The hit rectangles are the inside of the drawn buttons, one
// design unit in from every edge, with y counted down from the top as the mouse
// reports it.
#include "app/mode_buttons.h"

#include "app/scene_state.h"
#include "camera/camera_files.h"
#include "camera/recording_keys.h"
#include "camera/view.h"
#include "scene/composition.h"
#include "scene/timeline.h"

#include <GL/glut.h>

#include <cstdlib>
#include <cstring>

// The command line names the camera file for one mode when it is "FILE play" or "FILE rec".
static const char* ficheroDeLineaDeOrdenes(const char* palabra)
{
    if (argc_global == 3 && std::strcmp(argv_global[2], palabra) == 0)
        return argv_global[1];
    return nullptr;
}

Boton botonEnPixel(int x, int y)
{
    const int xd = static_cast<int>(static_cast<double>(x) * mundoX / winX);
    const int yd = static_cast<int>(static_cast<double>(y) * mundoY / winY);
    if (xd <= 362 || xd > 661)
        return Boton::Ninguno;
    if (yd > 228 && yd <= 327)
        return Boton::Play;
    if (yd > 348 && yd <= 447)
        return Boton::Rec;
    if (yd > 468 && yd <= 567)
        return Boton::Salir;
    return Boton::Ninguno;
}

void elegirPlay()
{
    const char* nombre = ficheroDeLineaDeOrdenes("play");
    fich = std::fopen(nombre != nullptr ? nombre : "camarabuena.txt", "r");
    if (fich == nullptr) {
        std::printf("Error al abrir fichero de camara.\n");
        std::exit(-1);
    }
    if (cargarCamaraEnMemoria(fich) != 0) {
        std::printf("Error al cargar en memoria los movimientos de la camara.\n");
        std::exit(-2);
    }
    std::fclose(fich);
    fich = nullptr;
    modo = 2;
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutMouseFunc(nullptr);
    glutKeyboardFunc(keyboard_play);
    pausa = 0;
    glutIdleFunc(refresco);
    std::printf("se ha pulsado boton play.\n");
}

void elegirRec()
{
    std::printf("se ha pulsado boton grabar.\n");
    const char* nombre = ficheroDeLineaDeOrdenes("rec");
    const std::string generado = nombre != nullptr ? std::string() : GenerarNombreFichero();
    fich = std::fopen(nombre != nullptr ? nombre : generado.c_str(), "w");
    if (fich == nullptr) {
        std::printf("Error al crear fichero de camara.\n");
        std::exit(-3);
    }
    glutDisplayFunc(display);
    glutReshapeFunc(reshape);
    glutKeyboardFunc(keyboard_rec);
    glutIdleFunc(nullptr);
    glutMouseFunc(nullptr);
    modo = 1;
    grua_visible = 1;
    estado_coche = 0;
    reshape(winX, winY);
    glutPostRedisplay();
}

void elegirSalir()
{
    std::printf("se ha pulsado boton salir.\n");
    std::exit(0);
}

void raton(int button, int state, int x, int y)
{
    if (button != GLUT_LEFT_BUTTON || state != GLUT_DOWN)
        return;
    switch (botonEnPixel(x, y)) {
    case Boton::Play:  elegirPlay();  break;
    case Boton::Rec:   elegirRec();   break;
    case Boton::Salir: elegirSalir(); break;
    case Boton::Ninguno: break;
    }
}
