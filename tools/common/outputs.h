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
// An output as messages name it: "standard output" for "-", /dev/stdout and
// the like, else its name.
std::string nombreSalida(const std::string& salida);
// Whether writing to an output needs --force: something has that name, and it
// is not written into (a device, a FIFO, a socket, a descriptor's name such as
// /dev/stdout, through links), which is no file that a person would lose.
bool pideForzar(const std::string& salida);
// Whether writing to salida would write over the file entrada names: the same
// device and inode, through links and ".."; "-" names standard input as the
// input, standard output as the output. False when either does not exist.
bool escribiriaSobre(const std::string& salida, const std::string& entrada);
