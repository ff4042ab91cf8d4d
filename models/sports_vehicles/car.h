// The flying car: a two-door wire car whose wheels tilt into rotors.
#pragma once

// The whole car: body, both doors, four wheels. Origin at the bottom rear corner
// of the body on its z = 0 side (the centre of that rear wheel), +x forward, the
// body between z = 0 and z = -2. Leaves the colour (1, 0, 0.4) and line width 1.
void coche();
// One door of the z = 0 side (x 0.75 to 2.25) with its fixed opening outline,
// swung by movpuertacoche about its lower edge; current colour and line width.
void puertaCoche();
// One wheel centred on the origin, axle along z, rolled by mov_coche; current
// colour and line width.
void ruedaCoche();
