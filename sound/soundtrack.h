// The story's own soundtrack, heard through a film: every sound caused by a
// change of the scene as the timeline steps the story, synthesized, placed at
// its actor and heard through each frame's camera pose, then mastered. 48 kHz
// stereo; frame i of the story begins at stereo pair i x 1200. The same poses,
// frames and music give the same samples, bit for bit, on every machine, and
// the samples of frames A to B are those of the whole film's soundtrack.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

constexpr int SONIDO_POR_SEGUNDO = 48000;      // stereo pairs a second
constexpr int SONIDO_POR_FOTOGRAMA = 1200;     // stereo pairs a frame (25 ms)

// Music played with the story, before the mastering.
struct Musica {
    std::vector<float> muestras;  // 48 kHz stereo pairs, left then right, as decoded
    double desplazamiento = 0.0;  // seconds from the story's frame 0 to its first sample (< 0: cut in)
    double gananciaDb = -6.0;     // its level in the mix
};

// The soundtrack of frames desde to hasta (both included) of the film whose
// poses these are (nine numbers a frame: eye, centre, up; frames past the film
// hold its last pose, as the story does): (hasta - desde + 1) x 1200 stereo
// pairs, interleaved, within [-1, 1], with the music when there is one. Empty
// when desde < 0, hasta < desde or hasta is within 2 of the largest int. The
// player plays the story from frame 0 in the scene state for it
// (recorrerPelicula) and leaves it two frames past hasta: a caller that draws
// afterwards starts its scene again (escenaSinVentana).
std::vector<float> bandaSonora(const std::vector<std::array<float, 9>>& poses, int desde, int hasta,
                               const Musica* musica = nullptr);
// The same as 16-bit samples.
std::vector<int16_t> bandaSonora16(const std::vector<std::array<float, 9>>& poses, int desde, int hasta,
                                   const Musica* musica = nullptr);
// Samples within [-1, 1] as 16-bit ones, rounded to the nearest.
std::vector<int16_t> aDieciseisBits(const std::vector<float>& muestras);

// For studies and tests: only the families of sounds in the mask (see
// sound/mixer.h), with or without music.
struct OpcionesSonido {
    uint32_t familias = ~0u;
    const Musica* musica = nullptr;
};
std::vector<float> bandaSonora(const std::vector<std::array<float, 9>>& poses, int desde, int hasta,
                               const OpcionesSonido& opciones);
