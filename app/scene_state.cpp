// The scene state's storage, its defaults and the constant tables.
#include "app/scene_state.h"

int modo;
int fotograma;
int nfotogramas;
std::vector<std::array<float, 9>> vfotogramas;
int pausa;
FILE* fich;
int argc_global;
char** argv_global;
char pantalla_completa;
int winX, winY;
int mundoX, mundoY;
int tamX, tamY;
long long nprismas;
GLUquadric* cilindro;
float fm;
int rota_escena;

float qq, ww, ee;
float aa, ss, dd;
float zz, xx, cc;

float xtostadora;
float ytostadora;
int movalas;
float movtostada;
int angulo_tostadora;
float movsofa;
int movpierna;
char estado_boca;
float xbalon, ybalon;
char estado_balon;
int angulo_tren;
int movpuerta;
int semaforo_encendido;
int angulo_barrera;
float mov_coche;
float angulo_coche;
float cocheX;
float cocheZ;
float despega;
int movpuertacoche;
int angulo_helice_coche;
int angulo_rueda_coche;
char estado_coche;
char grua_visible;
int angulo_grua;
float mov_gruaX, mov_gruaZ;
float mov_gruaY;
int angulo_gato;
float movgato;
float pendiente_grua;
int angulo_brazo[6];

// Door slide: out by 0.1 for three steps, then apart by 0.1 for seven.
const float xpuerta[16] = {0.0f, 0.1f, 0.2f, 0.3f, 0.3f, 0.3f, 0.3f, 0.3f, 0.3f, 0.3f, 0.3f};
const float zpuerta[16] = {0.0f, 0.0f, 0.0f, 0.0f, 0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f};

// One wing beat of 18 phases, -50 up to 50 and back; never flat.
const int angulo_alas[24] = {
    -50, -40, -30, -20, -10,  10,  20,  30,  40,
     50,  40,  30,  20,  10, -10, -20, -30, -40,
};

// One kick: back to -20, forward to 80 (held two phases), back to rest.
const int angulo_pierna[24] = {
      0,  -5, -10, -15, -20, -15, -10,  -5,   0,  10,  20,  30,
     40,  50,  60,  70,  80,  80,  60,  40,  20,   0,   0,
};

// The crane arm folded on its bed: slew, shoulder, elbow, wrist, twist, grip.
const int angulo_brazo_reposo[6] = {90, 32, -152, 120, -20, 40};

void inicializarVariablesGlobales()
{
    modo = 0;
    fotograma = 0;
    nfotogramas = 0;
    mundoX = 1024;
    mundoY = 768;
    winX = 1024;
    winY = 768;
    tamX = mundoX;
    tamY = mundoY;
    nprismas = 0;
    fm = 1.0f;
    rota_escena = 0;

    qq = 16.7f; ww = 99.0f; ee = 60.0f;
    aa = 5.5f;  ss = 4.6f;  dd = 7.0f;
    zz = 0.0f;  xx = 0.3f;  cc = 0.0f;

    xtostadora = 0.0f;
    ytostadora = 15.4f;
    movalas = 0;
    movtostada = 0.0f;
    angulo_tostadora = 0;
    movsofa = 0.0f;
    movpierna = 0;
    estado_boca = 0;
    xbalon = 24.0f;
    ybalon = 0.0f;
    estado_balon = 2;
    angulo_tren = 0;
    movpuerta = 10;
    semaforo_encendido = 0;
    angulo_barrera = 90;
    mov_coche = 0.0f;
    angulo_coche = 0.0f;
    cocheX = 0.0f;
    cocheZ = 407.0f;
    despega = 0.0f;
    movpuertacoche = 0;
    angulo_helice_coche = 0;
    angulo_rueda_coche = 0;
    estado_coche = 0;
    grua_visible = 0;
    angulo_grua = 0;
    mov_gruaX = 0.0f;
    mov_gruaZ = 0.0f;
    mov_gruaY = 0.0f;
    angulo_gato = 0;
    movgato = 0.0f;
    pendiente_grua = 0.0f;
    for (int i = 0; i < 6; i++)
        angulo_brazo[i] = angulo_brazo_reposo[i];

    if (cilindro == nullptr)  // made once; a later call only resets its style
        cilindro = gluNewQuadric();
    gluQuadricDrawStyle(cilindro, GLU_LINE);
}

int faseAlas(int fase)
{
    return ((fase % FASES_ALAS) + FASES_ALAS) % FASES_ALAS;
}

int pasoPuerta(int paso)
{
    return paso < 0 ? 0 : (paso > 10 ? 10 : paso);
}
