// The tools' command lines, read one way: the exit codes they share; the values
// their options take (whole numbers, lists of frame ranges, picture sizes,
// decimal numbers), each read by one parser within one set of limits; and the
// calls themselves, read by CLI11 from declarations that also make the usage
// line shown on a wrong call and the help shown by --help.
#pragma once

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

// ---- Exit codes ---------------------------------------------------------------

constexpr int SALIDA_BIEN = 0;        // done (warnings allowed)
constexpr int SALIDA_FALLO = 1;       // failed: errors found, a file not read or written, an output refused
constexpr int SALIDA_USO = 2;         // a wrong call
constexpr int SALIDA_NO_ABRE = 255;   // as PLAY, whose exit(-1) says it: the film cannot be opened
constexpr int SALIDA_NO_CARGA = 254;  // as PLAY (-2): the film cannot be loaded
// What leerLlamada answers when the call is read and the tool is to go on.
constexpr int SEGUIR = -1;

// ---- Limits -------------------------------------------------------------------

// A film's length, a step between frames, a count of frames: about seven hours
// of story; more is surely a slip.
constexpr int FOTOGRAMAS_MAXIMOS = 1000000;
// A picture's width or height, in pixels.
constexpr int LADO_MAXIMO = 1 << 16;

// ---- Values -------------------------------------------------------------------

// Frames desde to hasta, inclusive. A frame number is any whole number (of 64
// bits); whether the film has it is the tool's to say.
struct Tramo {
    long long desde = 0, hasta = 0;
};

struct Tamano {
    int ancho = 0, alto = 0;
};

// Each false when the text is not such a value; nothing but the value is
// allowed in the text (no sign where none is meant, no blanks).
// A whole decimal number from minimo to maximo.
bool leerEntero(const std::string& texto, long long minimo, long long maximo, long long& valor);
// A finite decimal number ("0.05", "1e-3") from minimo to maximo.
bool leerNumero(const std::string& texto, double minimo, double maximo, double& valor);
// "A-B" (0 <= A <= B), one frame "N", or a comma-separated list of them, in the order given.
bool leerTramos(const std::string& texto, std::vector<Tramo>& tramos);
// "WxH", each from 1 to LADO_MAXIMO.
bool leerTamano(const std::string& texto, Tamano& tamano);
// A list of ranges as leerTramos reads it: "0-99,500".
std::string textoDeTramos(const std::vector<Tramo>& tramos);

// ---- Options ------------------------------------------------------------------

// Options whose values the parsers above read; a value they cannot read is a
// wrong call, said as '--NAME expects WHAT, not "TEXT"'. nombres as CLI11 takes
// them ("--crf", "-o,--output", "FRAME" for a positional); tipo is the value's
// name in the usage and the help ("N").
CLI::Option* opcionEntero(CLI::App& app, const std::string& nombres, const std::string& tipo, int minimo, int maximo,
                          int& destino, const std::string& ayuda);
// que: what the number is, for the message ("a number of seconds from 0 to 3600").
CLI::Option* opcionNumero(CLI::App& app, const std::string& nombres, const std::string& tipo, double minimo,
                          double maximo, const std::string& que, double& destino, const std::string& ayuda);
// uno: only one range, for a tool that cannot take several; a list is refused
// with porQue, the reason.
CLI::Option* opcionTramos(CLI::App& app, const std::string& nombres, const std::string& tipo,
                          std::vector<Tramo>& destino, const std::string& ayuda, const std::string& porQue = "");
CLI::Option* opcionTamano(CLI::App& app, const std::string& nombres, Tamano& destino, const std::string& ayuda);
// One of the words in eleccion.
CLI::Option* opcionEleccion(CLI::App& app, const std::string& nombres, const std::string& tipo,
                            const std::vector<std::string>& eleccion, std::string& destino, const std::string& ayuda);
// A file name (never empty).
CLI::Option* opcionFichero(CLI::App& app, const std::string& nombres, const std::string& tipo, std::string& destino,
                           const std::string& ayuda);

// ---- Calls --------------------------------------------------------------------

// What every tool's call has: -h and --help, --version (version: the line it
// prints; none for a subcommand), the help and usage made here, an option given
// twice taking the last value. Before the options and subcommands are added.
void prepararLlamada(CLI::App& app, const std::string& version);

// Reads the call. SEGUIR when the tool is to go on; else the exit code, with the
// help or the version printed on standard output (SALIDA_BIEN) or the wrong call
// said on standard error, with the usage (SALIDA_USO). With subcommands, one is
// needed: a first word that is none of them is a wrong call.
int leerLlamada(CLI::App& app, int argc, const char* const* argv);

// "TOOL COMMAND: queja" and the usage, on standard error; SALIDA_USO.
int usoIncorrecto(const CLI::App& app, const std::string& queja);

// The usage of a call: "usage: NAME ARGUMENTS [OPTIONS]", wrapped, with a line
// ("   or: ...") for each subcommand where there are subcommands.
std::string lineasDeUso(const CLI::App& app);
