// film: checks films, makes them from recordings and shot lists, and writes
// their soundtracks.
//
//   film check FILE                            can PLAY play FILE, and what it shows
//   film playable RECORDING [-o FILM]          a recording made with U into a film
//   film compile SHOTS [-o FILM] [--length N]  a shot list into a film, one pose per frame
//   film keys FILM [-o SHOTS] [--tolerance T] [--frames A-B]
//                                              a film into the few keys that compile back to it
//   film sound FILM [-o WAV] [--frames A-B] [--music FILE] [--music-offset S] [--music-gain DB]
//                                              the story's soundtrack heard through a film
//
// Exit status (tools/common/command_line): 0 done (warnings allowed), 1 errors
// found, a file not read or written, or an output refused; 2 a wrong call. Never
// opens a window: the story is stepped without drawing. A file read may hold at
// most TAMANO_MAXIMO_CAMARA bytes. A film, a shot list or a WAV file is written
// whole (tools/common/whole_file) and never over a file that exists unless
// --force is given, nor ever over an input; a device or a FIFO is written into.
// Findings and summaries go to standard error; standard output carries only a
// film, a shot list or a WAV file written there.
#include "film/film_check.h"
#include "film/film_writer.h"
#include "film/path_keys.h"
#include "film/recording_reader.h"
#include "film/shot_compiler.h"
#include "film/shot_writer.h"
#include "scene/actors.h"
#include "scene/timeline.h"
#include "sound/mixer.h"
#include "sound/soundtrack.h"
#include "tools/common/command_line.h"
#include "tools/common/film_input.h"
#include "tools/common/music_input.h"
#include "tools/common/outputs.h"
#include "tools/common/signals.h"
#include "tools/common/wav_writer.h"
#include "tools/common/whole_file.h"
#include "tools/film/film.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>

