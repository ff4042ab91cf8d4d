// The title screen's mouse: a left press on PLAY, REC or SALIR chooses the mode once.
#pragma once

enum class Boton { Ninguno, Play, Rec, Salir };

// Mouse callback of the title screen.
void raton(int button, int state, int x, int y);
// The button under a window pixel (x right, y down), by the design-space hit rectangles.
Boton botonEnPixel(int x, int y);

// The three choices, as the buttons make them.
void elegirPlay();
void elegirRec();
void elegirSalir();
