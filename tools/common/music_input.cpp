// Music from an audio file or from a shot list's music line, decoded by
// tools/common/music_decoder for as long as the frames asked for hear it.
#include "tools/common/music_input.h"

#include "film/diagnostics.h"
#include "film/film_reader.h"
#include "film/shot_list.h"
#include "tools/common/music_decoder.h"
#include "tools/common/outputs.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace {

constexpr double FOTOGRAMAS_POR_SEGUNDO = static_cast<double>(SONIDO_POR_SEGUNDO) / SONIDO_POR_FOTOGRAMA;

// Whether --music names a shot list rather than an audio file.
bool esListaDeTomas(const std::string& ruta)
{
    const std::string fin = ".shots";
    return ruta.size() > fin.size() && ruta.compare(ruta.size() - fin.size(), fin.size(), fin) == 0;
}

// A text file, whole, of at most TAMANO_MAXIMO_CAMARA bytes. False, with why.
bool leerFicheroTexto(const std::string& ruta, std::string& texto, std::string& error)
{
    struct stat s;
    std::ifstream f(ruta, std::ios::binary);
    const bool hay = f && stat(ruta.c_str(), &s) == 0;
    if (!hay || S_ISDIR(s.st_mode)) {
        error = "cannot read " + ruta + ": " + std::strerror(hay ? EISDIR : errno);
        return false;
    }
    if (s.st_size > TAMANO_MAXIMO_CAMARA) {
        error = "cannot read " + ruta + ": larger than " + TEXTO_TAMANO_MAXIMO_CAMARA + ", the most a shot list may be";
        return false;
    }
    std::ostringstream todo;
    todo << f.rdbuf();
    texto = todo.str();
    return true;
}

// The music line of the shot list at ruta, its file's name made relative to
// where the list lies. False, with the first error, when the list does not read
// or has no music line.
bool musicaDeLista(const std::string& ruta, MusicaDeTomas& musica, std::string& error)
{
    std::string texto;
    if (!leerFicheroTexto(ruta, texto, error))
        return false;
    const ListaDeTomas lista = leerListaDeTomas(texto, FOTOGRAMAS_MAXIMOS);
    if (!lista.bien()) {
        const ErrorTexto& e = lista.errores.primeros().front();
        const int otros = lista.errores.total() - 1;
        error = lineaDiagnostico(ruta, e.donde, Gravedad::Error, e.mensaje) +
                (otros > 0 ? " (and " + plural(otros, "more error", "more errors") + ")" : "");
        return false;
    }
    if (!lista.musica.hay) {
        error = ruta + " has no music line (music \"FILE NAME\" [offset SECONDS] [gain DB]) to take the music from";
        return false;
    }
    musica = lista.musica;
    const size_t barra = ruta.rfind('/');
    if (musica.fichero[0] != '/' && barra != std::string::npos)
        musica.fichero = ruta.substr(0, barra + 1) + musica.fichero;
    return true;
}

std::string segundos(double s)
{
    char texto[32];
    std::snprintf(texto, sizeof texto, "%.3g s", s);
    return texto;
}

}  // namespace

void declararMusica(CLI::App& app, PeticionMusica& p)
{
    p.opcion = opcionFichero(app, "--music", "FILE", p.fichero,
                             "music under the story's sound from its frame 0: an audio file that ffmpeg reads, or a "
                             "shot list (NAME.shots) whose music line names one beside it, with its offset and gain");
    p.opcionDesplazamiento =
        opcionNumero(app, "--music-offset", "SECONDS", -DESPLAZAMIENTO_MAXIMO_MUSICA, DESPLAZAMIENTO_MAXIMO_MUSICA,
                     "a number of seconds from -86400 to 86400", p.desplazamiento,
                     "move the music SECONDS later (earlier when negative: cut in) (default 0, or the music line's)")
            ->needs(p.opcion);
    p.opcionGanancia = opcionNumero(app, "--music-gain", "DB", GANANCIA_MINIMA_MUSICA, GANANCIA_MAXIMA_MUSICA,
                                    "a number of decibels from -60 to 20", p.gananciaDb,
                                    "the music's level in the mix (default -6, or the music line's)")
                           ->needs(p.opcion);
}

MusicaCargada cargarMusica(const PeticionMusica& p, int hasta, int fotogramas)
{
    MusicaCargada c;
    c.audio = p.fichero;
    c.musica.desplazamiento = p.desplazamiento;
    c.musica.gananciaDb = p.gananciaDb;
    MusicaDeTomas linea;
    if (esListaDeTomas(p.fichero)) {
        if (!musicaDeLista(p.fichero, linea, c.error))
            return c;
        c.audio = linea.fichero;
        if (p.opcionDesplazamiento == nullptr || p.opcionDesplazamiento->count() == 0)
            c.musica.desplazamiento = linea.desplazamiento;
        if (p.opcionGanancia == nullptr || p.opcionGanancia->count() == 0)
            c.musica.gananciaDb = linea.gananciaDb;
    }
    // A second past the last frame, for the mastering's look ahead; at least a
    // second, so that a file is known to be audio even where none of it is heard.
    const double oidos = (hasta + 1.0) / FOTOGRAMAS_POR_SEGUNDO + 1.0 - c.musica.desplazamiento;
    if (!decodificarMusica(c.audio, std::max(oidos, 1.0), c.musica.muestras, c.error))
        return c;
    const double largo = static_cast<double>(c.musica.muestras.size()) / 2.0 / SONIDO_POR_SEGUNDO;
    const double pelicula = static_cast<double>(fotogramas) / FOTOGRAMAS_POR_SEGUNDO;
    if (c.musica.desplazamiento >= pelicula || c.musica.desplazamiento + largo <= 0.0)
        c.aviso = "the music " + c.audio + " lies wholly outside the film (from " + segundos(c.musica.desplazamiento) +
                  " to " + segundos(c.musica.desplazamiento + largo) + " of a film of " + segundos(pelicula) +
                  "): none of it is heard";
    return c;
}

std::string describirMusica(const MusicaCargada& c)
{
    char ganancia[32];
    std::snprintf(ganancia, sizeof ganancia, "%g dB", c.musica.gananciaDb);
    return "the music " + c.audio + " from " + segundos(c.musica.desplazamiento) + " at " + ganancia;
}

MusicaCargada cargarMusicaPara(const PeticionMusica& p, int hasta, int fotogramas, const std::string& salida,
                               const char* lo)
{
    MusicaCargada c = cargarMusica(p, hasta, fotogramas);
    if (c.bien() && !salida.empty() && (escribiriaSobre(salida, p.fichero) || escribiriaSobre(salida, c.audio)))
        c.error = salida + " is the music read: " + lo + " would be written over it";
    return c;
}
