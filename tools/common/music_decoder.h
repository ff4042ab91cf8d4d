// Music for the soundtrack: any audio file that ffmpeg reads (a song, a video's
// sound), decoded by the ffmpeg program through a pipe to 48 kHz stereo float
// samples, as the soundtrack's mastering mixes them in.
#pragma once

#include <string>
#include <vector>

// The largest music file read, and the longest stretch of it decoded.
constexpr long long TAMANO_MAXIMO_MUSICA = 1LL << 30;
constexpr const char* TEXTO_TAMANO_MAXIMO_MUSICA = "1 GiB";
constexpr double SEGUNDOS_MAXIMOS_MUSICA = 3600.0;

// Decodes the first `segundos` seconds of the file (at most an hour; the rest is
// left out) into interleaved stereo pairs, left then right. False, with one
// sentence, when the file cannot be read, is a folder or larger than 1 GiB, is
// not audio that ffmpeg decodes, holds no sound, or ffmpeg is missing.
bool decodificarMusica(const std::string& ruta, double segundos, std::vector<float>& muestras, std::string& error);
