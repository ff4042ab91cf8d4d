// The station beside the line: a raised platform along the +x side of the track,
// four benches on it and a fence along its back edge. Static; reads no scene state.
#pragma once

#include "scene/placement.h"

// The platform slab: ANCHO_ANDEN across the line (+x), LARGO_ANDEN along it (+z),
// ALTO_ANDEN thick, from its track-side start corner.
constexpr float ANCHO_ANDEN = 5.0f;
constexpr float ALTO_ANDEN  = 1.3f;
constexpr float LARGO_ANDEN = 40.1f;
// The middle of the platform's top, in the slab's space.
constexpr PuntoModelo CIMA_ANDEN = {ANCHO_ANDEN / 2.0, ALTO_ANDEN, LARGO_ANDEN / 2.0};
// The slab's space, from track space: its track-side start corner.
void colocarAnden(Colocacion& c);

// One backless red bench, 3 long along z, standing on y = 0 (x from -0.1 to 0.6).
void banco();
// The fence, in the platform slab's own space: nine posts and two rails, 40 long.
void vallaestacion();
// The whole station, in track space (x across the line, z along it).
void estacion();
