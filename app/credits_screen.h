// The credits screen: the toaster spinning in a perspective view on the right,
// four lines of white text on the left.
#pragma once

// Perspective view of the credits screen's toaster.
void marco_tostadora();
// Display callback of the credits screen: draws it (dibujarCreditos) and swaps the buffers.
void display_fin();
// Draws the credits screen where the toaster's spin stands into the current
// context; shows nothing.
void dibujarCreditos();
