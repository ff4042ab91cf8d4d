// Naming quiet centres: after the keys are laid, a fixed centre that lies on a
// thing standing still wherever the key counts is given the thing's name, so that
// the keys follow it if the story changes.
#pragma once

#include "film/path_keys/path.h"

#include <vector>

namespace reductor {

// The keys with such centres named.
std::vector<ClaveToma> nombrarCentrosQuietos(const Camino& camino, std::vector<ClaveToma> claves);

}  // namespace reductor
