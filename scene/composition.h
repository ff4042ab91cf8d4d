// The whole world, drawn once per redisplay from the scene state, and where the
// composition puts the models it places itself.
#pragma once

#include "scene/placement.h"

// Display callback of REC and PLAY: draws the world (dibujarMundo) and swaps the
// buffers. Changes no state.
void display();
// Draws every model in its place and order on top of the camera that reshape
// left, into the current GL context. Changes no state; shows nothing.
void dibujarMundo();

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

// The placements the composition gives: each from the frame the one before it
// leaves, the world's turn first.
// The whole world turned by rota_escena quarter turns about y.
void girarMundo(Colocacion& c);
// A model that stands still, at its place l.
void colocarEn(Colocacion& c, const Lugar& l);
// The toaster, on its line at xtostadora.
void colocarTostadora(Colocacion& c);
// The free ball (estado_balon 0) for the frame fotograma: along the pitch until
// frame 1114, then across x in the plane z = 25.
void colocarBalon(Colocacion& c);
// The car by estado_coche while the composition draws it: on the road, round the
// looping and in the air (0), falling (1), lying by the island (2). The crane
// places it while it holds it (3, 4).
void colocarCoche(Colocacion& c);
