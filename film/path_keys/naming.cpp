// Naming the things fixed centres lie on.
#include "film/path_keys/naming.h"

#include "film/path_keys/evaluation.h"

#include <cmath>

namespace reductor {

std::vector<ClaveToma> nombrarCentrosQuietos(const Camino& camino, std::vector<ClaveToma> claves)
{
    const double margen = camino.opciones.tolerancia * PARTE_REDONDEO;
    for (size_t s = 0; s < claves.size(); s++) {
        PuntoToma& centro = claves[s].centro;
        if (centro.conActor)
            continue;
        const size_t k = camino.indice(claves[s]);
        for (Actor a : ORDEN_ACTORES) {
            const PuntoMundo& p = camino.recorridos.en(a, k);
            if (std::fabs(double(p.x) - centro.xyz[0]) > margen || std::fabs(double(p.y) - centro.xyz[1]) > margen ||
                std::fabs(double(p.z) - centro.xyz[2]) > margen)
                continue;
            const Rango donde = dondeDa(camino, claves, s);
            if (camino.recorridos.quieto(a, donde.desde, donde.hasta)) {
                centro.conActor = true;
                centro.actor = a;
                centro.xyz = {};
            }
            break;
        }
    }
    return claves;
}

}  // namespace reductor
