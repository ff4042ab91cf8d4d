// What the tools share about their calls and their outputs: the version line,
// counts in messages, and the checks made before a file is written over.
#pragma once

#include <string>

// "NAME (practica02) VERSION".
std::string lineaVersion(const std::string& programa);
// "1 frame", "2 frames": n and the word for one or for several.
std::string plural(long long n, const char* uno, const char* varios);
// Whether something (a file, a folder, a link, even a dangling one) has that name.
bool existe(const std::string& ruta);
// Whether two names reach the same file (the same device and inode, through
// links and ".."); "-" names standard input. False when either does not exist.
bool mismoFichero(const std::string& a, const std::string& b);
