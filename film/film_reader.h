// Reading a film: a count, then that many records of nine numbers (eye, centre,
// up), every number separated by any white space, as the standard scanner reads
// "%d" then "%f". The reader keeps the line and column of what it read, so that a
// refusal can say where it went wrong and what was expected there. PLAY's loader,
// the film checker and the renderer all read films through it.
#pragma once

#include "film/text_lines.h"

#include <array>
#include <cstdio>
#include <string>
#include <vector>

// The largest camera file read (a film, a recording, a shot list): a longer one,
// or one that never ends (a device, a pipe), is surely a slip.
constexpr long long TAMANO_MAXIMO_CAMARA = 1LL << 30;
constexpr const char* TEXTO_TAMANO_MAXIMO_CAMARA = "1 GiB";

enum class FalloPelicula {
    Ninguno,
    SinCuenta,           // no count where the file starts (empty, or not an integer)
    CuentaFueraDeRango,  // a count beyond the range of an int
    CuentaNegativa,      // a count below zero
    FaltanRegistros,     // the file ends before the announced records are all read
    NoEsNumero,          // a value that is not a number
    SinMemoria,          // a record could not be stored
    DemasiadoGrande,     // the file goes on past TAMANO_MAXIMO_CAMARA
};

struct LecturaPelicula {
    FalloPelicula fallo = FalloPelicula::Ninguno;
    PosicionTexto donde;           // where the fault is (the token, or the end of the file)
    std::string encontrado;        // the token found there; empty at the end of the file
    bool hayCuenta = false;        // the count was read
    int cuenta = 0;                // the count, as read (may be negative)
    PosicionTexto posicionCuenta;  // where the count stands
    std::vector<std::array<float, 9>> poses;    // the records read, in file order
    std::vector<PosicionTexto> inicioRegistro;  // where each record's first number stands
    bool hayResto = false;         // something follows the last record (only when asked)
    PosicionTexto resto;           // where it starts

    bool bien() const { return fallo == FalloPelicula::Ninguno; }
    // PLAY's loader result: 0, -1 for a negative count, -2 when a record cannot be
    // stored, -3 when the count or a record cannot be read.
    int codigo() const;
};

// Reads a film from an open file, from where it stands. Stops after the last
// record; with mirarResto it also looks whether anything follows. A regular file
// of more than TAMANO_MAXIMO_CAMARA bytes is refused before it is read, any other
// when its reading goes past them.
LecturaPelicula leerPelicula(FILE* fichero, bool mirarResto = false);

// What went wrong, as "expected ..., found ..." (no position, no file name).
std::string describirFallo(const LecturaPelicula& lectura);
