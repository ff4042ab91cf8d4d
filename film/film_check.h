// Checking a film: whether PLAY can read it, and whether each of its poses shows
// something sensible. A film PLAY cannot read, and a pose that draws nothing or
// nonsense, are errors; what PLAY plays but the user may not mean (numbers after
// the last record, a centre beyond the far plane, no records at all) are warnings.
#pragma once

#include "film/diagnostics.h"
#include "film/film_reader.h"

#include <array>
#include <string>
#include <utility>
#include <vector>

enum class TipoHallazgo {
    Ilegible,         // error: PLAY cannot read the film (the reader's fault)
    ValorNoFinito,    // error: a pose holds an infinity or a NaN
    OjoEnCentro,      // error: the eye stands on the centre, so there is no line of sight
    ArribaNulo,       // error: the up vector has no length
    ArribaEnLaVista,  // error: the up vector lies along the line of sight
    CentroLejano,     // warning: the centre is beyond the far plane
    SinRegistros,     // warning: a count of 0
    RestoIgnorado,    // warning: numbers after the last record
};

Gravedad gravedadDe(TipoHallazgo tipo);

struct Hallazgo {
    TipoHallazgo tipo = TipoHallazgo::Ilegible;
    int registro = -1;   // the record (= frame) a pose finding is about; -1 for the file
    PosicionTexto donde;
};

// The first thing wrong with a pose, in this order: a value not finite, the eye on
// the centre, a zero up vector, an up vector along the line of sight, the centre
// beyond the far plane. False when nothing is.
bool problemaDePose(const std::array<float, 9>& pose, TipoHallazgo& tipo);

struct RevisionPelicula {
    LecturaPelicula lectura;
    std::vector<Hallazgo> hallazgos;  // in file order

    int errores() const;
    int avisos() const;
    bool legible() const { return lectura.bien(); }
    bool sana() const { return errores() == 0; }
};

// Checks a film as read (with mirarResto). The records read before a reading fault
// are checked too.
RevisionPelicula revisarPelicula(LecturaPelicula lectura);
// Reads a film's text as PLAY would, and checks it.
RevisionPelicula revisarTexto(const std::string& texto);

// What a finding says, without file or place. Pose findings say what is wrong with
// the pose (describirHallazgo adds "frame N: " before it).
std::string describirProblema(TipoHallazgo tipo, const std::array<float, 9>& pose);
std::string describirHallazgo(const Hallazgo& hallazgo, const LecturaPelicula& lectura);
// What the findings of a kind are about, after "... and N more ".
std::string pluralDe(TipoHallazgo tipo);

// The findings worth printing: the first porTipo of each kind, in file order, and
// for each kind with more, how many are left out.
struct Seleccion {
    std::vector<Hallazgo> mostrados;
    std::vector<std::pair<TipoHallazgo, int>> omitidos;
};
Seleccion seleccionarHallazgos(const std::vector<Hallazgo>& hallazgos, size_t porTipo = 5);

// What PLAY shows with a film of this many records, e.g. "the whole story (frames
// 0 to 7811), then the credits".
std::string queMuestra(int registros);
