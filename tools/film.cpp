// film: checks films, and makes them from recordings and shot lists.
//
//   film check FILE                            can PLAY play FILE, and what it shows
//   film playable RECORDING [-o FILM]          a recording made with U into a film
//   film compile SHOTS [-o FILM] [--frames N]  a shot list into a film, one pose per frame
//   film keys FILM [-o SHOTS] [--tolerance T] [--frames A-B]
//                                              a film into the few keys that compile back to it
//
// Exit status: 0 done (warnings allowed), 1 errors found, a file not read or
// written, or an output refused; 2 a wrong call. Never opens a window: the story
// is stepped without drawing. A file read may hold at most TAMANO_MAXIMO_CAMARA
// bytes. A film or a shot list is written whole (tools/common/whole_file) and
// never over a file that exists unless --force is given, nor ever over its own
// input; a device or a FIFO is written into. Findings and summaries go to
// standard error; standard output carries only a film or a shot list written there.
#include "film/film_check.h"
#include "film/film_writer.h"
#include "film/path_keys.h"
#include "film/recording_reader.h"
#include "film/shot_compiler.h"
#include "film/shot_writer.h"
#include "scene/timeline.h"
#include "tools/common/outputs.h"
#include "tools/common/signals.h"
#include "tools/common/whole_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr int SALIDA_BIEN = 0;
constexpr int SALIDA_FALLO = 1;
constexpr int SALIDA_USO = 2;
constexpr int FOTOGRAMAS_MAXIMOS = 1000000;  // about seven hours of story: longer is surely a slip
// The smallest tolerance of film keys, world units: a film's poses have six decimals.
constexpr double TOLERANCIA_MINIMA = 0.000001;

const char* const USO =
    "usage: film check FILE\n"
    "   or: film playable RECORDING [-o FILM] [--force]\n"
    "   or: film compile SHOTS [-o FILM] [--force] [--frames N]\n"
    "   or: film keys FILM [-o SHOTS] [--force] [--tolerance T] [--frames A-B]\n"
    "   or: film help [COMMAND]\n";

const char* const AYUDA =
    "Checks films for PLAY, and makes them from recordings and shot lists.\n"
    "\n"
    "  check      say whether PLAY can play a film, and what it will show\n"
    "  playable   turn a recording made with U into a film\n"
    "  compile    turn a shot list into a film of one pose per frame\n"
    "  keys       turn a film into the few keys of a shot list that compile back to it\n"
    "\n"
    "Run 'film help COMMAND' (or 'film COMMAND --help') for a command's details.\n"
    "FILE may be '-' for standard input. Findings are printed on standard error as\n"
    "'FILE:LINE:COL: error: ...' and 'FILE:LINE: warning: ...'. A FILE may hold at most 1 GiB.\n"
    "A film is never written over a file that exists unless --force (-y) is given, nor ever\n"
    "over its own input; a device or a FIFO is written into, and '-' is standard output.\n"
    "Exit status: 0 done (warnings allowed), 1 errors found, a file not read or written,\n"
    "or an output refused; 2 a wrong call. 'film --version' prints the version.\n";

const char* const AYUDA_CHECK =
    "usage: film check FILE\n"
    "\n"
    "Reads FILE ('-': standard input) as PLAY does and says how many records it\n"
    "holds (frames 0 to N-1) and what PLAY will show. Errors: what PLAY cannot read\n"
    "(a missing, negative or too large count, fewer records than announced, a token\n"
    "that is no number), and poses that show nothing sensible (a value not finite,\n"
    "the eye on the centre, a zero up vector, an up vector along the line of sight).\n"
    "Warnings: numbers after the last record, a centre beyond the far plane, a count\n"
    "of 0. The findings and a summary go to standard error.\n"
    "Exits 0 when FILE is playable and sound, 1 otherwise.\n";

