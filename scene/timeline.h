// The story's script: one step per frame, the schedule of frame ranges that
// changes the scene state, the ball's throws, and the credits screen's step.
#pragma once

#include <vector>

// PLAY's idle callback: installs the frame's pose, waits 25 ms, applies the
// schedule, advances fotograma, applies the view, prints the frame number, and
// switches to the credits screen after the last pose.
void refresco();
// Sets xbalon, ybalon for the current frame of a throw that started at frame t0.
void moverBalon(float velocidad, float coseno, float seno, int t0);
// The credits screen's idle callback: the toaster spins and beats its wings.
void refresco_tostadora();

// Applies the nine groups of the schedule for the frame fotograma (no wait, no view).
void aplicarGuion();
// One step of the story without waiting or drawing: installs the pose of the frame
// fotograma (while there is one), applies the schedule and advances fotograma.
// What refresco does between its wait and its view; the renderer and the film
// tool step the story with it.
void pasoDelGuion();
// One step of the credits screen without waiting or drawing: the wings beat a
// phase, the toaster turns 3 degrees.
void pasoTostadora();
// Installs the credits screen's callbacks and window.
void pasarAPantallaFinal();
// Milliseconds each step waits.
constexpr int PAUSA_PASO_MS = 25;
// The story's length in frames: the schedule runs from frame 0 to frame 7811. A
// film of this many poses shows all of it, then the credits.
constexpr int FOTOGRAMAS_GUION = 7812;

// A beat of the story: the frame it begins at, and what happens then ("kick").
struct MomentoGuion {
    int fotograma;
    const char* nombre;
};
// The story's beats in frame order, at the frames the schedule runs them.
const std::vector<MomentoGuion>& momentosDelGuion();
