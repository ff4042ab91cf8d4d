// The story, frame by frame. The schedule is nine groups applied in order; inside a
// group only the first rule whose frames match is applied, and every range is
// inclusive at both ends. Fractional steps are added in double precision and
// stored back into the float variables.
#include "scene/timeline.h"

#include "app/credits_screen.h"
#include "app/scene_state.h"
#include "camera/view.h"

#include <GL/glut.h>
#ifdef __EMSCRIPTEN__
#include "web/app/toolkit.h"
#endif

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

// The story's beats: the frame each begins at, as the schedule below runs it.
constexpr int LLEGA_TOSTADORA = 0;   // the toaster flies in
constexpr int PATADA = 511;          // the character's leg kicks
constexpr int PELOTEO = 618;         // the rally's first throw
constexpr int ATERRIZAJE = 961;      // the toaster comes down onto the head
constexpr int TOSTADA = 1107;        // the toast pops up
constexpr int BALON_AL_TREN = 1187;  // the ball lands in the train
constexpr int PUERTAS = 1391;        // the train's doors close
constexpr int SALE_TREN = 1421;      // the train leaves
constexpr int PASO_A_NIVEL = 2689;   // the crossing's lamps start to blink
constexpr int ARRANCA_COCHE = 3101;  // the car drives off
constexpr int LOOPING = 3184;        // the car turns into the looping
constexpr int ROTORES = 4256;        // the car's wheels tilt into rotors
constexpr int VUELO = 4663;          // the car lifts off
constexpr int CAIDA = 5630;          // the car falls beside the towers
constexpr int GRUA_LEVANTA = 7120;   // the car hangs from the crane's grip
constexpr int VUELCA_CAJA = 7741;    // the crane's bed tips

const std::vector<MomentoGuion> MOMENTOS = {
    {LLEGA_TOSTADORA, "toaster arrives"},
    {PATADA,          "kick"},
    {PELOTEO,         "rally"},
    {ATERRIZAJE,      "landing"},
    {TOSTADA,         "toast"},
    {BALON_AL_TREN,   "ball into the train"},
    {PUERTAS,         "doors"},
    {SALE_TREN,       "train leaves"},
    {PASO_A_NIVEL,    "crossing"},
    {ARRANCA_COCHE,   "car off"},
    {LOOPING,         "looping"},
    {ROTORES,         "rotors"},
    {VUELO,           "flight"},
    {CAIDA,           "fall"},
    {GRUA_LEVANTA,    "crane lifts"},
    {VUELCA_CAJA,     "bed tips"},
};

bool entre(int f, int desde, int hasta)
{
    return f >= desde && f <= hasta;
}

// One phase of the wing beat: 17 wraps to 0.
void avanzarFaseAlas()
{
    movalas = movalas == 17 ? 0 : movalas + 1;
}

void esperarPaso()
{
#ifdef __EMSCRIPTEN__
    // A browser's page has one thread, which must not sleep: its toolkit waits
    // on a timer instead, once this step is drawn, before the next one.
    toolkit_wait_after_step(PAUSA_PASO_MS);
#else
    std::this_thread::sleep_for(std::chrono::milliseconds(PAUSA_PASO_MS));
#endif
}

// Each 45-degree throw of the rally: speed 22.135 carries the ball 50 along the pitch.
void pase(int t0)
{
    moverBalon(22.135f, 0.7073f, 0.7068f, t0);
}

}  // namespace

void moverBalon(float velocidad, float coseno, float seno, int t0)
{
    const float t = (fotograma - t0) / 20.0;
    xbalon = velocidad * coseno * t;
    ybalon = velocidad * seno * t - 4.9 * t * t;
}

