// The film tool's parts: the command asked for, and what its commands share
// (the input read within the size limit, the output written whole, findings
// printed as FILE:LINE:COL). tools/film.cpp reads the call and runs the
// command; film keys and film sound are in files of their own here.
#pragma once

#include "film/film_check.h"
#include "film/film_reader.h"
#include "film/diagnostics.h"
#include "scene/timeline.h"
#include "tools/common/command_line.h"
#include "tools/common/music_input.h"

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace film_tool {

struct Orden {
    std::string verbo;
    std::string entrada;           // the file the verb reads
    std::string salida;            // the film to write; empty for standard output
    int longitud = FOTOGRAMAS_GUION;  // compile: the film's length in frames
    bool forzar = false;           // --force: the output may replace a file that exists
    double tolerancia = 0.05;      // keys: world units
    std::vector<Tramo> tramos;     // keys, sound: the frames given (one range), none for all
    PeticionMusica musica;         // sound: --music, --music-offset, --music-gain
    std::string solo;              // sound: --only, the families of sounds kept

    // The input as messages name it: standard input as compilers name it.
    std::string nombre() const { return entrada == "-" ? "<stdin>" : entrada; }
};

// "N errors, M warnings".
std::string cuentas(int errores, int avisos);

// The whole input file as text; false, said in one line, when it cannot be read
// or is larger than TAMANO_MAXIMO_CAMARA bytes.
bool leerTexto(const Orden& o, std::string& texto);

// The film read as it goes, and checked; false, with the findings or why not,
// when it cannot be read or a pose shows nothing sensible.
bool leerPeliculaSana(const Orden& o, RevisionPelicula& r);

// Writes the output (a film, a shot list, a WAV file) whole to its file, or to
// standard output when destino is empty. False, with a message, when it cannot.
bool escribirPelicula(const std::string& destino, const std::string& texto);

// The reading errors of a recording or a shot list, the first few of them.
void imprimirErrores(const std::string& fichero, const ErroresTexto& errores);

// A film's findings, the first few of each kind, each shown where lugar says.
void imprimirRevision(FILE* salida, const std::string& fichero, const RevisionPelicula& r,
                      const std::function<Diagnostico(const Hallazgo&)>& lugar);

// film keys: the film's frames as the few keys of a shot list.
int claves(const Orden& o);

// film sound: the soundtrack heard through the film, of the families in familias.
int sonido(const Orden& o, uint32_t familias);

// The families of sounds --only names ("bells,train"), as a mask. False at a
// name that is none.
bool familiasDe(const std::string& lista, uint32_t& mascara);

// The families' names, for --only's help.
std::string nombresDeFamilias();

}  // namespace film_tool
