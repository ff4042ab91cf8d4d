// What a point of a key follows: fixed coordinates or a thing of the story. The
// references worth trying for a move, in the order preferred, and the one that
// suits what follows a frame best.
#pragma once

#include "film/path_keys/path.h"

#include <optional>
#include <vector>

namespace reductor {

// The references of a point at the key a move starts from and at the key it reaches.
struct Par {
    Referencia desde, hasta;
};

// The references asked for first at either end; none, no wish.
struct Pista {
    std::optional<Referencia> desde, hasta;
};

// The pairs worth trying for a point on a move m over the pose indices of rango, in
// the order preferred: those asked for first (both ends, then the end, then the
// start); then, where the key must keep a reference (propia; none: it may take any),
// that one kept, fixed before named; then any, fixed before named. A thing is tried
// only where it moves over rango (one that stands still is as good as fixed). A
// step's key after it is a cut, so only the held key's reference counts there.
std::vector<Par> paresAProbar(const Camino& camino, const std::optional<Referencia>& propia, Movimiento m,
                              Rango rango, const Pista& pista);

// The reference part parte (the eye or the centre) of a key at pose index k is best
// given after for what follows: a thing it keeps still after for clearly longer than
// in the world (twice, and a few frames more); else the thing after which it
// accelerates least, where that is less than half as much as in the world (and than
// after the things before it in ORDEN_ACTORES), and the world's would matter (it
// would stray a tolerance from a straight course over the frames looked at); else
// fixed. None when a cut, or the path's end, comes too soon to tell.
std::optional<Referencia> referenciaTras(const Camino& camino, Parte parte, size_t k);

}  // namespace reductor
