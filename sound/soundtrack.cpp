// The story played frame by frame by the timeline's own step, by film/player;
// each frame's reading, with the one before and the one after, gives the
// frame's sounds, mixed through the frame's pose and mastered. The mastering
// looks a little ahead, so the story is played one frame past the last one
// asked for, and one more for the listener's look at the frame after. Nothing
// here writes the scene: the player does.
#include "sound/soundtrack.h"

#include "film/player.h"
#include "sound/cues.h"
#include "sound/mastering.h"
#include "sound/mixer.h"

#include <cmath>
#include <limits>

static_assert(SONIDO_POR_FOTOGRAMA == MUESTRAS_POR_FOTOGRAMA, "a frame's sound");
static_assert(SONIDO_POR_SEGUNDO == MUESTRAS_POR_SEGUNDO, "the sample rate");
static_assert(ANTICIPO_LIMITADOR < MUESTRAS_POR_FOTOGRAMA, "the limiter looks less than a frame ahead");

namespace {

MusicaMezclada mezclaDe(const Musica* musica)
{
    MusicaMezclada m;
    if (musica == nullptr)
        return m;
    m.muestras = &musica->muestras;
    m.desplazamiento = static_cast<long>(std::floor(musica->desplazamiento * MUESTRAS_POR_SEGUNDO + 0.5));
    m.ganancia = static_cast<float>(decibelios(musica->gananciaDb));
    return m;
}

}  // namespace

std::vector<float> bandaSonora(const std::vector<std::array<float, 9>>& poses, int desde, int hasta,
                               const OpcionesSonido& opciones)
{
    std::vector<float> salida;
    if (desde < 0 || hasta < desde || hasta > std::numeric_limits<int>::max() - 2)
        return salida;
    constexpr int N = MUESTRAS_POR_FOTOGRAMA;
    const long primero = static_cast<long>(desde) * N, fin = (static_cast<long>(hasta) + 1) * N;
    salida.reserve(static_cast<size_t>(2 * (fin - primero)));

    Mezclador mezclador(opciones.familias);
    Oyente oyente;
    Masterizador master(mezclaDe(opciones.musica));
    std::vector<float> mezcla(2 * N), listos;
    std::array<Instante, 3> lecturas;  // the frames before, being heard, and after
    int leidas = 0;
    // Frame f is heard once the story has stepped f + 1; the story is played
    // to hasta + 2, so that hasta + 1 is mixed for the limiter to look into.
    recorrerPelicula(poses, hasta + 2, [&] {
        lecturas = {lecturas[1], lecturas[2], observarEscena()};
        if (++leidas < 3)
            return;
        oyente.oir(lecturas[0], lecturas[1], lecturas[2], mezclador);
        mezclador.mezclar(lecturas[1], mezcla.data());
        listos.clear();
        master.pasar(mezcla.data(), N, listos);
        long par = master.producidos() - static_cast<long>(listos.size() / 2);
        for (size_t i = 0; i < listos.size(); i += 2, par++)
            if (par >= primero && par < fin) {
                salida.push_back(listos[i]);
                salida.push_back(listos[i + 1]);
            }
    });
    return salida;
}

std::vector<float> bandaSonora(const std::vector<std::array<float, 9>>& poses, int desde, int hasta,
                               const Musica* musica)
{
    OpcionesSonido opciones;
    opciones.musica = musica;
    return bandaSonora(poses, desde, hasta, opciones);
}

std::vector<int16_t> aDieciseisBits(const std::vector<float>& muestras)
{
    std::vector<int16_t> enteros(muestras.size());
    for (size_t i = 0; i < muestras.size(); i++) {
        const double v = std::floor(static_cast<double>(muestras[i]) * 32767.0 + 0.5);
        enteros[i] = static_cast<int16_t>(v > 32767.0 ? 32767.0 : (v < -32767.0 ? -32767.0 : v));
    }
    return enteros;
}

std::vector<int16_t> bandaSonora16(const std::vector<std::array<float, 9>>& poses, int desde, int hasta,
                                   const Musica* musica)
{
    return aDieciseisBits(bandaSonora(poses, desde, hasta, musica));
}
