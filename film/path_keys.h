// Keys from a dense camera path: a few shot-list keys (film/shot_list.h) that the
// compiler (film/camera_path.h) turns back into the path, one pose per frame,
// within a tolerance at every frame. The keys use the shot list's own motions
// (step, linear, smooth) and name the things of the story where the eye keeps a
// steady offset from one, or the centre stays on one, so that the keys follow
// it. Every key set is checked by evaluating it exactly as the compiler does, and
// mended where it fails. `film keys` and the page's takes reduce paths with it.
#pragma once

#include "film/shot_list.h"

#include <array>
#include <vector>

struct OpcionesClaves {
    double tolerancia = 0.05;             // world units, eye and centre
    double toleranciaArribaGrados = 0.5;  // degrees, up vector direction
};

struct ClavesDeCamino {
    std::vector<ClaveToma> claves;  // frames absolute (primero + index); linea = 0; the last one a step
    double desviacion = 0;          // the largest deviation of the compiled keys from the path, world units
    int fotogramaDesviacion = -1;   // where it is
    double desviacionArribaGrados = 0;  // the largest angle between the compiled up vector and the path's
    int fotogramaDesviacionArriba = -1; // where it is
};

// Keys for poses[i] at frame primero + i. Steps the story itself (like compilarCamino), leaving the
// scene state where the story got to. Needs at least one pose; every pose sound (no blind pose),
// primero 0 or more. The keys reproduce the path when compiled on their own (the first key holds
// before it, the last after it); spliced into a longer shot list they still do when the key before
// them is a step and the key after them comes after the path's last frame.
ClavesDeCamino clavesDeCamino(const std::vector<std::array<float, 9>>& poses, int primero, const OpcionesClaves& o);
