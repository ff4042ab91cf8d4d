// The form of the film tools' findings: one line each, with the file and the
// place, as compilers print theirs.
#pragma once

#include "film/text_lines.h"

#include <string>

enum class Gravedad { Error, Aviso, Nota };

// Where a finding is shown in the file the user wrote, and what it says there.
struct Diagnostico {
    PosicionTexto donde;
    std::string mensaje;
};

// One diagnostic line, "FILE:LINE:COL: error: MESSAGE": the column is left out
// when it is 0, and the line too when that is 0; "warning:" and "note:" for the rest.
std::string lineaDiagnostico(const std::string& fichero, PosicionTexto donde, Gravedad gravedad,
                             const std::string& mensaje);
