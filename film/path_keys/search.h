// The search for the next move from the last key laid: a move of each motion
// (step, linear, smooth) stretched as far as it reproduces the path, by doubling
// its length and halving back, and by trying the frames where the path's
// acceleration jumps (where the keys of a film made from a shot list stand, which
// doubling alone would pass over); the move reaching farthest is taken (on a tie:
// step, then linear, then smooth). Each point of the key a move reaches is fixed or
// follows a thing, as holds over the move.
#pragma once

#include "film/path_keys/references.h"
#include "film/path_keys/tangent.h"

#include <optional>
#include <vector>

namespace reductor {

// A move from the last key laid.
struct Movida {
    Movimiento movimiento = Movimiento::Fijo;
    size_t hasta = 0;                    // the pose index it reaches; n: a step held to the path's end
    PorPunto<Par> pares;                 // the references of the eye and the centre at both ends
    std::optional<Pendiente> pendiente;  // a smooth move's, where its tangent at its end was fitted
    bool conPrevio = true;               // it keeps the moves before it within the tolerance
};

// The keys laid so far, as the search goes on from them. The search tries its
// moves on them in place and leaves them as they were.
struct Trazado {
    std::vector<ClaveToma> claves;       // the last one's motion and points still open
    bool libre = true;                   // the last key's points may still take any reference
    std::optional<Pendiente> pendiente;  // the move to the last key's, if its tangent was fitted
};

// A move to try: its motion, the pose index it reaches, whether the moves before
// it must stay within the tolerance, and the references asked for.
struct Intento {
    Movimiento movimiento = Movimiento::Fijo;
    size_t hasta = 0;
    bool conPrevio = true;
    PorPunto<Pista> pistas;
};

// The move, if it reproduces the path with the moves before it that it reshapes
// (where conPrevio; else from the last key on), with the first references that do.
std::optional<Movida> probarMovida(const Camino& camino, Trazado& trazado, const Intento& intento);

// The move reaching farthest from the last key.
std::optional<Movida> siguienteMovida(const Camino& camino, Trazado& trazado, bool conPrevio);

}  // namespace reductor
