// A film's text as the tools write it: what PLAY reads back pose for pose.
#pragma once

#include <array>
#include <string>
#include <vector>

// The count line, then one pose per line as U writes them (nine numbers with six decimals).
std::string textoDePelicula(const std::vector<std::array<float, 9>>& poses);
