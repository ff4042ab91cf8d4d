// The film tool's input and output: the input read within the size limit (a
// regular file refused before it is read, a pipe or a device as its reading goes
// past it), the output written whole, and findings printed.
#include "tools/film/film.h"

#include "film/film_writer.h"
#include "tools/common/outputs.h"
#include "tools/common/whole_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace film_tool {

namespace {

// What reading the input came to, beyond what the stream itself tells.
struct Leido {
    bool grande = false;      // more than TAMANO_MAXIMO_CAMARA bytes
    bool sinMemoria = false;  // the bytes did not fit in memory
    long long bytes = 0;      // read, when they did not fit
};

// The input file ("-": standard input) opened, read by leer and closed. False,
// with one line that says why, when it cannot be opened or read, is larger than
// TAMANO_MAXIMO_CAMARA bytes or does not fit in memory.
bool leerEntrada(const Orden& o, const std::function<Leido(FILE*)>& leer)
{
    FILE* f = o.entrada == "-" ? stdin : std::fopen(o.entrada.c_str(), "rb");
    if (f == nullptr) {
        std::fprintf(stderr, "film: cannot read %s: %s\n", o.nombre().c_str(), std::strerror(errno));
        return false;
    }
    const Leido l = leer(f);
    const bool roto = !l.grande && std::ferror(f);
    const int error = errno;
    if (o.entrada != "-")
        std::fclose(f);
    const char* que = o.verbo == "compile" ? "a shot list" : o.verbo == "playable" ? "a recording" : "a film";
    if (l.grande)
        std::fprintf(stderr, "film: cannot read %s: larger than %s, the most %s may be\n", o.nombre().c_str(),
                     TEXTO_TAMANO_MAXIMO_CAMARA, que);
    else if (roto)
        std::fprintf(stderr, "film: cannot read %s: %s\n", o.nombre().c_str(), std::strerror(error));
    else if (l.sinMemoria)
        std::fprintf(stderr, "film: cannot read %s: not enough memory for its %lld bytes\n", o.nombre().c_str(),
                     l.bytes);
    return !l.grande && !roto && !l.sinMemoria;
}

}  // namespace

std::string cuentas(int errores, int avisos)
{
    return plural(errores, "error", "errors") + ", " + plural(avisos, "warning", "warnings");
}

// The whole input file as text. One of more than TAMANO_MAXIMO_CAMARA bytes is
// refused: a regular file before it is read, any other (a pipe, a device) when
// its reading goes past them. Should memory run out first, the reading goes on,
// counting, to tell which refusal is due.
bool leerTexto(const Orden& o, std::string& texto)
{
    return leerEntrada(o, [&texto](FILE* f) {
        struct stat s;
        Leido l;
        l.grande = fstat(fileno(f), &s) == 0 && S_ISREG(s.st_mode) &&
                   s.st_size - std::max<off_t>(ftello(f), 0) > TAMANO_MAXIMO_CAMARA;
        char bloque[64 * 1024];
        size_t leidos;
        while (!l.grande && (leidos = std::fread(bloque, 1, sizeof bloque, f)) > 0) {
            l.bytes += static_cast<long long>(leidos);
            l.grande = l.bytes > TAMANO_MAXIMO_CAMARA;
            try {
                if (!l.grande && !l.sinMemoria)
                    texto.append(bloque, leidos);
            } catch (const std::bad_alloc&) {
                l.sinMemoria = true;
                std::string().swap(texto);
            }
        }
        return l;
    });
}

// Writes the output (a film, a shot list, a WAV file) whole to its file, or to
// standard output. False, with a message, when it cannot.
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

// The film read as it goes, and checked; false, with the findings or why not, when
// it cannot be read or a pose shows nothing sensible.
bool leerPeliculaSana(const Orden& o, RevisionPelicula& r)
{
    const bool leida = leerEntrada(o, [&r](FILE* f) {
        r = revisarPelicula(leerPelicula(f, true));
        Leido l;
        l.grande = r.lectura.fallo == FalloPelicula::DemasiadoGrande;
        return l;
    });
    if (!leida)
        return false;
    imprimirRevision(stderr, o.nombre(), r, [&](const Hallazgo& h) {
        return Diagnostico{h.donde, describirHallazgo(h, r.lectura)};
    });
    if (!r.legible() || !r.sana()) {
        std::fprintf(stderr, "film: nothing written: %s\n", cuentas(r.errores(), r.avisos()).c_str());
        return false;
    }
    return true;
}

}  // namespace film_tool
