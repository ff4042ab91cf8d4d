// The crane's arm: a slewing three-link boom with a turning four-finger grip,
// from which the car hangs while the crane holds it.
#pragma once

// The arm, the grip and (while estado_coche is 3) the hanging car. Origin at the
// centre of the arm's base on the surface it stands on, +y up. Leaves the colour
// at the crane's green (0.5, 0.8, 0).
void brazoGrua();
// The four fingers around the current z axis, pointing toward -z, in the current colour.
void pinzaGrua();
