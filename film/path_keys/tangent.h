// The tangent fit: a smooth move's tangent at the key it reaches depends on the key
// after it, so the move is tried with the move after it whose key makes that
// tangent (as the camera path takes it: tangenteDe) fit the path's own velocity
// there, and kept where the parts then reproduce the path.
#pragma once

#include "film/path_keys/path.h"

#include <initializer_list>
#include <optional>
#include <vector>

namespace reductor {

// The move after a smooth move's last key that the tangent there was fitted to:
// smooth or linear, and the pose index of the key it reaches.
struct Pendiente {
    Movimiento movimiento = Movimiento::Suave;
    size_t hasta = 0;
};

// The pose indices each part is checked over: from desde[part] to hasta.
struct Revision {
    PorParte<size_t> desde;
    size_t hasta = 0;
};

// With a smooth move from the key before the last of claves to the last (key j),
// laid in place: the move after j, smooth or else linear, to the key whose tangent
// at j fits best, with which the parts given reproduce the path over revision. The
// key after j takes j's references, or, for one part, a thing that moves. None when
// no frame follows j, or none fits.
std::optional<Pendiente> ajustarTangente(const Camino& camino, std::vector<ClaveToma>& claves,
                                         std::initializer_list<Parte> partes, const Revision& revision);

}  // namespace reductor
