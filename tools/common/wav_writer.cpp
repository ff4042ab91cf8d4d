// The canonical 44-byte header: "RIFF", "WAVE", a "fmt " chunk for PCM and a
// "data" chunk; every number little-endian whatever the machine's order.
#include "tools/common/wav_writer.h"

#include "tools/common/whole_file.h"

namespace {

void anadir(std::string& s, uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; i++)
        s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

}  // namespace

std::string bytesWav(const std::vector<int16_t>& muestras, int porSegundo, int canales)
{
    const uint32_t datos = static_cast<uint32_t>(muestras.size() * 2);
    const uint32_t bloque = static_cast<uint32_t>(canales * 2);
    std::string s = "RIFF";
    anadir(s, 36 + datos, 4);
    s += "WAVEfmt ";
    anadir(s, 16, 4);  // the format chunk's size
    anadir(s, 1, 2);   // PCM
    anadir(s, static_cast<uint32_t>(canales), 2);
    anadir(s, static_cast<uint32_t>(porSegundo), 4);
    anadir(s, static_cast<uint32_t>(porSegundo) * bloque, 4);
    anadir(s, bloque, 2);
    anadir(s, 16, 2);  // bits a sample
    s += "data";
    anadir(s, datos, 4);
    return s + bytesPcm(muestras);
}

std::string bytesPcm(const std::vector<int16_t>& muestras)
{
    std::string s;
    s.reserve(muestras.size() * 2);
    for (int16_t m : muestras)
        anadir(s, static_cast<uint16_t>(m), 2);
    return s;
}

bool escribirWav(const std::string& ruta, const std::vector<int16_t>& muestras, std::string& error)
{
    return escribirFicheroEntero(ruta, bytesWav(muestras), error);
}
