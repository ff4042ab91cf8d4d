// The studio's program between its calls: the film shown, its compiled shot
// list, the music set, and the last answer given (valid until the next call).
// web/app/studio_calls.cpp and studio_sound_calls.cpp are its calls.
#pragma once

#include "film/shot_compiler.h"
#include "sound/soundtrack.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using Pose = std::array<float, 9>;

struct Estudio {
    std::vector<Pose> poses;           // the film shown: the last shot list that read well, or a film read
    PeliculaCompilada compilada;       // that shot list compiled, its text written when first asked for
    bool dePelicula = false;           // the film shown was read, not compiled from a shot list
    std::string respuesta;             // the last answer
    std::array<float, 36> actores{};   // the last actors' points, 12 times x y z
    std::vector<int16_t> sonido;       // the last soundtrack asked for
    Musica musica;                     // the music played with the story; none while it holds no sample
};

inline Estudio& estudio()
{
    static Estudio e;
    return e;
}
