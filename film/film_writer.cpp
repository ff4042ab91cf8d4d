// Films written with the recording's own pose line.
#include "film/film_writer.h"

#include "camera/camera_files.h"

std::string textoDePelicula(const std::vector<std::array<float, 9>>& poses)
{
    std::string texto = std::to_string(poses.size()) + "\n";
    for (const auto& pose : poses)
        texto += lineaPose(pose);
    return texto;
}
