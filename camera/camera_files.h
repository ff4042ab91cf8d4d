// Camera files: the names of new recordings, loading a film into memory, the
// pose line format, and the keyboard of playback.
#pragma once

#include <array>
#include <cstdio>
#include <ctime>
#include <string>

// "camara-" + day, month, year, hour, minute, second (all but the year two digits) + ".txt".
std::string nombreFicheroCamara(const std::tm& cuando);
// The name for a new recording, from the local time now.
std::string GenerarNombreFichero();

// Loads a film: a count line, then that many records of nine numbers. Sets
// nfotogramas and vfotogramas. 0 on success; -1 for a negative count, -2 when a
// record cannot be stored, -3 when the count or a record cannot be read (a
// count beyond the range of an int cannot be read).
int cargarCamaraEnMemoria(FILE* fichero);

// The current pose as one line of nine numbers with six decimals, ended by a newline.
std::string lineaPose();
// The same line for a given pose (qq ww ee aa ss dd zz xx cc).
std::string lineaPose(const std::array<float, 9>& pose);

// Keyboard of playback and of the credits screen: ESC, space (pause), U.
void keyboard_play(unsigned char key, int x, int y);
