// Choosing what a point follows.
#include "film/path_keys/references.h"

#include <algorithm>

namespace reductor {

namespace {

// How far ahead a point is followed to judge after which thing it keeps still or
// accelerates least, and how much longer than in the world it must keep still, in
// frames (and how many there must be to judge at all).
constexpr size_t RETENCION = 1024;
constexpr size_t RETENCION_MINIMA = 8;

// The last pose index looked at from k to judge what follows it: RETENCION frames
// on, or the frame before the next cut, or the path's last.
size_t finDeVista(const Camino& camino, size_t k)
{
    const auto corte = std::upper_bound(camino.cortes.begin(), camino.cortes.end(), k);
    return std::min({camino.n() - 1, k + RETENCION, corte == camino.cortes.end() ? camino.n() : *corte - 1});
}

// The thing part parte keeps still after for clearly longer than in the world.
Referencia quietoTras(const Camino& camino, Parte parte, size_t k, const std::vector<Actor>& cosas)
{
    const size_t hasta = finDeVista(camino, k);
    const double tolerancia = camino.opciones.tolerancia;
    Referencia mejor;
    size_t larga = 2 * quietudTras(camino.curso(parte, std::nullopt), k, hasta, tolerancia) + RETENCION_MINIMA;
    for (Actor a : cosas) {
        const size_t r = quietudTras(camino.curso(parte, a), k, hasta, tolerancia);
        if (r > larga) {
            larga = r;
            mejor = a;
        }
    }
    return mejor;
}

}  // namespace

std::vector<Par> paresAProbar(const Camino& camino, const std::optional<Referencia>& propia, Movimiento m,
                              Rango rango, const Pista& pista)
{
    const std::vector<Actor> mueven = camino.recorridos.mueven(rango.desde, rango.hasta);
    std::vector<Par> r;
    const auto anadir = [&](Referencia a, Referencia b) {
        if (m == Movimiento::Fijo)
            b = std::nullopt;
        for (const Par& p : r)
            if (p.desde == a && p.hasta == b)
                return;
        r.push_back({a, b});
    };
    if (propia) {
        anadir(*propia, *propia);
        anadir(*propia, std::nullopt);
        for (Actor a : mueven)
            anadir(*propia, a);
    }
    anadir(std::nullopt, std::nullopt);
    for (Actor a : mueven)
        anadir(a, a);
    if (!propia)
        for (Actor a : mueven) {
            anadir(std::nullopt, a);
            anadir(a, std::nullopt);
        }
    const auto puntos = [&](const Par& p) {
        return 2 * (pista.hasta && *pista.hasta == p.hasta) + (pista.desde && *pista.desde == p.desde);
    };
    std::stable_sort(r.begin(), r.end(), [&](const Par& a, const Par& b) { return puntos(a) > puntos(b); });
    return r;
}

std::optional<Referencia> referenciaTras(const Camino& camino, Parte parte, size_t k)
{
    const size_t hasta = finDeVista(camino, k);
    if (hasta < k + RETENCION_MINIMA)  // a cut, or the end, before anything follows
        return std::nullopt;
    const std::vector<Actor> cosas = camino.recorridos.mueven(k, hasta);
    const Referencia quieto = quietoTras(camino, parte, k, cosas);
    if (quieto)
        return std::optional<Referencia>(std::in_place, quieto);
    const double fija = aceleracionMedia(camino.curso(parte, std::nullopt), k, hasta);
    const double largo = double(hasta - k);
    if (fija * largo * largo / 8 <= camino.opciones.tolerancia)
        return std::optional<Referencia>(std::in_place, std::nullopt);
    double menor = fija;  // one thing after another only where it halves the acceleration again
    Referencia mejor;
    for (Actor a : cosas) {
        const double acel = aceleracionMedia(camino.curso(parte, a), k, hasta);
        if (acel < menor / 2) {
            menor = acel;
            mejor = a;
        }
    }
    return std::optional<Referencia>(std::in_place, mejor);
}

}  // namespace reductor