const char* const AYUDA_PLAYABLE =
    "usage: film playable RECORDING [-o FILM] [--force]\n"
    "\n"
    "Turns a recording made with U (one pose of nine numbers per line, blank lines\n"
    "allowed; '-': standard input) into a film: its count line on top, then its\n"
    "poses. The film is checked as 'film check' does; on any error nothing is written.\n"
    "\n"
    "  -o, --output FILM   write the film to FILM (default: standard output, but\n"
    "                      never to a terminal)\n"
    "  -y, --force         replace FILM if it exists (never the recording itself)\n";

const char* const AYUDA_COMPILE =
    "usage: film compile SHOTS [-o FILM] [--force] [--frames N]\n"
    "\n"
    "Turns a shot list into a film of one pose per frame. One key per line:\n"
    "\n"
    "  FRAME EYE CENTRE UP [MOTION]\n"
    "\n"
    "  FRAME    a whole number below N, above the previous key's frame\n"
    "  EYE,     X Y Z; or a thing's name, where it is at each frame; or\n"
    "  CENTRE   NAME + DX DY DZ, an offset from it, travelling with it\n"
    "  UP       X Y Z\n"
    "  MOTION   to the next key: step (hold this key), linear, or smooth (the\n"
    "           default: a curve through the keys with no jump in speed)\n"
    "\n"
    "Names: %s.\n"
    "'#' starts a comment; blank lines are ignored; SHOTS '-' is standard input.\n"
    "The camera holds the first key before it and the last key after it. The film\n"
    "is checked as 'film check' does; on any error nothing is written.\n"
    "\n"
    "  -o, --output FILM   write the film to FILM (default: standard output, but\n"
    "                      never to a terminal)\n"
    "  -y, --force         replace FILM if it exists (never the shot list itself)\n"
    "  --frames N          the film's length in frames (default: the story's, %d)\n";

const char* const AYUDA_KEYS =
    "usage: film keys FILM [-o SHOTS] [--force] [--tolerance T] [--frames A-B]\n"
    "\n"
    "Reads a film as PLAY does ('-': standard input) and writes a shot list of as few\n"
    "keys as it can that 'film compile' turns back into the film: at every frame the\n"
    "eye and the centre within T world units, the up vector within 0.5 degrees. The\n"
    "keys hold (step), move straight (linear) or curve (smooth) as a shot list's keys\n"
    "do; a cut is a step. Where the eye keeps an offset from a thing of the story, or\n"
    "the centre stays on one, the keys name it (train + DX DY DZ), so that they follow\n"
    "it. A film that PLAY cannot read, or with a pose that shows nothing sensible, is\n"
    "refused as 'film check' refuses it; on any error nothing is written. A summary\n"
    "(the keys, the largest deviation and its frame) goes to standard error.\n"
    "\n"
    "  -o, --output SHOTS  write the shot list to SHOTS (default: standard output)\n"
    "  -y, --force         replace SHOTS if it exists (never the film itself)\n"
    "  --tolerance T       in world units, 0.000001 or more (default 0.05)\n"
    "  --frames A-B        only the film's frames A to B (or one frame, N); the first key\n"
    "                      holds before A and the last after B\n";

struct Orden {
    std::string verbo;
    std::string entrada;          // the file the verb reads
    std::string salida;           // the film to write; empty for standard output
    int fotogramas = FOTOGRAMAS_GUION;
    bool forzar = false;          // --force: the output may replace a file that exists
    double tolerancia = 0.05;     // keys: world units
    bool conTramo = false;        // keys: --frames given
    int desde = 0, hasta = 0;     // keys: the frames given, inclusive

    // The input as messages name it: standard input as compilers name it.
    std::string nombre() const { return entrada == "-" ? "<stdin>" : entrada; }
};

// The complaint, then the usage of the command (of every command when none is known).
int usoIncorrecto(const std::string& verbo, const std::string& queja)
{
    std::string uso = USO;
    for (const char* ayuda : {AYUDA_CHECK, AYUDA_PLAYABLE, AYUDA_COMPILE, AYUDA_KEYS})
        if (!verbo.empty() && std::string(ayuda).rfind("usage: film " + verbo + " ", 0) == 0)
            uso = std::string(ayuda).substr(0, std::string(ayuda).find('\n') + 1);
    std::fprintf(stderr, "film%s%s: %s\n%s", verbo.empty() ? "" : " ", verbo.c_str(), queja.c_str(), uso.c_str());
    return SALIDA_USO;
}

