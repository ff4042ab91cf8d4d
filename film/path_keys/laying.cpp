// Laying the keys one move at a time.
#include "film/path_keys/laying.h"

#include "film/path_keys/search.h"

namespace reductor {

namespace {

// The same move with the references that suit what follows its end (and its start,
// where the last key may still take any), where they differ and reproduce the path.
Movida conPistas(const Camino& camino, Trazado& t, const Movida& movida)
{
    const size_t i = camino.indice(t.claves.back());
    PorPunto<Pista> pistas;
    bool otras = false;
    for (Parte parte : PUNTOS) {
        pistas[parte] = {t.libre ? referenciaTras(camino, parte, i) : std::nullopt,
                         referenciaTras(camino, parte, movida.hasta)};
        otras = otras || !pistas[parte].hasta || *pistas[parte].hasta != movida.pares[parte].hasta ||
                (t.libre && (!pistas[parte].desde || *pistas[parte].desde != movida.pares[parte].desde));
    }
    if (!otras)
        return movida;
    const Intento intento{movida.movimiento, movida.hasta, movida.conPrevio, pistas};
    const std::optional<Movida> otra = probarMovida(camino, t, intento);
    return otra ? *otra : movida;
}

// The move from the last key: the farthest that keeps the moves before it, else the
// farthest from the last key on; else a step to the next frame.
Movida elegirMovida(const Camino& camino, Trazado& t)
{
    std::optional<Movida> movida = siguienteMovida(camino, t, true);
    if (!movida)
        movida = siguienteMovida(camino, t, false);
    if (movida && movida->movimiento != Movimiento::Fijo)
        return conPistas(camino, t, *movida);
    if (movida)
        return *movida;
    const ClaveToma& ultima = t.claves.back();
    Movida paso{Movimiento::Fijo, camino.indice(ultima) + 1, {}, std::nullopt, false};
    paso.pares = {{referenciaDe(ultima.ojo), std::nullopt}, {referenciaDe(ultima.centro), std::nullopt}};
    return paso;
}

// The move laid: the last key's points and motion as it says, and the key it
// reaches added; false where it holds to the path's end.
bool poner(const Camino& camino, Trazado& t, const Movida& movida)
{
    ClaveToma& ultima = t.claves.back();
    const size_t i = camino.indice(ultima);
    for (Parte parte : PUNTOS) {
        PuntoToma& punto = parte == Parte::Ojo ? ultima.ojo : ultima.centro;
        if (referenciaDe(punto) != movida.pares[parte].desde)
            punto = puntoDelCamino(camino, movida.pares[parte].desde, i, parte);
    }
    ultima.movimiento = movida.movimiento;
    if (movida.hasta >= camino.n())
        return false;
    const Referencias refs = {movida.pares.ojo.hasta, movida.pares.centro.hasta};
    t.claves.push_back(claveDelCamino(camino, movida.hasta, refs, Movimiento::Suave));
    t.libre = movida.movimiento == Movimiento::Fijo;
    t.pendiente = movida.pendiente;
    return true;
}

}  // namespace

std::vector<ClaveToma> trazarClaves(const Camino& camino)
{
    Trazado t{{claveDelCamino(camino, 0, {}, Movimiento::Fijo)}, true, std::nullopt};
    while (camino.indice(t.claves.back()) + 1 < camino.n())
        if (!poner(camino, t, elegirMovida(camino, t)))
            break;
    t.claves.back().movimiento = Movimiento::Fijo;
    return t.claves;
}

}  // namespace reductor
