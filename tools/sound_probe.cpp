// sound_probe: the soundtrack of a film written as a WAV file, to measure and
// look at before the tools have their own way to ask for it.
//
//   sound_probe FILM OUT.wav [--frames A-B] [--only FAMILY,...]
//               [--music FILE] [--offset SECONDS] [--gain DB]
//
// --only keeps the named families of sounds ("bells", "train", ...). The time
// the synthesis took goes to standard error.
#include "film/player.h"
#include "sound/mixer.h"
#include "sound/soundtrack.h"
#include "tools/common/music_decoder.h"
#include "tools/common/wav_writer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>

namespace {

int uso()
{
    std::fprintf(stderr, "usage: sound_probe FILM OUT.wav [--frames A-B] [--only FAMILY,...] "
                         "[--music FILE] [--offset SECONDS] [--gain DB]\n");
    return 2;
}

bool familias(const std::string& lista, uint32_t& mascara)
{
    mascara = 0;
    std::stringstream s(lista);
    std::string nombre;
    while (std::getline(s, nombre, ',')) {
        bool hallada = false;
        for (int f = 0; f < NUM_FAMILIAS; f++)
            if (nombre == nombreFamilia(static_cast<Familia>(f))) {
                mascara |= familia(static_cast<Familia>(f));
                hallada = true;
            }
        if (!hallada) {
            std::fprintf(stderr, "sound_probe: no family of sounds is called \"%s\"\n", nombre.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3)
        return uso();
    int desde = 0, hasta = -1;
    std::string musica;
    Musica m;
    OpcionesSonido opciones;
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string a = argv[i], v = argv[i + 1];
        if (a == "--frames" && std::sscanf(v.c_str(), "%d-%d", &desde, &hasta) == 2)
            continue;
        if (a == "--only" && familias(v, opciones.familias))
            continue;
        if (a == "--music")
            musica = v;
        else if (a == "--offset")
            m.desplazamiento = std::atof(v.c_str());
        else if (a == "--gain")
            m.gananciaDb = std::atof(v.c_str());
        else
            return uso();
    }
    FicheroPelicula f = leerFicheroPelicula(argv[1]);
    if (!f.abierto || !f.lectura.bien()) {
        std::fprintf(stderr, "sound_probe: cannot read the film %s\n", argv[1]);
        return 1;
    }
    const auto& poses = f.lectura.poses;
    if (hasta < 0)
        hasta = static_cast<int>(poses.size()) - 1;
    std::string error;
    if (!musica.empty()) {
        if (!decodificarMusica(musica, (hasta + 1) / 40.0 + 1.0 - m.desplazamiento, m.muestras, error)) {
            std::fprintf(stderr, "sound_probe: %s\n", error.c_str());
            return 1;
        }
        opciones.musica = &m;
    }
    const auto t0 = std::chrono::steady_clock::now();
    const std::vector<float> sonido = bandaSonora(poses, desde, hasta, opciones);
    const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    std::fprintf(stderr, "frames %d-%d: %.2f s of sound synthesized in %.3f s\n", desde, hasta,
                 sonido.size() / 2.0 / SONIDO_POR_SEGUNDO, s);
    if (!escribirWav(argv[2], aDieciseisBits(sonido), error)) {
        std::fprintf(stderr, "sound_probe: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
