// Keys evaluated against the path exactly as the compiler evaluates them (the
// camera path's own interpolation, each named point where its thing stands at the
// frame): a part checked over a stretch, the whole set measured, and which frames
// a change of keys reshapes, by the camera path's rule of which keys shape a frame.
#pragma once

#include "film/path_keys/path.h"

#include <vector>

namespace reductor {

// The pose the keys give at pose index k.
PoseDoble poseDeClaves(const Camino& camino, const std::vector<ClaveToma>& claves, size_t k);
// Key clave's own pose at pose index k.
PoseDoble poseDeClaveEn(const Camino& camino, const ClaveToma& clave, size_t k);

// Whether part parte of the keys reproduces the path at pose indices desde to hasta.
// Coarse to fine (frames a power of two apart, then halfway between them, and so
// on), so that a move that strays is found after a few frames.
bool reproduce(const Camino& camino, const std::vector<ClaveToma>& claves, Parte parte, size_t desde, size_t hasta);

// A key whose stretch (its frame up to the next key's) fails, and its worst pose index.
struct Fallo {
    size_t clave = 0, k = 0;
};
// The keys evaluated at every frame: the largest deviations (claves left empty),
// and the stretches that fail, in order.
struct Medida {
    ClavesDeCamino desviaciones;
    std::vector<Fallo> fallos;
};
Medida medir(const Camino& camino, const std::vector<ClaveToma>& claves);

// The pose indices of key s's stretch: its own up to the next key's (the path's
// last, for the last key).
Rango tramoDe(const Camino& camino, const std::vector<ClaveToma>& claves, size_t s);
// The first key, from key ultima back, whose stretch key x or a later one shapes
// (clavesDeTramo): ultima itself where none before it is.
size_t primeraReformada(const std::vector<ClaveToma>& claves, size_t ultima, size_t x);
// The first and the last pose index whose pose key s shapes (clavesDeFotograma).
Rango dondeDa(const Camino& camino, const std::vector<ClaveToma>& claves, size_t s);

}  // namespace reductor
