// The title screen and the 2D helpers it shares with the credits screen: the
// design space of mundoX x mundoY units, origin bottom left, y up.
#pragma once

// Clear colour black; viewport over the whole screen (winX x winY); orthographic
// projection of the design space; modelling matrix identity.
void ini_2d();
// The same set-up, used by the credits screen every frame.
void fin_2d();
// Bitmap text at the current raster position, Helvetica 18.
void EscribirTexto(const char* texto);
// One button: filled (r, g, b) rectangle with a red outline and a red label
// centred by assuming 10 units per character and 10 units of height.
void PintarBoton(int x, int y, int w, int h, const char* texto, float r, float g, float b);
// Display callback of the title screen.
void display_ini();

// The buttons' rectangles in the design space (lower-left corner, size).
struct RectanguloBoton {
    int x, y, w, h;
    const char* texto;
};
constexpr int NUM_BOTONES = 3;
extern const RectanguloBoton botones[NUM_BOTONES];
