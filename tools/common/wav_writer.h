// WAV files of the soundtrack: 16-bit PCM, little-endian, 48 kHz stereo by
// default, written whole (tools/common/whole_file) or handed over as bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The interleaved samples alone, each little-endian: raw PCM ("s16le").
std::string bytesPcm(const std::vector<int16_t>& muestras);
// The whole file: a RIFF header, then the interleaved samples.
std::string bytesWav(const std::vector<int16_t>& muestras, int porSegundo = 48000, int canales = 2);
// Writes it to ruta, whole or not at all. False, with the reason.
bool escribirWav(const std::string& ruta, const std::vector<int16_t>& muestras, std::string& error);
