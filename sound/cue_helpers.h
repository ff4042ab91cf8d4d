// What the cues of sound/cues.cpp and cues_machines.cpp share: a frame's
// samples, a thing's motion between frames, and clamps.
#pragma once

#include "scene/placement.h"
#include "sound/mixer.h"

#include <algorithm>
#include <cmath>

namespace pistas {

constexpr int N = MUESTRAS_POR_FOTOGRAMA;

inline PuntoMundo menos(const PuntoMundo& a, const PuntoMundo& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline float largo(const PuntoMundo& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}
inline int signo(float v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}
inline float hasta1(float v)
{
    return std::min(1.0f, std::max(0.0f, v));
}

// A thing that moves farther than this in a frame was put somewhere else.
constexpr float SALTO = 4.0f;

}  // namespace pistas
