// Films written with the recording's own pose line.
#include "film/film_writer.h"

#include "camera/camera_files.h"

#include <cmath>

std::string textoDePelicula(const std::vector<std::array<float, 9>>& poses)
{
    std::string texto = std::to_string(poses.size()) + "\n";
    for (const auto& pose : poses)
        texto += lineaPose(pose);
    return texto;
}

namespace {

// A number as "%f" writes it (six decimals, rounded to the nearest, ties to even)
// and the reader reads it back. The float times 10^6 is exact in a double, so the
// rounding is the writer's; the quotient is the decimal the line holds.
float comoSeLee(float v)
{
    return static_cast<float>(std::nearbyint(static_cast<double>(v) * 1e6) / 1e6);
}

}  // namespace

LecturaPelicula lecturaDeTexto(const std::vector<std::array<float, 9>>& poses)
{
    LecturaPelicula l;
    l.hayCuenta = true;
    l.cuenta = static_cast<int>(poses.size());
    l.posicionCuenta = {1, 1};
    l.poses.reserve(poses.size());
    l.inicioRegistro.reserve(poses.size());
    for (size_t i = 0; i < poses.size(); i++) {
        std::array<float, 9> leida;
        for (size_t k = 0; k < leida.size(); k++)
            leida[k] = comoSeLee(poses[i][k]);
        l.poses.push_back(leida);
        l.inicioRegistro.push_back({static_cast<int>(i) + 2, 1});
    }
    return l;
}
