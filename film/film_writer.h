// A film's text as the tools write it: what PLAY reads back pose for pose.
#pragma once

#include "film/film_reader.h"

#include <array>
#include <string>
#include <vector>

// The count line, then one pose per line as U writes them (nine numbers with six decimals).
std::string textoDePelicula(const std::vector<std::array<float, 9>>& poses);

// What that text reads back as (a count line, then one record a line from line
// 2), without writing it: each number as its six decimals read back. The film
// check of it finds what the check of the text finds.
LecturaPelicula lecturaDeTexto(const std::vector<std::array<float, 9>>& poses);
