// A film loaded as PLAY loads it, and the frames a list of ranges chooses.
#include "tools/common/film_input.h"

#include "film/player.h"
#include "tools/common/outputs.h"

#include <cstring>
#include <utility>

int cargarPelicula(const std::string& ruta, std::string& error)
{
    FicheroPelicula f = leerFicheroPelicula(ruta);
    if (!f.abierto) {
        error = "cannot open the film " + ruta + ": " + std::strerror(f.errorApertura);
        return SALIDA_NO_ABRE;
    }
    const LecturaPelicula& l = f.lectura;
    if (!l.bien()) {
        const std::string donde =
            l.donde.linea > 0 ? ":" + std::to_string(l.donde.linea) + ":" + std::to_string(l.donde.columna) : "";
        error = ruta + donde + ": " + describirFallo(l) + " (PLAY cannot load it either)";
        return SALIDA_NO_CARGA;
    }
    instalarPelicula(std::move(f.lectura));
    return SALIDA_BIEN;
}

bool fotogramasElegidos(const std::vector<Tramo>& tramos, int cada, const std::string& pelicula, int poses,
                        std::vector<int>& fotogramas, std::string& error)
{
    const std::vector<Tramo> todos = tramos.empty() ? std::vector<Tramo>{{0, poses - 1}} : tramos;
    for (const Tramo& t : todos)
        if (t.hasta >= poses) {
            error = "--frames " + textoDeTramos(tramos) + " is outside the film: " + pelicula + " has " +
                    plural(poses, "pose", "poses") + ", frames 0 to " + std::to_string(poses - 1);
            return false;
        }
    std::vector<bool> elegido(static_cast<size_t>(poses), false);
    for (const Tramo& t : todos)
        for (long long f = t.desde; f <= t.hasta; f += cada)
            elegido[static_cast<size_t>(f)] = true;
    fotogramas.clear();
    for (int f = 0; f < poses; f++)
        if (elegido[static_cast<size_t>(f)])
            fotogramas.push_back(f);
    return true;
}
