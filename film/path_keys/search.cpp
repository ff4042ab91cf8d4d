// Searching for the next move: a move tried, and how far each motion reaches.
#include "film/path_keys/search.h"

#include "film/path_keys/evaluation.h"
#include "film/path_keys/trial.h"

#include <algorithm>
#include <functional>

namespace reductor {

namespace {

// The longest linear or smooth move looked for beyond where doubling its length
// stopped holding, in frames (the bundled film's longest is 640).
constexpr size_t ALCANCE_BUSCADO = 1024;
// How many of the frames where the acceleration jumps most are tried as the end of
// a move, and how many frames short of the farthest reach such a frame is still
// preferred.
constexpr size_t NUDOS = 12;
constexpr size_t HOLGURA_NUDO = 8;

// The pose indices a move tried from the last key is checked from: where it
// changes the last key's points (the frames shaped by that key or a later one),
// and where it does not (by the keys after it).
struct Revisiones {
    size_t cambia = 0, igual = 0;
};

// With the move in place on the keys (as in what follows): the key it reaches last,
// the key it leaves last but one.
Revisiones revisiones(const Camino& camino, const Trazado& t, bool conPrevio)
{
    const size_t ultima = t.claves.size() - 2, i = camino.indice(t.claves[ultima]);
    if (!conPrevio)
        return {i, i};
    size_t igual = primeraReformada(t.claves, ultima, ultima + 1);
    if (t.pendiente)  // the move to the last key was shaped by the one its tangent was fitted to
        igual = std::min(igual, ultima - 1);
    return {camino.indice(t.claves[primeraReformada(t.claves, ultima, ultima)]), camino.indice(t.claves[igual])};
}

// A point's references that reproduce the path, and the pose index it was checked from.
struct Eleccion {
    Par par;
    size_t desde = 0;
};

// The first pair of references for part parte (the eye or the centre) with which the
// move in place reproduces it, the last key's point and the next's set to them.
std::optional<Eleccion> elegir(const Camino& camino, Trazado& t, const Intento& intento, Parte parte,
                               const Revisiones& rv)
{
    const size_t ultima = t.claves.size() - 2, i = camino.indice(t.claves[ultima]), j = intento.hasta;
    const size_t hasta = intento.movimiento == Movimiento::Fijo ? j - 1 : j;
    PuntoToma ClaveToma::*campo = parte == Parte::Ojo ? &ClaveToma::ojo : &ClaveToma::centro;
    const PuntoToma original = t.claves[ultima].*campo;
    const Referencia propia = referenciaDe(original);
    const std::optional<Referencia> guardada =
        t.libre ? std::nullopt : std::optional<Referencia>(std::in_place, propia);
    for (const Par& par : paresAProbar(camino, guardada, intento.movimiento, {rv.cambia, j}, intento.pistas[parte])) {
        const bool cambia = !t.libre && par.desde != propia;
        if (cambia && !intento.conPrevio)
            continue;
        t.claves[ultima].*campo = t.libre || cambia ? puntoDelCamino(camino, par.desde, i, parte) : original;
        if (j < camino.n())
            t.claves[ultima + 1].*campo = puntoDelCamino(camino, par.hasta, j, parte);
        const size_t desde = cambia ? rv.cambia : rv.igual;
        if (reproduce(camino, t.claves, parte, desde, hasta) ||
            (intento.movimiento == Movimiento::Suave && ajustarTangente(camino, t.claves, {parte}, {{i, i, i}, j})))
            return Eleccion{par, desde};
        t.claves[ultima].*campo = original;
    }
    return std::nullopt;
}

// How far a move of one motion reaches by doubling and halving: the farthest move
// found, and the first reach found not to hold (0 while none).
struct Alcance {
    std::optional<Movida> mejor;
    size_t malo = 0;
};

// Doubling the move's length while it holds, then halving back between the last
// length that held and the first that did not.
Alcance doblando(const Camino& camino, Trazado& t, Movimiento m, bool conPrevio)
{
    const size_t i = camino.indice(t.claves.back());
    Alcance a;
    const auto probar = [&](size_t j) {
        std::optional<Movida> c = probarMovida(camino, t, {m, j, conPrevio, {}});
        if (!c)
            return false;
        a.mejor = std::move(c);
        return true;
    };
    const size_t ultimo = m == Movimiento::Fijo ? camino.n() : camino.n() - 1;  // a step may hold to the end
    for (size_t largo = 1;; largo *= 2) {
        const size_t j = std::min(i + largo, ultimo);
        if (!probar(j)) {
            a.malo = j;
            break;
        }
        if (j == ultimo)
            break;
    }
    if (a.mejor)
        while (a.malo > a.mejor->hasta + 1) {
            const size_t j = a.mejor->hasta + (a.malo - a.mejor->hasta) / 2;
            if (!probar(j))
                a.malo = j;
        }
    return a;
}

// The frames from desde to hasta where the acceleration of the path's points after
// refs jumps most: the NUDOS strongest that stand out from the frames around them.
std::vector<size_t> nudosTras(const Camino& camino, const Referencias& refs, size_t desde, size_t hasta)
{
    constexpr size_t H = SEPARACION;
    PorParte<std::vector<math::Vec3>> cursos;  // by frame from desde
    for (Parte parte : PARTES)
        for (size_t k = desde; k <= hasta; k++)
            cursos[parte].push_back(camino.relativo(parte, parte == Parte::Arriba ? Referencia() : refs[parte], k));
    std::vector<double> saltos(hasta + 1 - desde, 0);  // by frame from desde, per frame squared
    for (size_t f = 2 * H; f + 2 * H <= hasta - desde; f++)
        for (Parte parte : PARTES) {
            const double escala = parte == Parte::Arriba ? 1.0 : camino.opciones.tolerancia;
            const auto curso = [&](size_t k) { return cursos[parte][k]; };
            saltos[f] = std::max(saltos[f], saltoDeAceleracion(curso, f) / escala);
        }
    return picosDeSalto(saltos, desde, NUDOS);
}

// The frames from desde to hasta, short of the next cut, where the path's
// acceleration jumps most, each point after the reference the last key has (or,
// while it may take any, after each thing that moves): found over the whole move,
// so that one near desde stands out too; the farthest first, each followed by the
// frame after it and the frame before.
std::vector<size_t> nudos(const Camino& camino, const Trazado& t, size_t desde, size_t hasta)
{
    const ClaveToma& clave = t.claves.back();
    const size_t k = camino.indice(clave);
    const auto corte = std::upper_bound(camino.cortes.begin(), camino.cortes.end(), k);
    if (corte != camino.cortes.end())  // no linear or smooth move reaches across a cut
        hasta = std::min(hasta, *corte - 1);
    if (hasta < k + 1 + 4 * SEPARACION)
        return {};
    std::vector<Referencias> opciones = {{referenciaDe(clave.ojo), referenciaDe(clave.centro)}};
    if (t.libre)
        for (Actor a : camino.recorridos.mueven(k, hasta))
            opciones.push_back({a, a});
    std::vector<size_t> picos;
    for (const Referencias& refs : opciones)
        for (size_t f : nudosTras(camino, refs, k + 1, hasta))
            if (f >= desde)
                picos.push_back(f);
    std::sort(picos.begin(), picos.end(), std::greater<size_t>());
    picos.erase(std::unique(picos.begin(), picos.end()), picos.end());
    std::vector<size_t> r;
    for (size_t f : picos)
        for (size_t g : {f, f + 1, f - 1})
            if (std::find(r.begin(), r.end(), g) == r.end())
                r.push_back(g);
    return r;
}

// A linear or smooth move may hold again farther on where it did not in between: at
// the key the path was made with, where a move whose ends follow different things,
// or whose tangent fits only there, ends. Such keys stand where the path's
// acceleration jumps: those frames up to ALCANCE_BUSCADO, from the farthest down;
// and one a few frames short of a smooth move's reach is taken instead of it (the
// move goes on there only by the tolerance's slack, and the next one fits worse).
std::optional<Movida> enNudos(const Camino& camino, Trazado& t, Movimiento m, bool conPrevio, const Alcance& a)
{
    const size_t i = camino.indice(t.claves.back()), alcanzado = a.mejor->hasta;
    // A reach that ends where the path does, or just before a cut, is not short of
    // anything; nor is a linear move's (the move after it goes on as well from there).
    const bool alFinal = alcanzado + 1 >= camino.n() ||
                         std::binary_search(camino.cortes.begin(), camino.cortes.end(), alcanzado + 1);
    const size_t holgura = alFinal || m != Movimiento::Suave ? 0 : HOLGURA_NUDO;
    const size_t desde = std::max(i + 1, alcanzado > holgura ? alcanzado - holgura : 0);
    for (size_t j : nudos(camino, t, desde, std::min(camino.n() - 1, i + ALCANCE_BUSCADO)))
        if ((j > a.malo || j + holgura >= alcanzado) && j != alcanzado)
            if (std::optional<Movida> c = probarMovida(camino, t, {m, j, conPrevio, {}}))
                return c;
    return std::nullopt;
}

// The farthest a move m from the last key reaches. A smooth move after a smooth
// move goes to the key its tangent was fitted to.
std::optional<Movida> alcance(const Camino& camino, Trazado& t, Movimiento m, bool conPrevio)
{
    if (m == Movimiento::Suave && conPrevio && t.pendiente && t.pendiente->movimiento == Movimiento::Suave)
        return probarMovida(camino, t, {m, t.pendiente->hasta, conPrevio, {}});
    const Alcance a = doblando(camino, t, m, conPrevio);
    if (m != Movimiento::Fijo && a.malo != 0 && a.mejor)
        if (std::optional<Movida> c = enNudos(camino, t, m, conPrevio, a))
            return c;
    return a.mejor;
}

}  // namespace

std::optional<Movida> probarMovida(const Camino& camino, Trazado& t, const Intento& intento)
{
    const size_t j = intento.hasta;
    ClaveToma siguiente = claveDelCamino(camino, std::min(j, camino.n() - 1), {}, Movimiento::Suave);
    if (j == camino.n())  // a step held to the end
        siguiente.fotograma = camino.fotograma(j);
    const Tentativa prueba(t.claves, intento.movimiento, siguiente);
    const Revisiones rv = revisiones(camino, t, intento.conPrevio);
    Movida movida{intento.movimiento, j, {}, std::nullopt, intento.conPrevio};
    Revision revision{{rv.igual, rv.igual, rv.igual}, intento.movimiento == Movimiento::Fijo ? j - 1 : j};
    for (Parte parte : PUNTOS) {
        const std::optional<Eleccion> e = elegir(camino, t, intento, parte, rv);
        if (!e)
            return std::nullopt;
        movida.pares[parte] = e->par;
        revision.desde[parte] = e->desde;
    }
    const auto reproducen = [&](std::initializer_list<Parte> partes) {
        return std::all_of(partes.begin(), partes.end(), [&](Parte p) {
            return reproduce(camino, t.claves, p, revision.desde[p], revision.hasta);
        });
    };
    if (intento.movimiento != Movimiento::Suave)
        return reproducen({Parte::Arriba}) ? std::optional<Movida>(movida) : std::nullopt;
    // A smooth move: before a move whose key its tangent at the end fits, the same for
    // every part; or before a step (no tangent there).
    movida.pendiente = ajustarTangente(camino, t.claves, {Parte::Ojo, Parte::Centro, Parte::Arriba}, revision);
    if (movida.pendiente || reproducen({Parte::Ojo, Parte::Centro, Parte::Arriba}))
        return movida;
    return std::nullopt;
}

std::optional<Movida> siguienteMovida(const Camino& camino, Trazado& t, bool conPrevio)
{
    std::optional<Movida> mejor;
    for (Movimiento m : {Movimiento::Fijo, Movimiento::Lineal, Movimiento::Suave}) {
        std::optional<Movida> c = alcance(camino, t, m, conPrevio);
        if (c && (!mejor || c->hasta > mejor->hasta))
            mejor = std::move(c);
        if (mejor && mejor->hasta >= camino.n() - 1)
            break;
    }
    return mejor;
}

}  // namespace reductor
