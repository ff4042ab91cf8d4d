// The camera: perspective projection, look-at from the pose qq..cc, the 4:3
// window rule, learning the screen size, and the function keys.
#pragma once

// The perspective projection: vertical field of view in degrees, and the near and
// far planes in world units from the eye (nothing farther is drawn).
constexpr double CAMPO_VISION_GRADOS = 45.0;
constexpr double PLANO_CERCANO = 1.0;
constexpr double PLANO_LEJANO = 1000.0;

// Reshape callback of the 3D scene and the one routine that applies the pose.
void reshape(int w, int h);
// Reshape callback of the title and credits screens: holds the window at winX x winY.
void reshape_fijo(int w, int h);
// First reshape callback: learns the screen size, then hands over to reshape_fijo.
void ConocerResolucionMonitor(int w, int h);
// Special keys: F1 toggles full screen; in REC, F3 to F12 pose the crane's arm.
void keyboard_especial(int key, int x, int y);

// Applies the current pose: reshape over the screen when full screen, else over the window.
void aplicarCamara();
// Applies the current pose and asks for a redisplay.
void refrescarVista();
