// The railway line: a straight double-rail track 500 long with sleepers and rail
// clips, the overhead catenary of 25 lattice masts with its contact wires, and
// the floor slab of a train car.
#pragma once

// One sleeper, 4 x 0.2 x 1, corner at the origin.
void traviesa();
// One rail, 0.2 wide, 0.4 high, 500 long along +z, corner at the origin.
void rail();
// One rail clip of L section (foot along x, leg along y), 0.2 long in z.
void fijacion1();
// The four clips of sleeper n, at z = 3n + 0.4, both sides of both rails.
void fijaciones(int n);
// The whole track: 154 sleepers with their clips (none where the level crossing
// crosses, z 402 to 408) and two rails. Leaves the colour the rails' grey.
void vias_tren();
// One lattice mast 12 high with its cantilever arm, hanger, strut and stay wire;
// origin at the foot of its -x, -z corner. Sets no colour.
void posteCatenaria();
// The 25 masts on the -x side and the contact wire pair with its droppers, in the
// current colour.
void catenaria();
// The floor slab of a car, 5 x 0.4 x 18, with its grid on top; corner at the origin.
void plataforma();
