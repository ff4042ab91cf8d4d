// Camera files and playback keys. A film is a count line followed by records of
// nine numbers (eye, centre, up), read by the film reader; a file that ends
// before its announced records are all read is refused.
#include "camera/camera_files.h"

#include "app/scene_state.h"
#include "film/player.h"
#include "scene/timeline.h"

#include <GL/glut.h>

#include <cstdlib>
#include <new>
#include <utility>

std::string nombreFicheroCamara(const std::tm& cuando)
{
    char nombre[256];
    std::snprintf(nombre, sizeof nombre, "camara-%02d%02d%d%02d%02d%02d.txt", cuando.tm_mday,
                  cuando.tm_mon + 1, cuando.tm_year + 1900, cuando.tm_hour, cuando.tm_min, cuando.tm_sec);
    return nombre;
}

std::string GenerarNombreFichero()
{
    const std::time_t ahora = std::time(nullptr);
    std::tm local{};
    localtime_r(&ahora, &local);
    try {
        return nombreFicheroCamara(local);
    } catch (const std::bad_alloc&) {
        std::printf("Error al reservar memoria para nombre archivo camara.\n");
        std::exit(-3);
    }
}

int cargarCamaraEnMemoria(FILE* fichero)
{
    LecturaPelicula lectura = leerPelicula(fichero);
    if (!lectura.hayCuenta)
        return -3;
    const int codigo = lectura.codigo();
    instalarPelicula(std::move(lectura));
    std::printf("nfotogramas=%d\n", nfotogramas);
    return codigo;
}

std::string lineaPose(const std::array<float, 9>& p)
{
    char linea[512];
    std::snprintf(linea, sizeof linea, "%f %f %f %f %f %f %f %f %f\n", p[0], p[1], p[2], p[3], p[4], p[5],
                  p[6], p[7], p[8]);
    return linea;
}

std::string lineaPose()
{
    return lineaPose({qq, ww, ee, aa, ss, dd, zz, xx, cc});
}

void keyboard_play(unsigned char key, int, int)
{
    switch (key) {
    case 27:
        std::printf("prismas dibujados: %lld\n", nprismas);
        std::exit(0);
    case ' ':
        if (fotograma != 0) {
            if (pausa == 0) {
                glutIdleFunc(nullptr);
                pausa = 1;
            } else {
                glutIdleFunc(refresco);
                pausa = 0;
            }
        }
        break;
    case 'u':
    case 'U':
        std::fputs(lineaPose().c_str(), stdout);
        break;
    default:
        break;
    }
}