std::string cuentas(int errores, int avisos)
{
    return plural(errores, "error", "errors") + ", " + plural(avisos, "warning", "warnings");
}

// The input file ("-": standard input), open; null, with a message, when it cannot be.
FILE* abrirEntrada(const Orden& o)
{
    FILE* f = o.entrada == "-" ? stdin : std::fopen(o.entrada.c_str(), "rb");
    if (f == nullptr)
        std::fprintf(stderr, "film: cannot read %s: %s\n", o.nombre().c_str(), std::strerror(errno));
    return f;
}

void cerrarEntrada(const Orden& o, FILE* f)
{
    if (o.entrada != "-")
        std::fclose(f);
}

// The refusal of an input of more than TAMANO_MAXIMO_CAMARA bytes.
void rechazarGrande(const Orden& o)
{
    const char* que = o.verbo == "compile" ? "a shot list" : o.verbo == "playable" ? "a recording" : "a film";
    std::fprintf(stderr, "film: cannot read %s: larger than %s, the most %s may be\n", o.nombre().c_str(),
                 TEXTO_TAMANO_MAXIMO_CAMARA, que);
}

// The whole input file, or false with a message. One of more than
// TAMANO_MAXIMO_CAMARA bytes is refused: a regular file before it is read, any
// other (a pipe, a device) when its reading goes past them. Should memory run
// out first, the reading goes on, counting, to tell which refusal is due.
bool leerEntrada(const Orden& o, std::string& texto)
{
    FILE* f = abrirEntrada(o);
    if (f == nullptr)
        return false;
    struct stat s;
    bool grande = fstat(fileno(f), &s) == 0 && S_ISREG(s.st_mode) &&
                  s.st_size - std::max<off_t>(ftello(f), 0) > TAMANO_MAXIMO_CAMARA;
    bool sinMemoria = false;
    long long total = 0;
    char bloque[64 * 1024];
    size_t leidos;
    while (!grande && (leidos = std::fread(bloque, 1, sizeof bloque, f)) > 0) {
        total += static_cast<long long>(leidos);
        grande = total > TAMANO_MAXIMO_CAMARA;
        try {
            if (!grande && !sinMemoria)
                texto.append(bloque, leidos);
        } catch (const std::bad_alloc&) {
            sinMemoria = true;
            std::string().swap(texto);
        }
    }
    const bool roto = !grande && std::ferror(f);
    const int error = errno;
    cerrarEntrada(o, f);
    if (grande)
        rechazarGrande(o);
    else if (roto)
        std::fprintf(stderr, "film: cannot read %s: %s\n", o.nombre().c_str(), std::strerror(error));
    else if (sinMemoria)
        std::fprintf(stderr, "film: cannot read %s: not enough memory for its %lld bytes\n", o.nombre().c_str(),
                     total);
    return !grande && !roto && !sinMemoria;
}

// Writes the film whole to its file, or to standard output. False, with a
// message, when it cannot.
bool escribirPelicula(const std::string& destino, const std::string& texto)
{
    if (destino.empty()) {
        const bool bien = escribirTodo(STDOUT_FILENO, texto.data(), texto.size());
        if (!bien)
            std::fprintf(stderr, "film: cannot write to standard output: %s\n", std::strerror(errno));
        return bien;
    }
    std::string error;
    if (!escribirFicheroEntero(destino, texto, error)) {
        std::fprintf(stderr, "film: %s\n", error.c_str());
        return false;
    }
    return true;
}

