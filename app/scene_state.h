// The scene state: every variable that the screens, the timeline, the keys and
// the models share, as flat globals with their units. Models only read it; the
// timeline, the keyboard handlers and the mouse handler write it.
#pragma once

#include <GL/glu.h>

#include <array>
#include <cstdio>
#include <vector>

// ---- general and window state ----
extern int modo;               // 0 title screen, 1 REC (free camera), 2 PLAY (replay, credits too)
extern int fotograma;          // frame counter of the timeline; index of the pose to replay
extern int nfotogramas;        // number of camera poses loaded from the camera file
extern std::vector<std::array<float, 9>> vfotogramas;  // loaded poses, file order: qq ww ee aa ss dd zz xx cc
extern int pausa;              // 1 while the replay is paused by the user
extern FILE* fich;             // camera file: read in PLAY (closed after loading), written in REC
extern int argc_global;        // command-line argument count, as main received it
extern char** argv_global;     // command-line arguments, as main received them
extern char pantalla_completa; // 1 while the window is full screen
extern int winX, winY;         // screen size in pixels (learned at the first reshape)
extern int mundoX, mundoY;     // design space of the 2D screens, 1024 x 768 units; never changed
extern int tamX, tamY;         // window size when not full screen (width = height * 4 / 3)
extern long long nprismas;     // wire boxes drawn since start-up
extern GLUquadric* cilindro;   // the one shared quadric, line draw style, for every cylinder
extern float fm;               // step of the free-camera keys ("Factor de Escala")
extern int rota_escena;        // quarter turns of the whole world about the vertical axis

// ---- camera pose (look-at: eye, centre, up; the up vector is not normalised) ----
extern float qq, ww, ee;       // eye x, y, z
extern float aa, ss, dd;       // centre x, y, z (the point looked at)
extern float zz, xx, cc;       // up x, y, z

// ---- animated scene ----
extern float xtostadora;       // toaster's forward travel; world x = xtostadora - 75
extern float ytostadora;       // toaster's height
extern int movalas;            // wing-beat phase, index into angulo_alas (0 to 17)
extern float movtostada;       // rise of the two toast slices
extern int angulo_tostadora;   // toaster spin on the credits screen, degrees
extern float movsofa;          // sofa turn in steps of 20 degrees; the pitch shows once above 8
extern int movpierna;          // kicking-leg phase, index into angulo_pierna (0 to 22)
extern char estado_boca;       // mouth: 0 triangle, otherwise zigzag
extern float xbalon, ybalon;   // ball flight coordinates (mapped to the world by the composition)
extern char estado_balon;      // ball: 2 hidden, 0 free in the scene, 1 riding in the train
extern int angulo_tren;        // train progress: wheel turn and travel along the track
extern int movpuerta;          // train doors, index into xpuerta/zpuerta: 10 open, 0 closed
extern int semaforo_encendido; // crossing lamps: 0 dark, 1 and 2 the two alternating lamps
extern int angulo_barrera;     // crossing barriers, degrees: 90 up, 0 down
extern float mov_coche;        // car travel; its wheels roll by it
extern float angulo_coche;     // car's turn through the looping, units of 15 degrees
extern float cocheX;           // extra x offset of the falling car; never changed
extern float cocheZ;           // world z of the car
extern float despega;          // lift-off height of the car
extern int movpuertacoche;     // opening angle of the car doors, degrees
extern int angulo_helice_coche;// tilt of the car's wheels, degrees (0 upright)
extern int angulo_rueda_coche; // extra spin of the car's wheels, degrees
extern char estado_coche;      // car: 0 road/air, 1 falling, 2 lying by the island, 3 hanging, 4 on the bed
extern char grua_visible;      // 1 when the crane is drawn on the island
extern int angulo_grua;        // crane heading, degrees
extern float mov_gruaX, mov_gruaZ; // crane position offsets on the island
extern float mov_gruaY;        // crane height offset on the island
extern int angulo_gato;        // swing of the crane's stabiliser jacks, degrees
extern float movgato;          // extension of the jacks' feet
extern float pendiente_grua;   // tilt of the crane's bed, degrees
extern int angulo_brazo[6];    // crane arm joints, degrees: slew, shoulder, elbow, wrist, twist, grip opening

// ---- constant tables (slots past the listed values hold 0) ----
extern const float xpuerta[16];      // door step outwards per movpuerta (11 used)
extern const float zpuerta[16];      // door slide apart per movpuerta (11 used)
extern const int angulo_alas[24];    // wing flap per movalas, degrees (18 used)
extern const int angulo_pierna[24];  // knee angle per movpierna, degrees (23 used)
extern const int angulo_brazo_reposo[6]; // the crane arm's folded pose, degrees (angulo_brazo's default)

// Sets every variable above to its default and creates the shared quadric.
void inicializarVariablesGlobales();

// Number of entries of angulo_alas in use: one wing beat.
constexpr int FASES_ALAS = 18;
// Wing-beat phase wrapped into the table (the V and v keys leave movalas unbounded).
int faseAlas(int fase);
// Door step clamped into the door tables (0 closed to 10 open).
int pasoPuerta(int paso);
