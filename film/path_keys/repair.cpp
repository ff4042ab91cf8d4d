// Measuring the keys and mending them where they fail.
#include "film/path_keys/repair.h"

#include "film/path_keys/evaluation.h"

#include <optional>

namespace reductor {

namespace {

// A key at the worst frame of each stretch that fails; where that is the key's own
// frame, the key made exact (fixed points, unrounded: the compiler gives the path's
// own pose there). None when nothing changes (only a pose that is not sound fails
// at an exact key).
std::optional<std::vector<ClaveToma>> enmendadas(const Camino& camino, const std::vector<ClaveToma>& claves,
                                                 const std::vector<Fallo>& fallos)
{
    std::vector<ClaveToma> nuevas;
    bool cambio = false;
    size_t f = 0;
    for (size_t s = 0; s < claves.size(); s++) {
        const ClaveToma& c = claves[s];
        if (f == fallos.size() || fallos[f].clave != s) {
            nuevas.push_back(c);
            continue;
        }
        const size_t k = fallos[f++].k;
        if (k == camino.indice(c)) {
            const ClaveToma exacta = claveExacta(camino, k, c.movimiento);
            cambio = cambio || c.ojo.conActor || c.centro.conActor || c.ojo.xyz != exacta.ojo.xyz ||
                     c.centro.xyz != exacta.centro.xyz || c.arriba != exacta.arriba;
            nuevas.push_back(exacta);
        } else {
            cambio = true;
            nuevas.push_back(c);
            nuevas.push_back(claveDelCamino(camino, k, {referenciaDe(c.ojo), referenciaDe(c.centro)}, c.movimiento));
        }
    }
    return cambio ? std::optional<std::vector<ClaveToma>>(std::move(nuevas)) : std::nullopt;
}

}  // namespace

ClavesDeCamino enmendarClaves(const Camino& camino, std::vector<ClaveToma> claves)
{
    for (;;) {
        Medida m = medir(camino, claves);
        std::optional<std::vector<ClaveToma>> nuevas;
        if (!m.fallos.empty())
            nuevas = enmendadas(camino, claves, m.fallos);
        if (!nuevas) {
            m.desviaciones.claves = std::move(claves);
            return m.desviaciones;
        }
        claves = std::move(*nuevas);
    }
}

}  // namespace reductor