// The reading errors of a recording or a shot list, the first few of them.
void imprimirErrores(const std::string& fichero, const ErroresTexto& errores)
{
    for (const ErrorTexto& e : errores.primeros())
        std::fprintf(stderr, "%s\n", lineaDiagnostico(fichero, e.donde, Gravedad::Error, e.mensaje).c_str());
    const int resto = errores.total() - static_cast<int>(errores.primeros().size());
    if (resto > 0)
        std::fprintf(stderr, "%s\n",
                     lineaDiagnostico(fichero, {}, Gravedad::Nota, "... and " + std::to_string(resto) +
                                                                       " more lines with errors")
                         .c_str());
}

// A film's findings, the first few of each kind, each shown where lugar says.
void imprimirRevision(FILE* salida, const std::string& fichero, const RevisionPelicula& r,
                      const std::function<Diagnostico(const Hallazgo&)>& lugar)
{
    const Seleccion s = seleccionarHallazgos(r.hallazgos);
    for (const Hallazgo& h : s.mostrados) {
        const Diagnostico d = lugar(h);
        std::fprintf(salida, "%s\n", lineaDiagnostico(fichero, d.donde, gravedadDe(h.tipo), d.mensaje).c_str());
    }
    for (const auto& [tipo, n] : s.omitidos)
        std::fprintf(salida, "%s\n",
                     lineaDiagnostico(fichero, {}, Gravedad::Nota,
                                      "... and " + std::to_string(n) + " more " + pluralDe(tipo))
                         .c_str());
}

