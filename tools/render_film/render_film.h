// render_film's parts: the options of a run, its plan (the frames drawn and the
// pictures written), the checks of its outputs and its soundtrack.
// tools/render_film.cpp reads the call, draws and writes.
#pragma once

#include "tools/common/command_line.h"
#include "tools/common/music_input.h"
#include "tools/common/video_pipe.h"

#include <cstdint>
#include <string>
#include <vector>

namespace render_film {

struct Opciones {
    std::string pelicula;
    std::string carpeta;     // --out
    std::string video;       // --video
    std::vector<Tramo> tramos;  // --frames: each A to B inclusive (none: every pose)
    int cada = 1;
    Tamano tamano{1280, 720};
    double creditos = 0.0;   // seconds
    AjustesVideo codificador;  // --crf, --preset; the size and rate are set when it starts
    bool suavizar = false;   // --smooth
    bool compartir = false;  // --share
    bool sonido = false;     // --sound, or --music, or --share on frames that follow one another
    bool mudo = false;       // --share on frames that do not: a silent video
    PeticionMusica musica;   // --music, --music-offset, --music-gain
    bool forzar = false;     // --force
    bool callada = false;
};

// The frames this run draws and the pictures it writes.
struct Plan {
    std::vector<int> cuadros;          // the story's frames drawn, in order
    int pasosCreditos = 0;             // the credits screen's steps, 40 a second
    std::vector<std::string> nombres;  // the pictures, in the order drawn
};

// Says why on standard error and exits with salida (the run's temporaries go
// with the exit's handlers).
[[noreturn]] void fallar(const std::string& mensaje, int salida = SALIDA_FALLO);

// Refuses, before anything is written, an output that is the film itself, and one
// that exists unless --force.
void comprobarSalidas(const Opciones& o, const std::vector<std::string>& nombres);

// Makes DIR if needed and checks that files can be made there.
void prepararCarpeta(const std::string& carpeta);

// --force: the folder cleared of the pictures an earlier run left (regular files only).
void vaciarCarpeta(const std::string& carpeta);

// The soundtrack of the plan's frames, which follow one another, then of its
// credits, before anything is drawn; the scene state is then set up again with
// the film for the drawing.
std::vector<int16_t> sintetizarSonido(const Opciones& o, const Plan& plan);

}  // namespace render_film
