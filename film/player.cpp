// The story played without a window: the film reader, the timeline's step, the
// view and the composition, in PLAY's order.
#include "film/player.h"

#include "app/scene_state.h"
#include "camera/view.h"
#include "scene/composition.h"
#include "scene/timeline.h"

#include <cerrno>
#include <cstdio>
#include <utility>

FicheroPelicula leerFicheroPelicula(const std::string& ruta)
{
    FicheroPelicula f;
    FILE* fichero = std::fopen(ruta.c_str(), "r");
    if (fichero == nullptr) {
        f.errorApertura = errno;
        return f;
    }
    f.abierto = true;
    f.lectura = leerPelicula(fichero);
    std::fclose(fichero);
    return f;
}

void instalarPelicula(LecturaPelicula&& lectura)
{
    nfotogramas = lectura.cuenta;
    vfotogramas = std::move(lectura.poses);
}

void escenaSinVentana()
{
    inicializarVariablesGlobales();
    modo = 2;
    nfotogramas = 0;
    vfotogramas.clear();
}

void tamanoSinVentana(int ancho, int alto)
{
    // PLAY on a screen of the picture's size: full screen, so reshape keeps the size.
    winX = ancho;
    winY = alto;
    pantalla_completa = 1;
}

void avanzarHasta(int n)
{
    while (fotograma <= n)
        pasoDelGuion();
}

void recorrerPelicula(const std::vector<std::array<float, 9>>& poses, int hasta, const std::function<void()>& oir)
{
    escenaSinVentana();
    nfotogramas = static_cast<int>(poses.size());
    vfotogramas = poses;
    oir();
    while (fotograma <= hasta) {
        pasoDelGuion();
        oir();
    }
}

void dibujarFotograma()
{
    aplicarCamara();
    dibujarMundo();
}
