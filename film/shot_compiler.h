// A shot list compiled into a film, as `film compile` makes it: the keys read,
// the camera at every frame, the film's text, and the film check's findings put
// in the shot list's terms (a bad frame is shown at the key it comes from, with
// the key it goes to). The film tool and the page's studio compile with it.
#pragma once

#include "film/diagnostics.h"
#include "film/film_check.h"
#include "film/shot_list.h"

#include <array>
#include <string>
#include <vector>

struct PeliculaCompilada {
    ListaDeTomas lista;                        // the keys, or the reading errors
    std::vector<std::array<float, 9>> poses;   // one per frame; empty when the list has errors
    std::string texto;                         // the film's text; empty when the list has errors, or not written
    RevisionPelicula revision;                 // the film check of that text (of what it would read back as)

    // The film may be written: the list reads and the film is sound.
    bool bien() const { return lista.bien() && revision.sana(); }
};

// Reads the shot list, and when it reads well, compiles the film of that many
// frames and checks it. With conTexto, the film's text is written and the check
// reads it back, as `film compile` does; without, the check reads the poses as
// the text would give them back, and the text is left to escribirTexto.
PeliculaCompilada compilarTomas(const std::string& texto, int fotogramas, bool conTexto = true);
// Writes the compiled film's text, when it is not written yet, and checks it as read back.
void escribirTexto(PeliculaCompilada& compilada);

// Where a finding of the film made from these keys is shown in the shot list: a
// frame's finding at the line of the key the frame comes from, saying which
// frame, and how the camera gets there; a finding about the whole film at no line.
Diagnostico diagnosticoDeTomas(const Hallazgo& hallazgo, const RevisionPelicula& revision,
                               const std::vector<ClaveToma>& claves);
