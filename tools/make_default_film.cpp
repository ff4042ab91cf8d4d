// Writes the bundled film: a count line, then one pose per frame of the story
// (FOTOGRAMAS_GUION frames), the camera circling the world's centre once, slowly, from high
// above the river's far bank.
//
//   make_default_film [FILE]     (default: camarabuena.txt)
#include "camera/camera_files.h"
#include "scene/timeline.h"

#include <cmath>
#include <cstdio>

int main(int argc, char** argv)
{
    const char* nombre = argc > 1 ? argv[1] : "camarabuena.txt";
    FILE* f = std::fopen(nombre, "w");
    if (f == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", nombre);
        return 1;
    }
    const int fotogramas = FOTOGRAMAS_GUION;
    const double centroX = 230.0, centroZ = 260.0;  // between the pitch, the river and the coast
    const double radio = 380.0, altura = 260.0;
    std::fprintf(f, "%d\n", fotogramas);
    for (int i = 0; i < fotogramas; i++) {
        const double angulo = 2.0 * M_PI * i / fotogramas;
        const std::array<float, 9> pose = {
            static_cast<float>(centroX + radio * std::cos(angulo)), static_cast<float>(altura),
            static_cast<float>(centroZ + radio * std::sin(angulo)),
            static_cast<float>(centroX), 0.0f, static_cast<float>(centroZ),
            0.0f, 1.0f, 0.0f};
        std::fputs(lineaPose(pose).c_str(), f);
    }
    const bool bien = std::fclose(f) == 0;
    return bien ? 0 : 1;
}
