// film keys: a film's frames (all, or one range) as the few keys of a shot list
// that compile back to them, with an opening comment that says how closely.
#include "tools/film/film.h"

#include "film/path_keys.h"
#include "film/shot_writer.h"
#include "tools/common/outputs.h"

#include <cstdio>

namespace film_tool {

namespace {

std::string numero(double v)
{
    char texto[32];
    std::snprintf(texto, sizeof texto, "%.3g", v);
    return texto;
}

// The shot list's opening comment: what it was made from, and how closely it gives it.
std::string comentarioDeClaves(const Orden& o, long long desde, long long hasta, int registros,
                               const OpcionesClaves& opciones, const ClavesDeCamino& c)
{
    std::string comentario = "Keys of " + o.nombre() + ": frames " + std::to_string(desde) + " to " +
                             std::to_string(hasta) + " of its " + plural(registros, "record", "records") +
                             ", made by film keys.\n"
                             "Compiled, they give those frames within " + numero(opciones.tolerancia) +
                             " of the eye and the centre\nand within " + numero(opciones.toleranciaArribaGrados) +
                             " degrees of the up vector; the largest deviation is " + numero(c.desviacion) +
                             " at frame " + std::to_string(c.fotogramaDesviacion) + ".\n";
    if (hasta >= FOTOGRAMAS_GUION)
        comentario += "Compile with --length " + std::to_string(hasta + 1) + " (or more): the film is longer than " +
                      "the story.\n";
    return comentario + "FRAME EYE CENTRE UP MOTION\n";
}

}  // namespace

int claves(const Orden& o)
{
    RevisionPelicula r;
    if (!leerPeliculaSana(o, r))
        return SALIDA_FALLO;
    std::vector<std::array<float, 9>>& todas = r.lectura.poses;
    const int registros = static_cast<int>(todas.size());
    if (registros == 0) {
        std::fprintf(stderr, "film keys: %s has no records: there is no camera path to make keys of\n",
                     o.nombre().c_str());
        return SALIDA_FALLO;
    }
    const Tramo t = o.tramos.empty() ? Tramo{0, registros - 1} : o.tramos.front();
    if (t.hasta >= registros) {
        std::fprintf(stderr, "film keys: frames %lld to %lld are not all in %s: its records are frames 0 to %d\n",
                     t.desde, t.hasta, o.nombre().c_str(), registros - 1);
        return SALIDA_FALLO;
    }
    const int desde = static_cast<int>(t.desde), hasta = static_cast<int>(t.hasta);
    std::vector<std::array<float, 9>> poses;
    if (desde == 0 && hasta == registros - 1)
        poses = std::move(todas);
    else
        poses.assign(todas.begin() + desde, todas.begin() + hasta + 1);

    OpcionesClaves opciones;
    opciones.tolerancia = o.tolerancia;
    const ClavesDeCamino c = clavesDeCamino(poses, desde, opciones);
    if (!escribirPelicula(o.salida, textoDeTomas(c.claves, comentarioDeClaves(o, desde, hasta, registros, opciones, c))))
        return SALIDA_FALLO;
    std::fprintf(stderr,
                 "film: wrote %s: %s from frames %d to %d of %s; the largest deviation %s at frame %d, "
                 "of the up vector %s degrees at frame %d (tolerance %s, %s degrees)\n",
                 o.salida.empty() ? "the shot list to standard output" : o.salida.c_str(),
                 plural(static_cast<long long>(c.claves.size()), "key", "keys").c_str(), desde, hasta,
                 o.nombre().c_str(), numero(c.desviacion).c_str(), c.fotogramaDesviacion,
                 numero(c.desviacionArribaGrados).c_str(), c.fotogramaDesviacionArriba,
                 numero(opciones.tolerancia).c_str(), numero(opciones.toleranciaArribaGrados).c_str());
    return SALIDA_BIEN;
}

}  // namespace film_tool
