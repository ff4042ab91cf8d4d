// The scene state copied into a reading, actors placed by scene/actors.
#include "sound/observation.h"

#include "app/scene_state.h"
#include "models/railway_town/train.h"

#include <cmath>

namespace {

float redondear(float v)
{
    return static_cast<float>(std::floor(static_cast<double>(v) * 4096.0 + 0.5) / 4096.0);
}

}  // namespace

Instante observarEscena()
{
    Instante s;
    s.fotograma = fotograma - 1;
    s.pose = {qq, ww, ee, aa, ss, dd, zz, xx, cc};
    for (int a = 0; a < NUM_ACTORES; a++) {
        const PuntoMundo p = posicionActor(static_cast<Actor>(a));
        s.lugar[a] = {redondear(p.x), redondear(p.y), redondear(p.z)};
    }
    s.movalas = movalas;
    s.ytostadora = ytostadora;
    s.movsofa = movsofa;
    s.movtostada = movtostada;
    s.movpierna = movpierna;
    s.estado_boca = estado_boca;
    s.estado_balon = estado_balon;
    s.xbalon = xbalon;
    s.ybalon = ybalon;
    s.angulo_tren = angulo_tren;
    s.recorrido_tren = recorridoTren();
    s.movpuerta = movpuerta;
    s.semaforo = semaforo_encendido;
    s.angulo_barrera = angulo_barrera;
    s.mov_coche = mov_coche;
    s.angulo_coche = angulo_coche;
    s.despega = despega;
    s.movpuertacoche = movpuertacoche;
    s.angulo_helice = angulo_helice_coche;
    s.angulo_rueda = angulo_rueda_coche;
    s.estado_coche = estado_coche;
    s.grua_visible = grua_visible;
    s.angulo_grua = angulo_grua;
    s.angulo_gato = angulo_gato;
    s.mov_gruaX = mov_gruaX;
    s.mov_gruaY = mov_gruaY;
    s.mov_gruaZ = mov_gruaZ;
    s.movgato = movgato;
    s.pendiente_grua = pendiente_grua;
    for (int i = 0; i < 6; i++)
        s.angulo_brazo[i] = angulo_brazo[i];
    return s;
}
