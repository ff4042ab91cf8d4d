// The crane's arm: a slewing three-link boom with a turning four-finger grip,
// from which the car hangs while the crane holds it.
#pragma once

#include "scene/placement.h"

// The arm, the grip and (while estado_coche is 3) the hanging car. Origin at the
// centre of the arm's base on the surface it stands on, +y up. Leaves the colour
// at the crane's green (0.5, 0.8, 0).
void brazoGrua();
// The four fingers around the current z axis, pointing toward -z, in the current colour.
void pinzaGrua();

// The arm's joints and links, base to grip, in the order they nest: each one's
// space follows from the one before it.
enum class TramoBrazo {
    Giro,            // turned about y by the slew, angulo_brazo[0]
    Hombro,          // the shoulder drum's space, turned about z by angulo_brazo[1]
    PrimerEslabon,   // the first link's corner
    Codo,            // the elbow drum's space, turned about z by angulo_brazo[2]
    SegundoEslabon,  // the second link's corner
    Muneca,          // the wrist drum's space, turned about z by angulo_brazo[3]
    TercerEslabon,   // the third link's corner
    Pinza,           // the grip mount, twisted by angulo_brazo[4], its axis along z
};
// The step from the space before tramo (the arm's base for Giro) to tramo's.
void colocarTramo(Colocacion& c, TramoBrazo tramo);
// The space of a joint or link, from the arm's base: every step up to it.
void colocarBrazoHasta(Colocacion& c, TramoBrazo hasta);
// The car hanging from the grip at half size, roof toward the grip, from the
// third link's space.
void colgarCoche(Colocacion& c);
