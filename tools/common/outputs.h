// What the tools share about their calls and their outputs: the version line,
// and the checks made before a file is written over.
#pragma once

#include <string>

// "NAME (practica02) VERSION".
std::string lineaVersion(const std::string& programa);
// Whether something (a file, a folder, a link, even a dangling one) has that name.
bool existe(const std::string& ruta);
// Whether two names reach the same file (the same device and inode, through
// links and ".."); "-" names standard input. False when either does not exist.
bool mismoFichero(const std::string& a, const std::string& b);
