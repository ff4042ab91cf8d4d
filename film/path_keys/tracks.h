// The things' tracks along a path: where each thing of the story stands at each
// frame of the path, kept from one stepping of the story, and which of them move
// over a stretch. A point of a key is given after one of them or fixed.
#pragma once

#include "scene/actors.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace reductor {

// What a point of a key is given after: a thing of the story, or nothing (fixed
// coordinates).
using Referencia = std::optional<Actor>;

// The things in the order a point is named after them when several move alike:
// carriers before what they carry, the fixed places last.
constexpr std::array<Actor, 12> ORDEN_ACTORES = {
    Actor::Tren,  Actor::Grua,       Actor::Coche,   Actor::Tostadora, Actor::Personaje, Actor::Balon,
    Actor::Campo, Actor::PasoANivel, Actor::Looping, Actor::Isla,      Actor::Puente,    Actor::Estacion,
};

// Where each thing stands at each pose index of a path: each thing's point kept
// frame by frame up to its last change, and as it was from then on (most things
// stand still most of the time).
class Recorridos {
public:
    explicit Recorridos(size_t actores) : puntos_(actores), cambios_(actores) {}

    // Thing a stands at p at pose index k; noted for k = 0, 1, 2, ... in turn.
    void anotar(Actor a, size_t k, const PuntoMundo& p);

    // Where thing a stands at pose index k.
    const PuntoMundo& en(Actor a, size_t k) const
    {
        const std::vector<PuntoMundo>& v = puntos_[static_cast<size_t>(a)];
        return v[std::min(k, v.size() - 1)];
    }
    // Where ref stands at k: the world's origin for a fixed point.
    PuntoMundo en(const Referencia& ref, size_t k) const { return ref ? en(*ref, k) : PuntoMundo{}; }
    // Whether thing a stands at the same point at every pose index from desde to hasta.
    bool quieto(Actor a, size_t desde, size_t hasta) const;
    // The things that move between pose indices desde and hasta, in ORDEN_ACTORES.
    std::vector<Actor> mueven(size_t desde, size_t hasta) const;

private:
    std::vector<std::vector<PuntoMundo>> puntos_;  // by actor, by pose index
    std::vector<std::vector<size_t>> cambios_;     // by actor: the pose indices where it moved
};

// The tracks of a path of n poses from frame primero: steps the story from a fresh
// scene through frames primero to primero + n - 1, noting where every thing stands
// after each step. The scene state is left where the story got to.
Recorridos recorrerHistoria(int primero, size_t n);

}  // namespace reductor
