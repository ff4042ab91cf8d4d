// The winged toaster: body, two toast slices, a lever, two flapping wings.
#pragma once

#include "scene/placement.h"

// The body, from its corner at the origin along +x, +y and +z.
constexpr float LARGO_TOSTADORA = 0.2f;
constexpr float ALTO_TOSTADORA  = 0.15f;
constexpr float ANCHO_TOSTADORA = 0.1f;
// The middle of the body, in the toaster's space.
constexpr PuntoModelo MITAD_TOSTADORA = {LARGO_TOSTADORA / 2.0, ALTO_TOSTADORA / 2.0, ANCHO_TOSTADORA / 2.0};

// The whole toaster; origin at a bottom corner of its 0.2 x 0.15 x 0.1 body.
// Leaves the colour white.
void tostadora();
// One wing, root along x from 0 to 0.15, reaching toward +z, flapped by the
// current wing-beat phase, in the current colour.
void alaTostadora();
