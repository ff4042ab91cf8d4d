// The things' tracks: the story stepped once, each thing's point noted where it
// changes.
#include "film/path_keys/tracks.h"

#include "film/player.h"

#include <algorithm>

namespace reductor {

void Recorridos::anotar(Actor a, size_t k, const PuntoMundo& p)
{
    std::vector<PuntoMundo>& v = puntos_[static_cast<size_t>(a)];
    if (v.empty()) {
        v.push_back(p);
        return;
    }
    const PuntoMundo antes = v.back();
    if (p.x == antes.x && p.y == antes.y && p.z == antes.z)
        return;
    v.resize(k, antes);
    v.push_back(p);
    cambios_[static_cast<size_t>(a)].push_back(k);
}

bool Recorridos::quieto(Actor a, size_t desde, size_t hasta) const
{
    const std::vector<size_t>& c = cambios_[static_cast<size_t>(a)];
    const auto despues = std::upper_bound(c.begin(), c.end(), desde);
    return despues == c.end() || *despues > hasta;
}

std::vector<Actor> Recorridos::mueven(size_t desde, size_t hasta) const
{
    std::vector<Actor> r;
    for (Actor a : ORDEN_ACTORES)
        if (static_cast<size_t>(a) < puntos_.size() && !quieto(a, desde, hasta))
            r.push_back(a);
    return r;
}

Recorridos recorrerHistoria(int primero, size_t n)
{
    const size_t actores = nombresDeActores().size();
    Recorridos r(actores);
    escenaSinVentana();
    for (size_t k = 0; k < n; k++) {
        avanzarHasta(primero + static_cast<int>(k));
        for (size_t a = 0; a < actores; a++)
            r.anotar(static_cast<Actor>(a), k, posicionActor(static_cast<Actor>(a)));
    }
    return r;
}

}  // namespace reductor
