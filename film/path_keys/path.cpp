// The path and the keys made of its values.
#include "film/path_keys/path.h"

#include <cmath>

namespace reductor {

namespace {

// The value with the fewest decimals (0 to 6) within margen of it.
float redondear(float valor, double margen)
{
    double escala = 1;
    for (int decimales = 0; decimales <= 6; decimales++, escala *= 10) {
        const float r = static_cast<float>(std::round(static_cast<double>(valor) * escala) / escala);
        if (std::fabs(static_cast<double>(r) - valor) <= margen)
            return r;
    }
    return valor;
}

// The point of part parte at k after ref; each value within reparto of the tolerance
// (0: as it is).
PuntoToma punto(const Camino& camino, const Referencia& ref, size_t k, Parte parte, double reparto)
{
    PuntoToma p;
    p.conActor = ref.has_value();
    if (ref)
        p.actor = *ref;
    const math::Vec3 v = camino.relativo(parte, ref, k);
    const double margen = camino.tolerancia(parte, k) * reparto;
    const auto valor = [&](double x) {
        const float f = static_cast<float>(x);
        return reparto == 0 ? f : redondear(f, margen);
    };
    p.xyz = {valor(v.x), valor(v.y), valor(v.z)};
    return p;
}

ClaveToma clave(const Camino& camino, size_t k, const Referencias& refs, Movimiento m, double reparto)
{
    ClaveToma c;
    c.fotograma = camino.fotograma(k);
    c.ojo = punto(camino, refs.ojo, k, Parte::Ojo, reparto);
    c.centro = punto(camino, refs.centro, k, Parte::Centro, reparto);
    const PuntoToma arriba = punto(camino, std::nullopt, k, Parte::Arriba, reparto);
    c.arriba = arriba.xyz;
    c.movimiento = m;
    return c;
}

}  // namespace

double Camino::tolerancia(Parte parte, size_t k) const
{
    if (parte != Parte::Arriba)
        return opciones.tolerancia;
    return math::norm(parteDe(poses[k], Parte::Arriba)) * opciones.toleranciaArribaGrados * PI / 180;
}

Camino caminoDe(const std::vector<std::array<float, 9>>& poses, int primero, const OpcionesClaves& o,
                Recorridos recorridos)
{
    return {poses, primero, o, std::move(recorridos), cortesDelCamino(poses, o.tolerancia)};
}

PuntoToma puntoDelCamino(const Camino& camino, const Referencia& ref, size_t k, Parte parte)
{
    return punto(camino, ref, k, parte, PARTE_REDONDEO);
}

ClaveToma claveDelCamino(const Camino& camino, size_t k, const Referencias& refs, Movimiento m)
{
    return clave(camino, k, refs, m, PARTE_REDONDEO);
}

ClaveToma claveExacta(const Camino& camino, size_t k, Movimiento m)
{
    return clave(camino, k, {}, m, 0);
}

}  // namespace reductor
