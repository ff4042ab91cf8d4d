// The film's camera drawn in the studio's free view.
#pragma once

#include <array>
#include <vector>

// The film's camera at pose p (nine floats: eye, centre, up) as the free view
// shows it: its path (every frame's eye in camino), a small wire pyramid from its
// eye towards its centre with a tick on its up side, and a line on to the centre.
void dibujarCamaraDePelicula(const std::array<float, 9>& p, const std::vector<std::array<float, 9>>& camino);
