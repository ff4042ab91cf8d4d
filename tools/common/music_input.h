// The music of a soundtrack as the tools take it: --music names an audio file
// that ffmpeg reads, or a shot list (NAME.shots) whose music line names one
// beside it; --music-offset and --music-gain place it and set its level, over
// the music line's own settings. The music begins at the story's frame 0,
// moved by its offset, whatever frames are heard.
#pragma once

#include "sound/soundtrack.h"
#include "tools/common/command_line.h"

#include <string>

struct PeticionMusica {
    std::string fichero;           // --music; empty for none
    double desplazamiento = 0.0;   // --music-offset, seconds (positive: later)
    double gananciaDb = -6.0;      // --music-gain
    CLI::Option* opcion = nullptr;               // --music, to tell whether it was given
    CLI::Option* opcionDesplazamiento = nullptr;
    CLI::Option* opcionGanancia = nullptr;

    bool hay() const { return !fichero.empty(); }
};

// --music FILE, --music-offset SECONDS, --music-gain DB; the last two need the first.
void declararMusica(CLI::App& app, PeticionMusica& peticion);

struct MusicaCargada {
    Musica musica;       // decoded, placed, at its gain
    std::string audio;   // the audio file read: --music, or the one a shot list names
    std::string aviso;   // a sentence when none of it falls within the film; else empty
    std::string error;   // one sentence when it cannot be had; else empty

    bool bien() const { return error.empty(); }
};

// The music for frames 0 to hasta of a soundtrack fotogramas frames long: as
// much of the audio as they hear, decoded. error says why when the shot list
// does not read or has no music line, or the audio cannot be decoded; aviso
// when the music lies wholly outside the fotogramas frames.
MusicaCargada cargarMusica(const PeticionMusica& peticion, int hasta, int fotogramas);

// cargarMusica for an output: also an error when salida (a file; empty for
// standard output) would be written over the music read; lo: what salida is
// ("the soundtrack", "the video").
MusicaCargada cargarMusicaPara(const PeticionMusica& peticion, int hasta, int fotogramas, const std::string& salida,
                               const char* lo);

// "the music FILE from S s at G dB": what a summary says of it.
std::string describirMusica(const MusicaCargada& cargada);
