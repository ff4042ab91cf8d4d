// The terrain: grey ground cut by the river, the green slope down to the coastal
// strips, the kerb, the beach and the sea, and the bridge over the river.
#pragma once

#include "scene/placement.h"

// The bridge's space, from the world frame: over the river, on its surface, a
// corner of the deck at the origin.
void colocarPuente(Colocacion& c);

// The whole terrain at the world origin, with the bridge. Leaves the colour of
// the last sea band, (0.1, 0.35, 0.35).
void suelo();
// One band of the descent to the sea, p deep along z from z = -10: the slope from
// x = 54, the grey and red strips at y = -7, the kerb, the beach and ten sea
// bands p + 40 deep at y = -8.
void desnivelHaciaElMar(int p);
// The river surface: 80 lines across z from 0 to 39.5, each 580 long along x,
// shading from deep blue to blue-green.
void rio();
