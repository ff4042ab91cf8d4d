// Playing the story through a film without a window, as PLAY does: the film read
// and installed in the scene state, the story stepped frame by frame by the
// timeline's own step, and a frame's picture drawn by the program's own camera
// and drawing into the current GL context, not shown. PLAY's loader, the
// renderer, the frame benchmark and the film compiler play the story here.
#pragma once

#include "film/film_reader.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

// A film file read as PLAY reads it.
struct FicheroPelicula {
    bool abierto = false;     // false: the file cannot be opened (errorApertura says why)
    int errorApertura = 0;    // errno
    LecturaPelicula lectura;  // what was read, when it was opened
};
FicheroPelicula leerFicheroPelicula(const std::string& ruta);

// Installs a film in the scene state as PLAY plays it: nfotogramas, the count
// read; vfotogramas, the poses read.
void instalarPelicula(LecturaPelicula&& lectura);

// A fresh scene to play the story in without a window: the start-up defaults,
// PLAY mode, no film.
void escenaSinVentana();
// The size of the pictures drawn, in pixels: the camera sees a full screen of it.
void tamanoSinVentana(int ancho, int alto);

// Steps the story until frame n has been stepped: fotograma is then n + 1 and the
// camera stands at the pose of frame n, where PLAY stands when it shows that
// frame's picture. Draws nothing; from frame n + 1 or later it does nothing.
void avanzarHasta(int n);

// A film's story played from its start without drawing, as the renderer plays
// it: a fresh scene, the poses installed, and the story stepped through frame
// hasta. oir is called before the first step and after each one, to read the
// scene as it then stands (the soundtrack listens to the story this way).
void recorrerPelicula(const std::vector<std::array<float, 9>>& poses, int hasta, const std::function<void()>& oir);

// The picture of where the story stands: the camera set from the current pose and
// the world drawn into the current context, not shown.
void dibujarFotograma();
