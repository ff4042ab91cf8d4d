// The mobile crane: chassis, cab, rolling wheels, swing-out jacks, the arm with
// its grip, and the tipping bed on which the car rides.
#pragma once

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
