// Fuzz target: the film reader, through which PLAY's loader and the film check read
// films, and the check of what it read. Any bytes, read from memory as from a file.
#include "film/film_check.h"

#include <cstdint>
#include <cstdio>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    std::string texto(reinterpret_cast<const char*>(datos), largo);
    FILE* f = fmemopen(texto.data(), texto.size(), "r");
    if (f == nullptr)
        return 0;
    const RevisionPelicula r = revisarPelicula(leerPelicula(f, true));
    std::fclose(f);
    for (const Hallazgo& h : seleccionarHallazgos(r.hallazgos).mostrados)
        describirHallazgo(h, r.lectura);

    // Every record has its place, places only move forward, and a film read well
    // holds the records its count announced.
    const LecturaPelicula& l = r.lectura;
    if (l.poses.size() != l.inicioRegistro.size() || (l.bien() && l.poses.size() != static_cast<size_t>(l.cuenta)))
        __builtin_trap();
    PosicionTexto antes = l.posicionCuenta;
    for (const PosicionTexto& p : l.inicioRegistro) {
        if (p.linea < antes.linea || (p.linea == antes.linea && p.columna <= antes.columna))
            __builtin_trap();
        antes = p;
    }
    return 0;
}