void aplicarGuion()
{
    const int f = fotograma;

    // 1: the toaster flies forward beating its wings.
    if (entre(f, LLEGA_TOSTADORA, 910)) {
        xtostadora += 0.05;
        avanzarFaseAlas();
    }

    // 2: the sofa turns, the ball appears, the leg kicks.
    if (entre(f, 171, 179))
        movsofa += 1;
    else if (f == 370)
        estado_balon = 0;
    else if (entre(f, PATADA, 532))
        movpierna += 1;

    // 3: the ball's flights, the toaster's landing and toast, the train's pace.
    if (entre(f, 521, 562)) {
        moverBalon(16.4f, 0.7073f, 0.7068f, 521);
        xbalon = 24 - xbalon;
    } else if (entre(f, PELOTEO, 682)) {
        pase(PELOTEO);
        xbalon -= 0.3;
        ybalon += 3;
    } else if (entre(f, 683, 747)) {
        pase(683);
        xbalon = 50 - xbalon;
        ybalon += 3;
    } else if (entre(f, 748, 812)) {
        pase(748);
        xbalon -= 0.3;
        ybalon += 3;
    } else if (entre(f, 813, 877)) {
        pase(813);
        xbalon = 50 - xbalon;
        ybalon += 3;
    } else if (entre(f, 878, 910)) {
        pase(878);
        xbalon -= 0.3;
        ybalon += 3;
    } else if (f >= ATERRIZAJE && ytostadora > 1.8) {
        movalas = 0;
        ytostadora = 15.5 - (f - ATERRIZAJE) * 4.9 / 20;
        if (ytostadora < 1.8) {
            ytostadora = 1.4;
            movalas = 9;
            xtostadora += 0.1;
        }
    } else if (f == 1019) {
        estado_boca = 1;
    } else if (entre(f, TOSTADA, 1110)) {
        movtostada += 0.1;
    } else if (entre(f, 1111, 1114)) {
        movtostada -= 0.1;
    } else if (entre(f, 1118, 1153)) {
        moverBalon(11.2486f, 1.0f, 0.0f, 1118);
    } else if (entre(f, 1154, 1186)) {
        moverBalon(11.2301f, 0.5f, 0.866f, 1154);
        xbalon += 19.7;
        ybalon -= 15;
    } else if (f == BALON_AL_TREN) {
        estado_balon = 1;
    } else if (entre(f, SALE_TREN, 1969)) {
        angulo_tren += 5;
    } else if (entre(f, 2001, 2849)) {
        angulo_tren += 15;
    } else if (f >= 2850) {
        angulo_tren += 100;
    }

    // 4: the train's doors close; the crossing's lamps alternate every 10 frames.
    if (entre(f, PUERTAS, 1400))
        movpuerta -= 1;
    else if (entre(f, PASO_A_NIVEL, 2999) && f % 10 == 0)
        semaforo_encendido = semaforo_encendido == 1 ? 2 : 1;

    // 5: the barriers; the car drives and loops twice, opens up and spins its wheels.
    if (entre(f, 2723, 2812))
        angulo_barrera -= 1;
    else if (entre(f, 3001, 3090))
        angulo_barrera += 1;
    else if (f == 3091)
        semaforo_encendido = 0;
    else if (entre(f, ARRANCA_COCHE, 3183))
        mov_coche += 1;
    else if (entre(f, LOOPING, 3207))
        angulo_coche += 1;
    else if (entre(f, 3208, 3236))
        mov_coche += 1;
    else if (f == 3237) {
        mov_coche = 72;
        angulo_coche = 0;
    } else if (entre(f, 3239, 3260))
        mov_coche += 0.5;
    else if (entre(f, 3262, 3381))
        angulo_coche += 0.2;
    else if (entre(f, 3382, 3429))
        mov_coche += 0.5;
    else if (entre(f, 3929, 4099))
        mov_coche += 0.02;
    else if (entre(f, 4155, 4245))
        movpuertacoche += 1;
    else if (entre(f, ROTORES, 4346))
        angulo_helice_coche -= 1;
    else if (entre(f, 4361, 4500))
        angulo_rueda_coche += (f - 4360) / 2;
    else if (entre(f, 4501, 5621))
        angulo_rueda_coche += 20;

    // 6: a jolt at lift-off.
    if (f == 4720)
        despega += 2;

    // 7: lift-off, the flight, and the descent above the island.
    if (entre(f, VUELO, 4682))
        despega += 0.2;
    else if (entre(f, 4683, 5000))
        mov_coche += 1;
    else if (entre(f, 5001, 5375)) {
        mov_coche += 3;
        despega += 1;
    } else if (f == 5432) {
        despega = 180.9;
        mov_coche = 1345;
        cocheZ = 439.6;
        angulo_coche = 0;
    } else if (entre(f, 5433, 5529))
        despega -= 1.5;
    else if (entre(f, 5530, 5549)) {
        despega -= 0.2;
        angulo_helice_coche += 1;
        movpuertacoche -= 1;
    }

    // 8: the car falls by the island; the crane drives, props itself and lifts it.
    if (entre(f, 5550, 5621)) {
        angulo_helice_coche += 1;
        movpuertacoche -= 1;
    } else if (f == CAIDA) {
        despega = 0;
        mov_coche = 0;
        estado_coche = 1;
    } else if (entre(f, 5726, 5819))
        mov_coche += 0.6;
    else if (f == 5820)
        estado_coche = 2;
    else if (f == 5957)
        grua_visible = 1;
    else if (entre(f, 6307, 6407))
        mov_gruaX -= 0.2;
    else if (entre(f, 6408, 6453))
        angulo_grua -= 2;
    else if (entre(f, 6454, 6529))
        mov_gruaZ -= 0.1;
    else if (entre(f, 6541, 6661))
        angulo_gato -= 1;
    else if (entre(f, 6662, 6693))
        movgato -= 0.01;
    else if (entre(f, 6694, 6701)) {
        movgato -= 0.01;
        mov_gruaY += 0.01;
    } else if (entre(f, 6779, 6839))
        angulo_brazo[2] += 1;
    else if (entre(f, 6840, 6920))
        angulo_brazo[3] -= 2;
    else if (entre(f, 6921, 6979))
        angulo_brazo[1] -= 1;
    else if (entre(f, 6980, 6989))
        angulo_brazo[3] -= 2;
    else if (entre(f, 6990, 7009))
        angulo_brazo[2] += 1;
    else if (entre(f, 7010, 7019))
        angulo_brazo[1] -= 1;
    else if (entre(f, 7020, 7029))
        angulo_brazo[0] -= 1;
    else if (entre(f, 7030, 7039))
        angulo_brazo[2] += 1;
    else if (entre(f, 7040, 7059))
        angulo_brazo[5] += 1;
    else if (entre(f, 7060, 7109))
        angulo_brazo[4] += 2;
    else if (entre(f, 7110, 7119))
        angulo_brazo[1] -= 1;
    else if (f == GRUA_LEVANTA)
        estado_coche = 3;
    else if (entre(f, 7130, 7139))
        angulo_brazo[1] += 1;
    else if (entre(f, 7140, 7149))
        angulo_brazo[2] += 1;
    else if (entre(f, 7150, 7169))
        angulo_brazo[1] += 1;
    else if (entre(f, 7170, 7179))
        angulo_brazo[3] -= 2;
    else if (entre(f, 7180, 7249))
        angulo_brazo[0] -= 1;
    else if (entre(f, 7250, 7279))
        angulo_brazo[1] += 1;
    else if (entre(f, 7280, 7309))
        angulo_brazo[2] -= 1;
    else if (entre(f, 7310, 7349))
        angulo_brazo[4] -= 2;
    else if (entre(f, 7350, 7359))
        angulo_brazo[0] -= 1;
    else if (entre(f, 7360, 7389))
        angulo_brazo[2] -= 1;
    else if (f == 7390) {
        estado_coche = 4;
        angulo_gato = 0;
        movgato = 0;
        for (int i = 0; i < 6; i++)
            angulo_brazo[i] = angulo_brazo_reposo[i];
        mov_gruaY = 0;
        mov_coche = 0;
    } else if (entre(f, 7501, 7569))
        mov_gruaZ -= 0.1;
    else if (entre(f, 7570, 7660))
        angulo_grua -= 1;
    else if (entre(f, 7661, 7671))
        mov_gruaX += 0.1;
    else if (entre(f, 7681, 7734))
        mov_gruaX -= 0.1;
    else if (entre(f, VUELCA_CAJA, 7784))
        pendiente_grua += 1;

    // 9: the car slides back on the tipped bed.
    if (entre(f, 7751, 7811))
        mov_coche -= 0.2;
}

