// Compiling a shot list: the reader, the camera path, the writer and the check, in
// the order `film compile` runs them.
#include "film/shot_compiler.h"

#include "film/camera_path.h"
#include "film/film_writer.h"

PeliculaCompilada compilarTomas(const std::string& texto, int fotogramas, bool conTexto)
{
    PeliculaCompilada c;
    c.lista = leerListaDeTomas(texto, fotogramas);
    if (!c.lista.bien())
        return c;
    c.poses = compilarCamino(c.lista.claves, fotogramas);
    if (conTexto)
        escribirTexto(c);
    else
        c.revision = revisarPelicula(lecturaDeTexto(c.poses));
    return c;
}

void escribirTexto(PeliculaCompilada& c)
{
    if (!c.lista.bien() || !c.texto.empty())
        return;
    c.texto = textoDePelicula(c.poses);
    c.revision = revisarTexto(c.texto);
}

Diagnostico diagnosticoDeTomas(const Hallazgo& h, const RevisionPelicula& r, const std::vector<ClaveToma>& claves)
{
    if (h.registro < 0)
        return {{}, "the film made: " + describirHallazgo(h, r.lectura)};
    const Tramo t = tramoDeFotograma(claves, h.registro);
    const std::string como = t.desde == t.hasta
                                 ? "held at this key"
                                 : "between this key and the key at line " + std::to_string(claves[t.hasta].linea) +
                                       " (" + nombreDeMovimiento(claves[t.desde].movimiento) + ")";
    const auto& pose = r.lectura.poses[static_cast<size_t>(h.registro)];
    return {{claves[t.desde].linea, 0},
            "frame " + std::to_string(h.registro) + ", " + como + ": " + describirProblema(h.tipo, pose)};
}
