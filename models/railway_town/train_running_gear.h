// The parts of a train car outside its shell: the spoked wheels, the bogies that
// carry them, and the car sides with their sliding plug doors.
#pragma once

// One wheel in the xy plane, centred on the origin, axle along z: rim of radius
// 1 (outer edge 1.1), hub, twelve spokes. In the current colour.
void rueda();
// Bogie n of a car: frame from z = 6n to 6n + 5, two axles, four wheels turned by
// angulo_tren. Sets the bogies' grey.
void eje(int n);
// The lower panel and the three window pillars of half a car side, 8 long.
void MedioLateralTren();
// One yellow door leaf as filled boxes: 0.1 thick, 3 high, 1 wide, with a window.
void puertaTren();
// A whole car side (x 0 to 0.2, outward -x, 4 high, 18 long) with both door leaves
// placed by movpuerta. Leaves the colour blue.
void lateralTren();
