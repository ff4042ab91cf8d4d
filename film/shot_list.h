// Reading a shot list: the keys of a camera path, one per line,
//
//   FRAME EYE CENTRE UP [MOTION]
//
// FRAME a whole number, 0 or more, below the film's length and above the previous
// key's frame; EYE and CENTRE each three numbers "X Y Z", or a thing's name
// ("train"), or a name and an offset ("train + DX DY DZ"); UP three numbers;
// MOTION how the camera goes on to the next key: step, linear or smooth (the
// default). A '#' starts a comment to the end of the line; blank lines are
// ignored. A control character (but tab and carriage return) is an error where
// it stands, in a comment too. Numbers are read as recording writes them (any
// form the standard scanner reads) and must be finite.
//
// One line, anywhere in the list, may name the music played with the story:
//
//   music "FILE NAME" [offset SECONDS] [tempo BPM] [gain DB]
//
// the audio file's name between double quotes (\" and \\ for a quote and a
// backslash in it; a '#' there is part of the name), then each setting at most
// once, in any order. A second music line is an error. Films are made of the
// keys alone: the music line changes no pose.
#pragma once

#include "film/film_reader.h"
#include "film/text_lines.h"
#include "scene/actors.h"

#include <array>
#include <string>
#include <vector>

enum class Movimiento {
    Fijo,    // "step":   hold this key until the next
    Lineal,  // "linear": a straight move at constant speed
    Suave,   // "smooth": a curve through the keys, with no jump in speed at a key
};

// A point of a key: fixed, or where a thing of the story is at each frame, plus an offset.
struct PuntoToma {
    bool conActor = false;
    Actor actor = Actor::Tostadora;
    std::array<float, 3> xyz{};  // the point, or the offset from the thing (world units)
};

// Where a field of a key stands on its line: from column desde up to, not
// including, column hasta (1-based, in bytes).
struct CampoTexto {
    int desde = 0, hasta = 0;
};

struct ClaveToma {
    int fotograma = 0;
    PuntoToma ojo, centro;
    std::array<float, 3> arriba{};
    Movimiento movimiento = Movimiento::Suave;  // from this key to the next
    int linea = 0;                              // where the key stands in the shot list
    // Its fields on that line; the motion's is empty, just after the up vector,
    // when the line names none.
    CampoTexto campoFotograma, campoOjo, campoCentro, campoArriba, campoMovimiento;
};

// The music line's limits: an offset of at most a day either way, a tempo above
// 0 and up to 1000 beats a minute, a gain from -60 to +20 dB.
constexpr double DESPLAZAMIENTO_MAXIMO_MUSICA = 86400.0;
constexpr double TEMPO_MAXIMO_MUSICA = 1000.0;
constexpr double GANANCIA_MINIMA_MUSICA = -60.0;
constexpr double GANANCIA_MAXIMA_MUSICA = 20.0;

// The music a shot list names.
struct MusicaDeTomas {
    bool hay = false;             // whether the list has a music line
    std::string fichero;          // the audio file's name as written: relative to the shot list's folder
    double desplazamiento = 0.0;  // seconds from the story's frame 0 to the music's start (< 0: cut in)
    double tempo = 0.0;           // beats a minute; 0 when the line gives none
    double gananciaDb = -6.0;     // its level in the mix
    int linea = 0;                // where the line stands
};

struct ListaDeTomas {
    std::vector<ClaveToma> claves;  // frames strictly increasing
    MusicaDeTomas musica;
    ErroresTexto errores;           // at most one per line

    bool bien() const { return errores.vacio(); }
};

// Reads a shot list for a film of the given number of frames.
ListaDeTomas leerListaDeTomas(const std::string& texto, int fotogramas);

// The motion's name in a shot list ("step", "linear", "smooth").
const char* nombreDeMovimiento(Movimiento movimiento);
