// The island out at sea: an 80 x 80 block with a yellow stripe and nine white
// skyscrapers in a three-by-three grid.
#pragma once

#include "scene/placement.h"

// The block: LADO_ISLA square, its top surface ALTO_ISLA above its base.
constexpr float LADO_ISLA = 80.0f;
constexpr float ALTO_ISLA = 2.0f;
// The middle of the block's top, in the island's space.
constexpr PuntoModelo CIMA_ISLA = {LADO_ISLA / 2.0, ALTO_ISLA, LADO_ISLA / 2.0};

// The crane's space, from the island's: in the street between the first two
// columns of towers and the last two rows, moved by mov_grua and turned by
// angulo_grua about a vertical 4 toward -z from the crane's own origin.
void colocarGrua(Colocacion& c);

// The island, and the crane on it while grua_visible is 1. Origin at a corner of
// the block's base, top surface at y = 2. The block takes the current colour;
// leaves line width 1 and white, or the crane's last colour while it is drawn.
void isla();
// One skyscraper: a 14 x 14 base plate and a 10 x 10 body 40 high standing 2 in
// from each side, with a facade on each face and a roof grid; current colour.
void rascacielo();
// One facade in the plane z = 0, 10 wide: a door at mid-face and the window grid
// from height 3 to 40; current colour.
void lateralEdificio();
