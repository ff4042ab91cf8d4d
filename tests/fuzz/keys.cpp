// Fuzz target: keys from a camera path. Any bytes are read as a film; the first
// poses of a sound one, over a short stretch of the story, become keys, and the
// keys' shot list, read back and compiled, gives those poses within the tolerance
// at every frame (the eye and the centre within it, the up vector's direction
// within its angle).
#include "film/camera_path.h"
#include "film/film_check.h"
#include "film/path_keys.h"
#include "film/shot_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace {

constexpr size_t POSES = 48;  // at most, so that each input steps the story a little
constexpr std::array<double, 3> TOLERANCIAS = {0.05, 0.5, 0.001};

// The distance and the angle as clavesDeCamino measures them, to the last bit.
double distancia(const std::array<float, 9>& a, const std::array<float, 9>& b, size_t k)
{
    double s = 0;
    for (size_t c = k; c < k + 3; c++) {
        const double d = static_cast<double>(a[c]) - b[c];
        s += d * d;
    }
    return std::sqrt(s);
}

double grados(const std::array<float, 9>& a, const std::array<float, 9>& b)
{
    const double u[3] = {a[6], a[7], a[8]}, v[3] = {b[6], b[7], b[8]};
    const double x = u[1] * v[2] - u[2] * v[1], y = u[2] * v[0] - u[0] * v[2], z = u[0] * v[1] - u[1] * v[0];
    if (u[0] == 0 && u[1] == 0 && u[2] == 0)
        return 180;
    return std::atan2(std::sqrt(x * x + y * y + z * z), u[0] * v[0] + u[1] * v[1] + u[2] * v[2]) * 180 /
           3.14159265358979323846;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    std::string texto(reinterpret_cast<const char*>(datos), largo);
    FILE* f = fmemopen(texto.data(), texto.size(), "r");
    if (f == nullptr)
        return 0;
    RevisionPelicula r = revisarPelicula(leerPelicula(f, true));
    std::fclose(f);
    std::vector<std::array<float, 9>>& poses = r.lectura.poses;
    if (!r.legible() || !r.sana() || poses.empty())
        return 0;
    poses.resize(std::min(poses.size(), POSES));
    const int primero = static_cast<int>(largo % 5) * 10;  // where the story stands: the toaster flies
    OpcionesClaves o;
    o.tolerancia = TOLERANCIAS[largo % TOLERANCIAS.size()];
    const ClavesDeCamino c = clavesDeCamino(poses, primero, o);

    // Keys in order over the path, the first at its start, the last held.
    const int fotogramas = primero + static_cast<int>(poses.size());
    if (c.claves.empty() || c.claves.front().fotograma != primero || c.claves.back().movimiento != Movimiento::Fijo)
        __builtin_trap();
    for (size_t i = 0; i < c.claves.size(); i++)
        if (c.claves[i].fotograma >= fotogramas || c.claves[i].linea != 0 ||
            (i > 0 && c.claves[i].fotograma <= c.claves[i - 1].fotograma))
            __builtin_trap();

    // Their shot list reads back key for key and compiles within the tolerance.
    const ListaDeTomas l = leerListaDeTomas(textoDeTomas(c.claves, "fuzz"), fotogramas);
    if (!l.bien() || l.claves.size() != c.claves.size())
        __builtin_trap();
    const std::vector<std::array<float, 9>> vuelta = compilarCamino(l.claves, fotogramas);
    double peor = 0;
    for (size_t i = 0; i < poses.size(); i++) {
        const auto& a = vuelta[static_cast<size_t>(primero) + i];
        const double d = std::max(distancia(a, poses[i], 0), distancia(a, poses[i], 3));
        if (!(d <= o.tolerancia) || !(grados(a, poses[i]) <= o.toleranciaArribaGrados))
            __builtin_trap();
        peor = std::max(peor, d);
    }
    if (peor != c.desviacion)
        __builtin_trap();
    return 0;
}