const std::vector<MomentoGuion>& momentosDelGuion()
{
    return MOMENTOS;
}

void pasarAPantallaFinal()
{
    tamX = mundoX;
    tamY = mundoY;
    glutReshapeWindow(winX, winY);
    pantalla_completa = 0;
    glutReshapeFunc(reshape_fijo);
    fotograma = 0;
    glutDisplayFunc(display_fin);
    glutIdleFunc(refresco_tostadora);
}

void pasoDelGuion()
{
    if (fotograma >= 0 && fotograma < nfotogramas && static_cast<size_t>(fotograma) < vfotogramas.size()) {
        const auto& pose = vfotogramas[fotograma];
        qq = pose[0]; ww = pose[1]; ee = pose[2];
        aa = pose[3]; ss = pose[4]; dd = pose[5];
        zz = pose[6]; xx = pose[7]; cc = pose[8];
    }
    aplicarGuion();
    fotograma++;
}

void refresco()
{
    esperarPaso();
    pasoDelGuion();
    refrescarVista();
    std::printf("fotograma:%d\n", fotograma);
    if (fotograma == nfotogramas)
        pasarAPantallaFinal();
}

void pasoTostadora()
{
    avanzarFaseAlas();
    if (angulo_tostadora == 360)
        angulo_tostadora = 0;
    angulo_tostadora += 3;
}

void refresco_tostadora()
{
    esperarPaso();
    pasoTostadora();
    glutPostRedisplay();
}
