// The flying car: a two-door wire car whose wheels tilt into rotors.
#pragma once

#include "scene/placement.h"

// The body: from the rear face at x = 0 to the bonnet's front, from the underside
// at y = 0 to the roof, from the z = 0 side to the other.
constexpr float LARGO_COCHE = 4.0f;
constexpr float ALTO_COCHE  = 1.5f;
constexpr float ANCHO_COCHE = 2.0f;
// The middle of the body, in the car's space.
constexpr PuntoModelo MITAD_COCHE = {LARGO_COCHE / 2.0, ALTO_COCHE / 2.0, -ANCHO_COCHE / 2.0};

// The whole car: body, both doors, four wheels. Origin at the bottom rear corner
// of the body on its z = 0 side (the centre of that rear wheel), +x forward, the
// body between z = 0 and z = -2. Leaves the colour (1, 0, 0.4) and line width 1.
void coche();
// One door of the z = 0 side (x 0.75 to 2.25) with its fixed opening outline,
// swung by movpuertacoche about its lower edge; current colour and line width.
void puertaCoche();
// One wheel centred on the origin, axle along z, rolled by mov_coche; current
// colour and line width.
void ruedaCoche();
