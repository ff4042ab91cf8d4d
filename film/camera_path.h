// A camera path from a shot list's keys: the pose at every frame of a film. Each
// key's pose is evaluated at the frame itself (a named point is where the thing is
// at that frame of the story), and the camera moves between the keys as each key's
// motion says. Which keys shape the pose at a frame is answered here once, by the
// rule the interpolation itself follows.
#pragma once

#include "film/camera_pose.h"
#include "film/shot_list.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

// The keys a frame lies between: the key the camera comes from and the key it goes
// to; the same key twice where the camera holds a key (before the first key, after
// the last, and along a step). Needs at least one key.
struct Tramo {
    size_t desde = 0, hasta = 0;
};
Tramo tramoDeFotograma(const std::vector<ClaveToma>& claves, int fotograma);

// The tangent at key i of a smooth move that starts or ends there, as the velocity
// per frame from key desde to key hasta: Catmull-Rom from the key before to the key
// after, or a neighbouring linear move's; none where the tangent is zero (at the
// first and the last key, and next to a step).
std::optional<Tramo> tangenteDe(const std::vector<ClaveToma>& claves, size_t i);

// The keys whose poses shape a pose, from the first to the last (by index).
struct ClavesQueDan {
    size_t primera = 0, ultima = 0;
};
// The frames after key s up to the next key: key s alone where it holds (a step,
// the last key); else key s and the next, and along a smooth move the keys the
// tangents at both take. Key s's own frame takes key s alone.
ClavesQueDan clavesDeTramo(const std::vector<ClaveToma>& claves, size_t s);
// A frame: those of the stretch it lies in, or the key it stands on or holds.
ClavesQueDan clavesDeFotograma(const std::vector<ClaveToma>& claves, int fotograma);

// The pose at a frame, from the keys' poses at that same frame (poseDeClave(i) is
// key i's). Linear moves are straight at constant speed; smooth ones are cubic
// Hermite segments whose tangents (tangenteDe) are velocities per frame. Needs at
// least one key.
PoseDoble poseEnFotograma(const std::vector<ClaveToma>& claves, int fotograma,
                          const std::function<PoseDoble(size_t)>& poseDeClave);

// Key clave's pose at a frame whose named things stand at donde(actor) (a
// PuntoMundo): each point fixed, or where its thing is plus the offset; the up
// vector as given. poseDeClave for poseEnFotograma, as the compiler evaluates it.
template <class Donde>
PoseDoble poseDeClave(const ClaveToma& clave, const Donde& donde)
{
    const auto punto = [&donde](const PuntoToma& p) {
        const PuntoMundo base = p.conActor ? donde(p.actor) : PuntoMundo{};
        return math::Vec3{base.x, base.y, base.z} + math::Vec3{p.xyz[0], p.xyz[1], p.xyz[2]};
    };
    return {punto(clave.ojo), punto(clave.centro), {clave.arriba[0], clave.arriba[1], clave.arriba[2]}};
}

// The camera at frames 0 to fotogramas - 1. Steps the story from a fresh scene
// (defaults, PLAY mode, no poses loaded), one step per frame, and evaluates named
// points after each step; the scene state is left where the story got to.
std::vector<std::array<float, 9>> compilarCamino(const std::vector<ClaveToma>& claves, int fotogramas);
