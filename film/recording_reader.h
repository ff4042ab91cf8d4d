// Reading a recording made with U: one pose per line, nine numbers each (eye,
// centre, up), no count; blank lines are allowed and an empty file is an empty
// recording. A file that already starts with a count line alone is a film, not a
// recording, and is refused as such.
#pragma once

#include "film/film_reader.h"
#include "film/text_lines.h"

#include <array>
#include <string>
#include <vector>

struct LecturaGrabacion {
    std::vector<std::array<float, 9>> poses;  // in file order
    std::vector<PosicionTexto> inicioPose;    // where each pose's first number stands
    ErroresTexto errores;                     // at most one per line

    bool bien() const { return errores.vacio(); }
};

LecturaGrabacion leerGrabacion(const std::string& texto);
