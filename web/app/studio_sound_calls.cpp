// The studio's sound calls (web/js/shared/core.js makes them): the film shown's
// soundtrack, heard through its camera with the music set, and the music line as
// the shot-list writer writes it.
#include "film/player.h"
#include "film/shot_writer.h"
#include "web/app/studio.h"

#include <emscripten/emscripten.h>

#include <algorithm>

extern "C" {

// The soundtrack of frames desde to hasta of the film shown, 16-bit stereo at 48
// kHz (1,200 pairs a frame), with the music set (studio_set_music); its length in
// pairs is (hasta - desde + 1) x 1200. The story is started again for the next
// drawing, which steps it from frame 0.
EMSCRIPTEN_KEEPALIVE const int16_t* studio_soundtrack(int desde, int hasta)
{
    Estudio& e = estudio();
    e.sonido = bandaSonora16(e.poses, desde, hasta, e.musica.muestras.empty() ? nullptr : &e.musica);
    escenaSinVentana();
    instalarPelicula({});
    return e.sonido.data();
}

// The music played with the story: pares stereo pairs of floats at 48 kHz (copied),
// its offset in seconds from frame 0, its gain in dB; none with no pairs.
EMSCRIPTEN_KEEPALIVE void studio_set_music(const float* muestras, int pares, double desplazamiento, double gananciaDb)
{
    Musica& m = estudio().musica;
    m.muestras.assign(muestras, muestras + 2 * static_cast<size_t>(std::max(0, pares)));
    m.desplazamiento = desplazamiento;
    m.gananciaDb = gananciaDb;
}

// Only the offset and the gain of the music set, its samples kept.
EMSCRIPTEN_KEEPALIVE void studio_music_settings(double desplazamiento, double gananciaDb)
{
    Musica& m = estudio().musica;
    m.desplazamiento = desplazamiento;
    m.gananciaDb = gananciaDb;
}

// The music line as the shot-list writer writes it: the file's name (largo bytes
// at nombre), its offset and gain, its tempo (0: none).
EMSCRIPTEN_KEEPALIVE const char* studio_music_line(const char* nombre, int largo, double desplazamiento, double tempo,
                                                   double gananciaDb)
{
    MusicaDeTomas m;
    m.hay = true;
    m.fichero.assign(nombre, static_cast<size_t>(largo));
    m.desplazamiento = desplazamiento;
    m.tempo = tempo;
    m.gananciaDb = gananciaDb;
    estudio().respuesta = lineaDeMusica(m);
    return estudio().respuesta.c_str();
}

}  // extern "C"
