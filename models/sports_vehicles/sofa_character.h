// The character on the sofa, the sofa itself, and REC's focus marker.
#pragma once

#include "scene/placement.h"

// The seated character; origin on the floor under the hips, facing +z.
// Leaves the colour yellow and the line width 1.
void personaje();
// One lower leg hanging from the knee at the origin, in the current colour.
void restoPierna();
// The sofa with the character, turned by movsofa x 20 degrees about its centre.
void sofa();
// The sofa's frame, from its place: turned by movsofa x 20 degrees about the
// centre of its footprint, its corner behind the left armrest at the origin.
void girarSofa(Colocacion& c);
// The seated character on the sofa, from the sofa's frame.
void colocarPersonaje(Colocacion& c);
// The centre of the character's head, from the character's space.
void colocarCabeza(Colocacion& c);
// A magenta unit cube centred on the camera's centre point, and its footprint on y = 0.
void foco();