int verificar(const Orden& o)
{
    std::string texto;
    if (!leerEntrada(o, texto))
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
    if (!leerEntrada(o, texto))
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
    if (!leerEntrada(o, texto))
        return SALIDA_FALLO;
    const PeliculaCompilada c = compilarTomas(texto, o.fotogramas);
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

std::string numero(double v)
{
    char texto[32];
    std::snprintf(texto, sizeof texto, "%.3g", v);
    return texto;
}

int claves(const Orden& o)
{
    FILE* f = abrirEntrada(o);
    if (f == nullptr)
        return SALIDA_FALLO;
    RevisionPelicula r = revisarPelicula(leerPelicula(f, true));
    const bool leido = !std::ferror(f);
    const int error = errno;
    cerrarEntrada(o, f);
    if (!leido) {
        std::fprintf(stderr, "film: cannot read %s: %s\n", o.nombre().c_str(), std::strerror(error));
        return SALIDA_FALLO;
    }
    if (r.lectura.fallo == FalloPelicula::DemasiadoGrande) {
        rechazarGrande(o);
        return SALIDA_FALLO;
    }
    imprimirRevision(stderr, o.nombre(), r, [&](const Hallazgo& h) {
        return Diagnostico{h.donde, describirHallazgo(h, r.lectura)};
    });
    if (!r.legible() || !r.sana()) {
        std::fprintf(stderr, "film: nothing written: %s\n", cuentas(r.errores(), r.avisos()).c_str());
        return SALIDA_FALLO;
    }
    std::vector<std::array<float, 9>>& todas = r.lectura.poses;
    const int registros = static_cast<int>(todas.size());
    if (registros == 0) {
        std::fprintf(stderr, "film keys: %s has no records: there is no camera path to make keys of\n",
                     o.nombre().c_str());
        return SALIDA_FALLO;
    }
    const int desde = o.conTramo ? o.desde : 0, hasta = o.conTramo ? o.hasta : registros - 1;
    if (hasta >= registros) {
        std::fprintf(stderr, "film keys: frames %d to %d are not all in %s: its records are frames 0 to %d\n", desde,
                     hasta, o.nombre().c_str(), registros - 1);
        return SALIDA_FALLO;
    }
    std::vector<std::array<float, 9>> poses;
    if (desde == 0 && hasta == registros - 1)
        poses = std::move(todas);
    else
        poses.assign(todas.begin() + desde, todas.begin() + hasta + 1);

    OpcionesClaves opciones;
    opciones.tolerancia = o.tolerancia;
    const ClavesDeCamino c = clavesDeCamino(poses, desde, opciones);
    std::string comentario = "Keys of " + o.nombre() + ": frames " + std::to_string(desde) + " to " +
                             std::to_string(hasta) + " of its " + plural(registros, "record", "records") +
                             ", made by film keys.\n"
                             "Compiled, they give those frames within " + numero(opciones.tolerancia) +
                             " of the eye and the centre\nand within " + numero(opciones.toleranciaArribaGrados) +
                             " degrees of the up vector; the largest deviation is " + numero(c.desviacion) +
                             " at frame " + std::to_string(c.fotogramaDesviacion) + ".\n";
    if (hasta >= FOTOGRAMAS_GUION)
        comentario += "Compile with --frames " + std::to_string(hasta + 1) + " (or more): the film is longer than " +
                      "the story.\n";
    comentario += "FRAME EYE CENTRE UP MOTION\n";
    if (!escribirPelicula(o.salida, textoDeTomas(c.claves, comentario)))
        return SALIDA_FALLO;
    std::fprintf(stderr,
                 "film: wrote %s: %s from frames %d to %d of %s; the largest deviation %s at frame %d, "
                 "of the up vector %s degrees at frame %d (tolerance %s, %s degrees)\n",
                 o.salida.empty() ? "the shot list to standard output" : o.salida.c_str(),
                 plural(static_cast<long long>(c.claves.size()), "key", "keys").c_str(), desde, hasta,
                 o.nombre().c_str(), numero(c.desviacion).c_str(), c.fotogramaDesviacion,
                 numero(c.desviacionArribaGrados).c_str(), c.fotogramaDesviacionArriba,
                 numero(opciones.tolerancia).c_str(), numero(opciones.toleranciaArribaGrados).c_str());
    return SALIDA_BIEN;
}

// A command's help, on standard output.
int ayudaDe(const std::string& verbo)
{
    if (verbo == "check")
        std::printf("%s", AYUDA_CHECK);
    else if (verbo == "playable")
        std::printf("%s", AYUDA_PLAYABLE);
    else if (verbo == "keys")
        std::printf("%s", AYUDA_KEYS);
    else
        std::printf(AYUDA_COMPILE, listaDeActores().c_str(), FOTOGRAMAS_GUION);
    return SALIDA_BIEN;
}

// A whole number from 1 to FOTOGRAMAS_MAXIMOS.
bool leerFotogramas(const std::string& texto, int& n)
{
    if (texto.empty() || texto.size() > 8 || texto.find_first_not_of("0123456789") != std::string::npos)
        return false;
    n = std::stoi(texto);
    return n >= 1 && n <= FOTOGRAMAS_MAXIMOS;
}

// A tolerance: a number of world units, TOLERANCIA_MINIMA or more.
bool leerTolerancia(const std::string& texto, double& t)
{
    char* fin = nullptr;
    errno = 0;
    t = std::strtod(texto.c_str(), &fin);
    return !texto.empty() && fin == texto.c_str() + texto.size() && errno == 0 && std::isfinite(t) &&
           t >= TOLERANCIA_MINIMA;
}

// Frames "A-B" (A to B, inclusive) or "N" (that one frame).
bool leerTramo(const std::string& texto, int& desde, int& hasta)
{
    const size_t guion = texto.find('-');
    const std::string a = texto.substr(0, guion), b = guion == std::string::npos ? a : texto.substr(guion + 1);
    for (const std::string& x : {a, b})
        if (x.empty() || x.size() > 9 || x.find_first_not_of("0123456789") != std::string::npos)
            return false;
    desde = std::stoi(a);
    hasta = std::stoi(b);
    return desde <= hasta;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty())
        return usoIncorrecto("", "a command is needed");
    if (args[0] == "--version") {
        std::printf("%s\n", lineaVersion("film").c_str());
        return SALIDA_BIEN;
    }
    const bool pideAyuda = args[0] == "help";
    if (args[0] == "--help" || args[0] == "-h" || (pideAyuda && args.size() == 1)) {
        std::printf("%s\n%s", USO, AYUDA);
        return SALIDA_BIEN;
    }
    if (pideAyuda && args.size() > 2)
        return usoIncorrecto("", "help takes one command, found '" + args[2] + "' too");
    Orden o;
    o.verbo = args[pideAyuda ? 1 : 0];
    if (o.verbo != "check" && o.verbo != "playable" && o.verbo != "compile" && o.verbo != "keys")
        return usoIncorrecto("", "'" + o.verbo + "' is not a command");
    if (pideAyuda)
        return ayudaDe(o.verbo);

    bool conEntrada = false, soloPosicionales = false;
    for (size_t i = 1; i < args.size(); i++) {
        const std::string& a = args[i];
        // The value of an option, given as "--name=value" or as the next argument.
        const auto valor = [&](const std::string& nombre, std::string& v) {
            if (a.rfind(nombre + "=", 0) == 0) {
                v = a.substr(nombre.size() + 1);
                return true;
            }
            if (i + 1 >= args.size())
                return false;
            v = args[++i];
            return true;
        };
        const bool esOpcion = !soloPosicionales && a.size() > 1 && a[0] == '-';
        const auto es = [&](const std::string& nombre) { return a == nombre || a.rfind(nombre + "=", 0) == 0; };
        if (esOpcion && (a == "--help" || a == "-h")) {
            return ayudaDe(o.verbo);
        } else if (esOpcion && o.verbo != "check" && (a == "--force" || a == "-y")) {
            o.forzar = true;
        } else if (esOpcion && a == "--") {
            soloPosicionales = true;
        } else if (esOpcion && o.verbo != "check" && (a == "-o" || es("--output"))) {
            if (!valor(a == "-o" ? "-o" : "--output", o.salida) || o.salida.empty())
                return usoIncorrecto(o.verbo, "option '" + a + "' needs a file name");
        } else if (esOpcion && o.verbo == "keys" && es("--frames")) {
            std::string n;
            if (!valor("--frames", n) || !leerTramo(n, o.desde, o.hasta))
                return usoIncorrecto(o.verbo, "option --frames needs frames A-B (A at most B) or one frame N" +
                                                  (n.empty() ? std::string() : ", found '" + n + "'"));
            o.conTramo = true;
        } else if (esOpcion && o.verbo == "keys" && es("--tolerance")) {
            std::string t;
            if (!valor("--tolerance", t) || !leerTolerancia(t, o.tolerancia))
                return usoIncorrecto(o.verbo, "option --tolerance needs a number of world units, 0.000001 or more" +
                                                  (t.empty() ? std::string() : ", found '" + t + "'"));
        } else if (esOpcion && o.verbo == "compile" && es("--frames")) {
            std::string n;
            if (!valor("--frames", n) || !leerFotogramas(n, o.fotogramas))
                return usoIncorrecto(o.verbo, "option --frames needs a whole number from 1 to " +
                                                  std::to_string(FOTOGRAMAS_MAXIMOS) +
                                                  (n.empty() ? "" : ", found '" + n + "'"));
        } else if (esOpcion) {
            return usoIncorrecto(o.verbo, "unknown option '" + a + "'");
        } else if (conEntrada) {
            return usoIncorrecto(o.verbo, "one file only, found '" + a + "' too");
        } else {
            o.entrada = a;
            conEntrada = true;
        }
    }
    if (!conEntrada)
        return usoIncorrecto(o.verbo, "a file is needed");

    alSenalTerminarYa();
    if (o.verbo == "check")
        return verificar(o);
    const char* const hecho = o.verbo == "keys" ? "shot list" : "film";
    DestinoSalida destino;
    std::string error;
    if (!o.salida.empty() && resolverDestino(o.salida, destino, error) && destino.esSalidaEstandar())
        o.salida.clear();  // "-", /dev/stdout: standard output, as without -o
    if (o.salida.empty() && o.verbo != "keys" && isatty(STDOUT_FILENO)) {
        std::fprintf(stderr, "film %s: not writing a film to a terminal: give -o FILM, or redirect the output\n",
                     o.verbo.c_str());
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
    if (o.verbo == "keys")
        return claves(o);
    return o.verbo == "playable" ? hacerReproducible(o) : compilar(o);
}
