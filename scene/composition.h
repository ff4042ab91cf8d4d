// The whole world, drawn once per redisplay from the scene state, and where the
// composition puts the models it places itself.
#pragma once

#include "scene/actors.h"

// Display callback of REC and PLAY: draws every model in its place and order on
// top of the camera that reshape left, and swaps the buffers. Changes no state.
void display();

// Where a model's origin stands in the world frame (a world point, world units).
using Lugar = PuntoMundo;

// Where the composition places the models that stand still, before the world's
// quarter turns (each model draws from its own origin there).
constexpr Lugar LUGAR_CAMPO        = { -30.0f,  0.0f,   0.0f};
constexpr Lugar LUGAR_SOFA         = { -30.0f,  0.0f,  25.0f};
constexpr Lugar LUGAR_PASO_A_NIVEL = {  -5.0f,  0.0f, 400.0f};
constexpr Lugar LUGAR_ISLA         = {1300.0f, -8.0f, 400.0f};

// The toaster flies along the line z = 25; its world x is xtostadora - 75.
constexpr float SALIDA_TOSTADORA_X = -75.0f;
constexpr float CARRIL_TOSTADORA_Z = 25.0f;

// Where the composition draws the free ball (estado_balon 0) for the frame
// fotograma: along the pitch until frame 1114, then across x in the plane z = 25.
Lugar lugarBalon();