namespace {

using namespace film_tool;

// The smallest tolerance of film keys, world units: a film's poses have six decimals.
constexpr double TOLERANCIA_MINIMA = 0.000001;

const char* const PIE =
    "Run 'film help COMMAND' (or 'film COMMAND --help') for a command's details.\n"
    "FILE may be '-' for standard input. Findings are printed on standard error as\n"
    "'FILE:LINE:COL: error: ...' and 'FILE:LINE: warning: ...'. A FILE may hold at most 1 GiB.\n"
    "A file is never written over a file that exists unless --force (-y) is given, nor ever\n"
    "over an input; a device or a FIFO is written into, and '-' is standard output.\n"
    "Exit status: 0 done (warnings allowed), 1 errors found, a file not read or written,\n"
    "or an output refused; 2 a wrong call.";

const char* const DETALLES_CHECK =
    "Reads FILE ('-': standard input) as PLAY does and says how many records it\n"
    "holds (frames 0 to N-1) and what PLAY will show. Errors: what PLAY cannot read\n"
    "(a missing, negative or too large count, fewer records than announced, a token\n"
    "that is no number), and poses that show nothing sensible (a value not finite,\n"
    "the eye on the centre, a zero up vector, an up vector along the line of sight).\n"
    "Warnings: numbers after the last record, a centre beyond the far plane, a count\n"
    "of 0. The findings and a summary go to standard error.\n"
    "Exits 0 when FILE is playable and sound, 1 otherwise.";

const char* const DETALLES_PLAYABLE =
    "A recording is one pose of nine numbers per line, blank lines allowed; '-' is\n"
    "standard input. The film is its count line on top, then its poses. It is\n"
    "checked as 'film check' does; on any error nothing is written.";

const char* const DETALLES_COMPILE =
    "One key per line:\n"
    "\n"
    "  FRAME EYE CENTRE UP [MOTION]\n"
    "\n"
    "  FRAME    a whole number below the film's length, above the previous key's frame\n"
    "  EYE,     X Y Z; or a thing's name, where it is at each frame; or\n"
    "  CENTRE   NAME + DX DY DZ, an offset from it, travelling with it\n"
    "  UP       X Y Z\n"
    "  MOTION   to the next key: step (hold this key), linear, or smooth (the\n"
    "           default: a curve through the keys with no jump in speed)\n"
    "\n"
    "Names: ";

const char* const DETALLES_COMPILE_FIN =
    ".\n'#' starts a comment; blank lines are ignored; SHOTS '-' is standard input.\n"
    "One line, anywhere, may name the music (film sound --music SHOTS plays it):\n"
    "  music \"FILE NAME\" [offset SECONDS] [tempo BPM] [gain DB]\n"
    "It changes no pose: the film is the same with it or without it.\n"
    "The camera holds the first key before it and the last key after it. The film\n"
    "is checked as 'film check' does; on any error nothing is written.";

const char* const DETALLES_KEYS =
    "Reads a film as PLAY does ('-': standard input) and writes a shot list of as few\n"
    "keys as it can that 'film compile' turns back into the film: at every frame the\n"
    "eye and the centre within T world units, the up vector within 0.5 degrees. The\n"
    "keys hold (step), move straight (linear) or curve (smooth) as a shot list's keys\n"
    "do; a cut is a step. Where the eye keeps an offset from a thing of the story, or\n"
    "the centre stays on one, the keys name it (train + DX DY DZ), so that they follow\n"
    "it. A film that PLAY cannot read, or with a pose that shows nothing sensible, is\n"
    "refused as 'film check' refuses it; on any error nothing is written. A summary\n"
    "(the keys, the largest deviation and its frame) goes to standard error.";

const char* const DETALLES_SOUND =
    "Plays the story through FILM (a film as PLAY reads it; '-': standard input) and\n"
    "writes its soundtrack as a WAV file: 16-bit, 48 kHz, stereo, 1200 sample pairs a\n"
    "frame, frame A first. Each sound is heard through the film's camera. The music\n"
    "begins at the story's frame 0, moved by its offset, so frames A to B hear what\n"
    "falls on them in the whole film; it is mixed under the story's sound at its gain\n"
    "and the mix mastered. A film that PLAY cannot read, or with a pose that shows\n"
    "nothing, is refused as 'film check' refuses it, and music that cannot be decoded\n"
    "in one sentence; nothing is written on any error. Music wholly outside the film\n"
    "is said on standard error. A summary (the synthesis time) goes to standard error.";

int verificar(const Orden& o)
{
    std::string texto;
    if (!leerTexto(o, texto))
        return SALIDA_FALLO;
    const RevisionPelicula r = revisarTexto(texto);
    imprimirRevision(stderr, o.nombre(), r, [&](const Hallazgo& h) {
        return Diagnostico{h.donde, describirHallazgo(h, r.lectura)};
    });
    const int registros = static_cast<int>(r.lectura.poses.size());
    if (!r.legible())
        std::fprintf(stderr, "%s: not playable: %s\n", o.nombre().c_str(),
                     cuentas(r.errores(), r.avisos()).c_str());
    else
        std::fprintf(stderr, "%s: %s: %s, %s; %s\n", o.nombre().c_str(), r.sana() ? "playable" : "not sound",
                     plural(registros, "record", "records").c_str(), queMuestra(registros).c_str(),
                     cuentas(r.errores(), r.avisos()).c_str());
    return r.legible() && r.sana() ? SALIDA_BIEN : SALIDA_FALLO;
}

// Checks a film made from a source file, shows its findings in the source's terms,
// and writes it when it has no error.
int terminar(const Orden& o, const std::string& texto, const RevisionPelicula& r,
             const std::function<Diagnostico(const Hallazgo&, const RevisionPelicula&)>& lugar,
             const std::string& origen)
{
    imprimirRevision(stderr, o.nombre(), r, [&](const Hallazgo& h) { return lugar(h, r); });
    if (!r.sana()) {
        std::fprintf(stderr, "film: nothing written: %s\n", cuentas(r.errores(), r.avisos()).c_str());
        return SALIDA_FALLO;
    }
    if (!escribirPelicula(o.salida, texto))
        return SALIDA_FALLO;
    const int registros = static_cast<int>(r.lectura.poses.size());
    std::fprintf(stderr, "film: wrote %s: %s from %s; %s; %s\n",
                 o.salida.empty() ? "the film to standard output" : o.salida.c_str(),
                 plural(registros, "record", "records").c_str(), origen.c_str(), queMuestra(registros).c_str(),
                 cuentas(r.errores(), r.avisos()).c_str());
    return SALIDA_BIEN;
}

int hacerReproducible(const Orden& o)
{
    std::string texto;
    if (!leerTexto(o, texto))
        return SALIDA_FALLO;
    const LecturaGrabacion g = leerGrabacion(texto);
    if (!g.bien()) {
        imprimirErrores(o.nombre(), g.errores);
        std::fprintf(stderr, "film: nothing written: %s\n", cuentas(g.errores.total(), 0).c_str());
        return SALIDA_FALLO;
    }
    const auto lugar = [&](const Hallazgo& h, const RevisionPelicula& r) {
        if (h.registro < 0)
            return Diagnostico{{}, describirHallazgo(h, r.lectura)};
        return Diagnostico{g.inicioPose[static_cast<size_t>(h.registro)], describirHallazgo(h, r.lectura)};
    };
    const std::string pelicula = textoDePelicula(g.poses);
    return terminar(o, pelicula, revisarTexto(pelicula), lugar,
                    plural(static_cast<int>(g.poses.size()), "line", "lines") + " of " + o.nombre());
}

int compilar(const Orden& o)
{
    std::string texto;
    if (!leerTexto(o, texto))
        return SALIDA_FALLO;
    const PeliculaCompilada c = compilarTomas(texto, o.longitud);
    if (!c.lista.bien()) {
        imprimirErrores(o.nombre(), c.lista.errores);
        std::fprintf(stderr, "film: nothing written: %s\n", cuentas(c.lista.errores.total(), 0).c_str());
        return SALIDA_FALLO;
    }
    const auto lugar = [&](const Hallazgo& h, const RevisionPelicula& r) {
        return diagnosticoDeTomas(h, r, c.lista.claves);
    };
    return terminar(o, c.texto, c.revision, lugar,
                    plural(static_cast<int>(c.lista.claves.size()), "key", "keys") + " of " + o.nombre());
}

// A command that reads the file named entrada; details: its help's closing text.
CLI::App* orden(CLI::App& app, Orden& o, const char* verbo, const char* entrada, const char* resumen,
                const std::string& detalles)
{
    CLI::App* c = app.add_subcommand(verbo, resumen);
    c->footer(detalles);
    c->add_option(entrada, o.entrada)->required();
    return c;
}

// -o and -y of a command that writes a film or a shot list (que), read from lo.
void salida(CLI::App& c, Orden& o, const char* que, const std::string& destino, const std::string& lo)
{
    opcionFichero(c, "-o,--output", que, o.salida, "write the " + destino);
    c.add_flag("-y,--force", o.forzar, std::string("replace ") + que + " if it exists (never " + lo + " itself)");
}

// The commands and their options. The old name of --length, --frames, comes back
// to be noted when it is used.
CLI::Option* declararOrdenes(CLI::App& app, Orden& o)
{
    orden(app, o, "check", "FILE", "Say whether PLAY can play a film, and what it will show.", DETALLES_CHECK);

    CLI::App* playable = orden(app, o, "playable", "RECORDING", "Turn a recording made with U into a film.",
                               DETALLES_PLAYABLE);
    salida(*playable, o, "FILM", "film to FILM (default: standard output, but never to a terminal)", "the recording");

    CLI::App* compile = orden(app, o, "compile", "SHOTS", "Turn a shot list into a film of one pose per frame.",
                              DETALLES_COMPILE + listaDeActores() + DETALLES_COMPILE_FIN);
    salida(*compile, o, "FILM", "film to FILM (default: standard output, but never to a terminal)", "the shot list");
    opcionEntero(*compile, "--length", "N", 1, FOTOGRAMAS_MAXIMOS, o.longitud,
                 "the film's length in frames, 1 to " + std::to_string(FOTOGRAMAS_MAXIMOS) + " (default: the story's, " +
                     std::to_string(FOTOGRAMAS_GUION) + ")");
    CLI::Option* viejo = opcionEntero(*compile, "--frames", "N", 1, FOTOGRAMAS_MAXIMOS, o.longitud, "")->group("");

    CLI::App* keys = orden(app, o, "keys", "FILM",
                           "Turn a film into the few keys of a shot list that compile back to it.", DETALLES_KEYS);
    salida(*keys, o, "SHOTS", "shot list to SHOTS (default: standard output)", "the film");
    opcionNumero(*keys, "--tolerance", "T", TOLERANCIA_MINIMA, HUGE_VAL, "a number of world units, 0.000001 or more",
                 o.tolerancia, "in world units, 0.000001 or more (default 0.05)");
    opcionTramos(*keys, "--frames", "A-B", o.tramos,
                 "only the film's frames A to B (or one frame, N); the first key holds before A and the last "
                 "after B. One range only: the keys are of one stretch of the film",
                 "the keys are of one stretch of the film");
    CLI::App* sound = orden(app, o, "sound", "FILM", "Write the story's soundtrack heard through a film, as a WAV file.",
                            DETALLES_SOUND);
    salida(*sound, o, "WAV", "WAV file to WAV (default: standard output, but never to a terminal)", "an input");
    opcionTramos(*sound, "--frames", "A-B", o.tramos,
                 "only the film's frames A to B (or one frame, N), as they sound in the whole film. One range only: "
                 "the sound of one stretch of the film",
                 "the sound is of one stretch of the film");
    declararMusica(*sound, o.musica);
    sound->add_option("--only", o.solo, "only these families of sounds, for studies: " + nombresDeFamilias())
        ->type_name("FAMILY,...");
    return viejo;
}

// Where a command writes, refused before anything is read: a film to a terminal,
// the input itself, a file that exists without --force. SEGUIR when it may write.
int comprobarSalida(Orden& o)
{
    const bool wav = o.verbo == "sound";
    const char* const hecho = o.verbo == "keys" ? "shot list" : wav ? "soundtrack" : "film";
    DestinoSalida destino;
    std::string error;
    if (!o.salida.empty() && resolverDestino(o.salida, destino, error) && destino.esSalidaEstandar())
        o.salida.clear();  // "-", /dev/stdout: standard output, as without -o
    if (o.salida.empty() && o.verbo != "keys" && isatty(STDOUT_FILENO)) {
        std::fprintf(stderr, "film %s: not writing %s to a terminal: give -o %s, or redirect the output\n",
                     o.verbo.c_str(), wav ? "a WAV file" : "a film", wav ? "OUT.wav" : "FILM");
        return SALIDA_USO;
    }
    if (!o.salida.empty() && escribiriaSobre(o.salida, o.entrada)) {
        std::fprintf(stderr, "film %s: %s is the file read: the %s would be written over it\n", o.verbo.c_str(),
                     o.salida.c_str(), hecho);
        return SALIDA_FALLO;
    }
    if (!o.salida.empty() && pideForzar(o.salida) && !o.forzar) {
        std::fprintf(stderr, "film %s: %s exists: give --force to replace it\n", o.verbo.c_str(), o.salida.c_str());
        return SALIDA_FALLO;
    }
    return SEGUIR;
}

// 'film help [COMMAND]': the help of the tool, or of a command, on standard output.
int ayuda(const CLI::App& app, const CLI::App& help, const std::string& pedida)
{
    const CLI::App* de = &app;
    for (const CLI::App* s : app.get_subcommands([](const CLI::App*) { return true; }))
        if (s->get_name() == pedida && s != &help)
            de = s;
    if (de == &app && !pedida.empty())
        return usoIncorrecto(help, "'" + pedida + "' is not a command");
    std::printf("%s", de->get_formatter()->make_help(de, "", CLI::AppFormatMode::Normal).c_str());
    return SALIDA_BIEN;
}

}  // namespace

