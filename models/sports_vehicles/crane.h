// The mobile crane: chassis, cab, rolling wheels, swing-out jacks, the arm with
// its grip, and the tipping bed on which the car rides.
#pragma once

#include "scene/placement.h"

// The chassis, from the origin along +x (toward the bed), +y and +z.
constexpr float LARGO_CHASIS_GRUA = 6.0f;
constexpr float ALTO_CHASIS_GRUA  = 0.5f;
constexpr float ANCHO_CHASIS_GRUA = 2.0f;
// The middle of the chassis, in the crane's space.
constexpr PuntoModelo MITAD_CHASIS_GRUA = {LARGO_CHASIS_GRUA / 2.0, ALTO_CHASIS_GRUA / 2.0, ANCHO_CHASIS_GRUA / 2.0};

// The arm's base, on the chassis top at mid-width behind the cab, from the crane's space.
void colocarBrazo(Colocacion& c);
// The bed's space: hinged on the chassis' rear top edge at mid-width, turned to
// face the cab and tipped by pendiente_grua, its corner at the origin; from the
// crane's space.
void colocarCaja(Colocacion& c);
// The car riding on the bed (estado_coche 4) at half size, facing the cab, moved
// back by mov_coche; from the bed's space.
void colocarCocheEnCaja(Colocacion& c);

// The whole crane. Origin at the bottom front corner of the chassis on its z = 0
// side; -x forward, +y up, the chassis between z = 0 and z = 2. Leaves the colour
// the car set while the car stands on the bed, else the crane's green.
void grua();
// The cab with bumper, grille, both doors and both mirrors, in the current colour.
void cabinaGrua();
// One cab door outline with its window, in the plane z = 0, in the current colour.
void puertaCabinaGrua();
// One wing mirror attached at the origin, standing out toward -z; its thick arm
// leaves the line width 1.
void espejoCabinaGrua();
// One wheel centred on the origin, axle along z, rolled by the crane's travel; sets its own colours.
void ruedaGrua();
// The four wheels.
void ruedasGrua4();
// One stabiliser jack with its pivot at the origin, its beam swung by angulo degrees about y.
void gatoGrua(int angulo);
// The four jacks, swung out by angulo_gato.
void gatosGrua4();
