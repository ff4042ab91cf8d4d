// A film as the tools that play it read it (render_film, frame_benchmark): loaded
// as PLAY loads it, with PLAY's refusals and exit codes, and the frames of it
// that a --frames list of ranges chooses.
#pragma once

#include "tools/common/command_line.h"

#include <string>
#include <vector>

// Reads the film at ruta as PLAY does and installs it in the scene state (after
// escenaSinVentana). SALIDA_BIEN; else, as PLAY, SALIDA_NO_ABRE when it cannot be
// opened or SALIDA_NO_CARGA when it cannot be read, with a sentence that says
// where and why in error.
int cargarPelicula(const std::string& ruta, std::string& error);

// The frames of a film of poses poses that tramos choose, every cada of each
// range from its start, in the story's order, each once; every pose when tramos
// is empty. False, with a sentence naming the film in error, when a range goes
// past the film's last pose.
bool fotogramasElegidos(const std::vector<Tramo>& tramos, int cada, const std::string& pelicula, int poses,
                        std::vector<int>& fotogramas, std::string& error);
