// A camera path from a shot list's keys: the pose at every frame of a film. Each
// key's pose is evaluated at the frame itself (a named point is where the thing is
// at that frame of the story), and the camera moves between the keys as each key's
// motion says. Poses are nine numbers: eye, centre, up.
#pragma once

#include "film/shot_list.h"

#include <array>
#include <cstddef>
#include <functional>
#include <vector>

using PoseDoble = std::array<double, 9>;

// The keys a frame lies between: the key the camera comes from and the key it goes
// to; the same key twice where the camera holds a key (before the first key, after
// the last, and along a step). Needs at least one key.
struct Tramo {
    size_t desde = 0, hasta = 0;
};
Tramo tramoDeFotograma(const std::vector<ClaveToma>& claves, int fotograma);

// The pose at a frame, from the keys' poses at that same frame (poseDeClave(i) is
// key i's). Linear moves are straight at constant speed; smooth ones are cubic
// Hermite segments whose tangents are velocities per frame: Catmull-Rom over the
// keys' frame spacing, a neighbouring linear move's velocity, or zero at the first
// and last key and next to a step. Needs at least one key.
PoseDoble poseEnFotograma(const std::vector<ClaveToma>& claves, int fotograma,
                          const std::function<PoseDoble(size_t)>& poseDeClave);

// Key clave's pose at a frame whose named things stand at donde (indexed by actor):
// each point fixed, or where its thing is plus the offset; the up vector as given.
// poseDeClave for poseEnFotograma, as the compiler evaluates it.
PoseDoble poseDeClave(const ClaveToma& clave, const std::vector<PuntoMundo>& donde);

// The camera at frames 0 to fotogramas - 1. Steps the story from a fresh scene
// (defaults, PLAY mode, no poses loaded), one step per frame, and evaluates named
// points after each step; the scene state is left where the story got to.
std::vector<std::array<float, 9>> compilarCamino(const std::vector<ClaveToma>& claves, int fotogramas);
