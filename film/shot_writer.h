// Writing shot lists: the text of a key as the shot-list reader reads it back,
// key for key. Numbers are written in the fewest decimals that read back as the
// same float; a key's fields are padded to the bundled shot list's columns, so
// that keys written here line up with keys written by hand.
#pragma once

#include "film/shot_list.h"

#include <string>
#include <vector>

// The shortest "%.Nf" text (N from 0 to 9) that the reader reads back as the same
// float; beyond that, "%.9g". Never "-0".
std::string textoDeNumero(float valor);
// A key's point: "X Y Z", "NAME", or "NAME + DX DY DZ".
std::string textoDePunto(const PuntoToma& punto);
// A key's line, without its newline: FRAME EYE CENTRE UP MOTION, the motion always written.
std::string lineaDeClave(const ClaveToma& clave);
// The music line, without its newline: music "NAME" and the settings that differ
// from the reader's defaults (offset 0, no tempo, gain -6), numbers in the fewest
// digits that read back as the same double.
std::string lineaDeMusica(const MusicaDeTomas& musica);
// A whole shot list: each line of comentario as a comment ("# ..."; none when it is
// empty), then the keys, one a line, each ended by a newline.
std::string textoDeTomas(const std::vector<ClaveToma>& claves, const std::string& comentario);
