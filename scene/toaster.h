// The winged toaster: body, two toast slices, a lever, two flapping wings.
#pragma once

// The whole toaster; origin at a bottom corner of its 0.2 x 0.15 x 0.1 body.
// Leaves the colour white.
void tostadora();
// One wing, root along x from 0 to 0.15, reaching toward +z, flapped by the
// current wing-beat phase, in the current colour.
void alaTostadora();
