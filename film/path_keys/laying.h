// Laying the keys: greedily from the first frame, each the end of the move from the
// key before that reaches farthest, its points after the things that suit what
// follows it.
#pragma once

#include "film/path_keys/path.h"

#include <vector>

namespace reductor {

// The keys of the whole path, the first at its first pose, the last held. A move
// that reproduces nothing, not even the next frame, is laid as a step to it: the
// repair mends it.
std::vector<ClaveToma> trazarClaves(const Camino& camino);

}  // namespace reductor
