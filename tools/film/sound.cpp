// film sound: the story's soundtrack heard through a film, as a WAV file, with
// the music asked for; and the families of sounds --only keeps, for studies.
#include "tools/film/film.h"

#include "sound/mixer.h"
#include "sound/soundtrack.h"
#include "tools/common/film_input.h"
#include "tools/common/outputs.h"
#include "tools/common/wav_writer.h"

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace film_tool {

namespace {

// The music for frames 0 to hasta, into opciones; false, said, when it cannot be
// had or would be written over.
bool prepararMusica(const Orden& o, int hasta, int registros, MusicaCargada& musica, OpcionesSonido& opciones)
{
    if (!o.musica.hay())
        return true;
    musica = cargarMusicaPara(o.musica, hasta, registros, o.salida, "the soundtrack");
    if (!musica.bien()) {
        std::fprintf(stderr, "film sound: %s; nothing written\n", musica.error.c_str());
        return false;
    }
    if (!musica.aviso.empty())
        std::fprintf(stderr, "film sound: %s\n", musica.aviso.c_str());
    opciones.musica = &musica.musica;
    return true;
}

}  // namespace

// The families of sounds --only names ("bells,train"), as a mask. False at a
// name that is none.
bool familiasDe(const std::string& lista, uint32_t& mascara)
{
    mascara = 0;
    size_t inicio = 0;
    while (inicio <= lista.size()) {
        const size_t coma = std::min(lista.find(',', inicio), lista.size());
        const std::string nombre = lista.substr(inicio, coma - inicio);
        const uint32_t antes = mascara;
        for (int f = 0; f < NUM_FAMILIAS; f++)
            if (nombre == nombreFamilia(static_cast<Familia>(f)))
                mascara |= familia(static_cast<Familia>(f));
        if (mascara == antes)
            return false;
        inicio = coma + 1;
    }
    return true;
}

std::string nombresDeFamilias()
{
    std::string nombres;
    for (int f = 0; f < NUM_FAMILIAS; f++)
        nombres += (f == 0 ? "" : ", ") + std::string(nombreFamilia(static_cast<Familia>(f)));
    return nombres;
}

int sonido(const Orden& o, uint32_t familias)
{
    RevisionPelicula r;
    if (!leerPeliculaSana(o, r))
        return SALIDA_FALLO;
    const std::vector<std::array<float, 9>>& poses = r.lectura.poses;
    const int registros = static_cast<int>(poses.size());
    std::vector<int> elegidos;
    std::string error;
    if (registros == 0)
        error = o.nombre() + " has no records: there is no camera to hear the story through";
    else
        fotogramasElegidos(o.tramos, 1, o.nombre(), registros, elegidos, error);
    if (!error.empty()) {
        std::fprintf(stderr, "film sound: %s\n", error.c_str());
        return SALIDA_FALLO;
    }
    const int desde = elegidos.front(), hasta = elegidos.back();
    OpcionesSonido opciones;
    opciones.familias = familias;
    MusicaCargada musica;
    if (!prepararMusica(o, hasta, registros, musica, opciones))
        return SALIDA_FALLO;
    const auto inicio = std::chrono::steady_clock::now();
    const std::vector<int16_t> muestras = aDieciseisBits(bandaSonora(poses, desde, hasta, opciones));
    const double segundos = std::chrono::duration<double>(std::chrono::steady_clock::now() - inicio).count();
    if (!escribirPelicula(o.salida, bytesWav(muestras)))
        return SALIDA_FALLO;
    const double oidos = static_cast<double>(muestras.size()) / 2.0 / SONIDO_POR_SEGUNDO;
    std::fprintf(stderr, "film: wrote %s: frames %d to %d of %s, %.2f s of 16-bit 48 kHz stereo sound%s%s; "
                 "synthesized in %.2f s, %.0f times real time\n",
                 o.salida.empty() ? "the soundtrack to standard output" : o.salida.c_str(), desde, hasta,
                 o.nombre().c_str(), oidos, o.musica.hay() ? ", with " : "",
                 o.musica.hay() ? describirMusica(musica).c_str() : "", segundos,
                 segundos > 0 ? oidos / segundos : 0.0);
    return SALIDA_BIEN;
}

}  // namespace film_tool
