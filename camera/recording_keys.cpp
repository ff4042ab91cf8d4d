// REC's keyboard. Each key prints the pose as it was, applies its row, then
// re-applies the view. Steps of fm and of the float scene variables are done in
// double precision and stored back as floats.
#include "camera/recording_keys.h"

#include "app/scene_state.h"
#include "camera/camera_files.h"
#include "camera/view.h"

#include <cstdlib>

bool grabarPose(FILE* fichero)
{
    const std::string linea = lineaPose();
    const bool escrito = std::fputs(linea.c_str(), fichero) >= 0;
    return std::fflush(fichero) == 0 && escrito;
}

void keyboard_rec(unsigned char key, int, int)
{
    std::fputs(lineaPose().c_str(), stdout);

    switch (key) {
    // The free camera: eye, centre and up, one component per key pair.
    case 'Q': qq += fm; break;
    case 'q': qq -= fm; break;
    case 'W': ww += fm; break;
    case 'w': ww -= fm; break;
    case 'e': ee += fm; break;
    case 'E': ee -= fm; break;
    case 'A': aa += fm; break;
    case 'a': aa -= fm; break;
    case 'S': ss += fm; break;
    case 's': ss -= fm; break;
    case 'd': dd += fm; break;
    case 'D': dd -= fm; break;
    case 'z': zz += fm; break;
    case 'Z': zz -= fm; break;
    case 'x': xx += fm; break;
    case 'X': xx -= fm; break;
    case 'c': cc += fm; break;
    case 'C': cc -= fm; break;
    case '+':
        fm += 0.1;
        std::printf("Factor de Escala: %f\n", fm);
        break;
    case '-':
        fm -= 0.1;
        std::printf("Factor de Escala: %f\n", fm);
        break;
    case 'u':
    case 'U': {
        if (!grabarPose(fich))
            std::printf("Error al escribir en fichero de camara.\n");
        std::fputs(lineaPose().c_str(), stdout);
        break;
    }
    case 27:
        std::fclose(fich);
        fich = nullptr;
        std::exit(0);

    // The scene, posed by hand.
    case 'p': rota_escena++; break;
    case 'n': if (movpuerta < 10) movpuerta++; break;
    case 'm': if (movpuerta > 0) movpuerta--; break;
    case 'T': movtostada += 0.1; break;
    case 't': movtostada -= 0.1; break;
    case 'B': angulo_barrera++; break;
    case 'b': angulo_barrera--; break;
    case 'V': movalas++; break;
    case 'v': movalas--; break;
    case 'o': angulo_tren += 5; break;
    case 'i': movsofa += 1.0; break;
    case 'I': movsofa -= 1.0; break;
    case 'l': semaforo_encendido = semaforo_encendido == 1 ? 2 : 1; break;
    case 'L': semaforo_encendido = 0; break;
    case 'K': mov_coche += 1.0; break;
    case 'k': mov_coche -= 0.2; break;
    case 'J': angulo_coche += 1.0; break;
    case 'j': angulo_coche -= 1.0; break;
    case 'H': angulo_rueda_coche++; break;
    case 'h': angulo_rueda_coche--; break;
    case 'G': angulo_helice_coche++; break;
    case 'g': angulo_helice_coche--; break;
    case 'F': angulo_brazo[5]++; break;
    case 'f': angulo_brazo[5]--; break;
    case '2': pendiente_grua += 1.0; break;
    case '1': pendiente_grua -= 1.0; break;
    case '4': angulo_gato++; break;
    case '3': angulo_gato--; break;
    case '6': movgato += 0.01; break;
    case '5': movgato -= 0.01; break;
    case '8': mov_gruaX += 0.1; break;
    case '7': mov_gruaX -= 0.1; break;
    case '0': mov_gruaZ += 0.1; break;
    case '9': mov_gruaZ -= 0.1; break;
    case '.': angulo_grua++; break;
    case ',': angulo_grua--; break;
    default: break;
    }

    refrescarVista();
}
