// The repair: the whole key set evaluated at every frame as the compiler does, and
// where a key's stretch fails, a key added at its worst frame (or the key there
// made exact), until every frame holds or nothing changes.
#pragma once

#include "film/path_keys/path.h"

#include <vector>

namespace reductor {

// The keys mended, with the largest deviations they keep.
ClavesDeCamino enmendarClaves(const Camino& camino, std::vector<ClaveToma> claves);

}  // namespace reductor
