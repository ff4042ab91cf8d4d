// Fuzz target: the recording reader of film playable, and the film made from what
// it read, checked as film check does.
#include "film/film_check.h"
#include "film/film_writer.h"
#include "film/recording_reader.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const LecturaGrabacion g = leerGrabacion(std::string(reinterpret_cast<const char*>(datos), largo));
    for (const ErrorTexto& e : g.errores.primeros())
        if (e.donde.linea < 1 || e.donde.columna < 1)
            __builtin_trap();
    if (!g.bien())
        return 0;
    // The film made from a recording always reads back whole, one record per pose.
    const RevisionPelicula r = revisarTexto(textoDePelicula(g.poses));
    if (!r.legible() || r.lectura.poses.size() != g.poses.size() || g.inicioPose.size() != g.poses.size())
        __builtin_trap();
    for (const Hallazgo& h : r.hallazgos)
        describirHallazgo(h, r.lectura);
    return 0;
}
