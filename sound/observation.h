// What the soundtrack hears of the scene at one frame: the camera's pose, where
// each actor is, and the scene variables whose changes make sounds, read from the
// scene state after the timeline's step for the frame (read only: nothing is
// written). Sounds are found by comparing one frame's reading with the last.
#pragma once

#include "scene/actors.h"

#include <array>

constexpr int NUM_ACTORES = 12;  // the members of Actor

struct Instante {
    int fotograma = 0;                    // the frame: the step just applied
    std::array<float, 9> pose{};          // eye, centre, up, as qq .. cc
    std::array<PuntoMundo, NUM_ACTORES> lugar{};  // each actor, by Actor's order

    // The scene variables, as the scene state holds them.
    int movalas = 0;
    float ytostadora = 0, movsofa = 0, movtostada = 0;
    int movpierna = 0;
    char estado_boca = 0, estado_balon = 0;
    float xbalon = 0, ybalon = 0;
    int angulo_tren = 0, movpuerta = 0, semaforo = 0, angulo_barrera = 0;
    float recorrido_tren = 0;             // the train's travel along the track (its model's)
    float mov_coche = 0, angulo_coche = 0, despega = 0;
    int movpuertacoche = 0, angulo_helice = 0, angulo_rueda = 0;
    char estado_coche = 0, grua_visible = 0;
    int angulo_grua = 0, angulo_gato = 0;
    float mov_gruaX = 0, mov_gruaY = 0, mov_gruaZ = 0, movgato = 0, pendiente_grua = 0;
    std::array<int, 6> angulo_brazo{};

    const PuntoMundo& en(Actor a) const { return lugar[static_cast<int>(a)]; }
};

// The scene as it stands now, for the frame fotograma - 1 (the step just taken).
// Positions are rounded to 1/4096 of a world unit, so that the last bits of the
// matrix library's turns, which may differ between machines, never reach a sample.
Instante observarEscena();
