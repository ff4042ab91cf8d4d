// Where a sound is heard from: a source at a point of the world heard through a
// camera pose (eye, centre, up): fainter with distance (the inverse of the
// distance beyond a reference distance), panned by its side in the camera's view
// at equal power (a source right of the view on the right channel), and duller
// far away, as air dulls it.
#pragma once

#include "scene/placement.h"

#include <array>

struct Escucha {
    float izquierda = 0, derecha = 0;  // the gain of each channel
    float corte = 20000;               // a low-pass for the distance, Hz
};

Escucha oirDesde(const std::array<float, 9>& pose, const PuntoMundo& fuente, float referencia);