int main(int argc, char** argv)
{
    Orden o;
    CLI::App app("Checks films for PLAY, makes them from recordings and shot lists, and writes their soundtracks.",
                 "film");
    prepararLlamada(app, lineaVersion("film"));
    const CLI::Option* viejo = declararOrdenes(app, o);
    CLI::App* help = app.add_subcommand("help", "Print a command's help: 'film help COMMAND' is 'film COMMAND --help'.");
    std::string pedida;
    help->add_option("COMMAND", pedida);
    app.footer(PIE);
    app.require_subcommand(1);
    if (const int r = leerLlamada(app, argc, argv); r != SEGUIR)
        return r;
    o.verbo = app.get_subcommands().front()->get_name();
    if (o.verbo == "help")
        return ayuda(app, *help, pedida);
    if (viejo->count() > 0)
        std::fprintf(stderr, "film compile: --frames N is now --length N: use --length\n");

    uint32_t familias = TODAS_LAS_FAMILIAS;
    if (o.verbo == "sound" && !o.solo.empty() && !familiasDe(o.solo, familias))
        return usoIncorrecto(*app.get_subcommand("sound"),
                             "--only expects families of sounds separated by commas (" + nombresDeFamilias() +
                                 "), not \"" + o.solo + "\"");
    alSenalTerminarYa();
    if (o.verbo == "check")
        return verificar(o);
    if (const int r = comprobarSalida(o); r != SEGUIR)
        return r;
    if (o.verbo == "keys")
        return claves(o);
    if (o.verbo == "sound")
        return sonido(o, familias);
    return o.verbo == "playable" ? hacerReproducible(o) : compilar(o);
}
