// The character on the sofa, the sofa itself, and REC's focus marker.
#pragma once

// The seated character; origin on the floor under the hips, facing +z.
// Leaves the colour yellow and the line width 1.
void personaje();
// One lower leg hanging from the knee at the origin, in the current colour.
void restoPierna();
// The sofa with the character, turned by movsofa x 20 degrees about its centre.
void sofa();
// A magenta unit cube centred on the camera's centre point, and its footprint on y = 0.
void foco();
