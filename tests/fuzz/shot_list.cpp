// Fuzz target: the shot-list reader of film compile (and where it finds each key's
// fields), the camera path compiled from what it read over a short stretch of the
// story, and the check of that film.
#include "film/camera_path.h"
#include "film/film_check.h"
#include "film/film_writer.h"
#include "film/shot_list.h"

#include <cstdint>
#include <string>
#include <vector>

namespace {

constexpr int FOTOGRAMAS = 64;  // the film's length: each input steps the story this far

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const std::string texto(reinterpret_cast<const char*>(datos), largo);
    const ListaDeTomas l = leerListaDeTomas(texto, FOTOGRAMAS);
    for (const ErrorTexto& e : l.errores.primeros())
        if (e.donde.linea < 1 || e.donde.columna < 1)
            __builtin_trap();
    if (!l.bien())
        return 0;
    int antes = -1;
    std::vector<std::string> lineas;
    recorrerLineas(texto, [&](int, const std::string& linea) { lineas.push_back(linea); });
    for (const ClaveToma& c : l.claves) {
        if (c.fotograma <= antes || c.fotograma >= FOTOGRAMAS)
            __builtin_trap();
        antes = c.fotograma;
        // The fields lie on the key's line, in order, the frame's all digits.
        const std::string& linea = lineas.at(static_cast<size_t>(c.linea - 1));
        int fin = 1;
        for (const CampoTexto& campo : {c.campoFotograma, c.campoOjo, c.campoCentro, c.campoArriba, c.campoMovimiento}) {
            if (campo.desde < fin || campo.hasta < campo.desde || campo.hasta > static_cast<int>(linea.size()) + 1)
                __builtin_trap();
            fin = campo.hasta;
        }
        for (int k = c.campoFotograma.desde; k < c.campoFotograma.hasta; k++)
            if (linea[static_cast<size_t>(k - 1)] < '0' || linea[static_cast<size_t>(k - 1)] > '9')
                __builtin_trap();
    }

    const std::vector<std::array<float, 9>> poses = compilarCamino(l.claves, FOTOGRAMAS);
    if (poses.size() != static_cast<size_t>(FOTOGRAMAS))
        __builtin_trap();
    // A key of fixed points is reproduced exactly at its frame.
    for (const ClaveToma& c : l.claves) {
        const auto& p = poses[static_cast<size_t>(c.fotograma)];
        if (!c.ojo.conActor && !c.centro.conActor &&
            (p[0] != c.ojo.xyz[0] || p[1] != c.ojo.xyz[1] || p[2] != c.ojo.xyz[2] || p[3] != c.centro.xyz[0] ||
             p[4] != c.centro.xyz[1] || p[5] != c.centro.xyz[2] || p[6] != c.arriba[0] || p[7] != c.arriba[1] ||
             p[8] != c.arriba[2]))
            __builtin_trap();
    }
    const RevisionPelicula r = revisarTexto(textoDePelicula(poses));
    if (!r.legible())
        __builtin_trap();
    for (const Hallazgo& h : r.hallazgos)
        if (h.registro >= 0)
            tramoDeFotograma(l.claves, h.registro);
    return 0;
}
