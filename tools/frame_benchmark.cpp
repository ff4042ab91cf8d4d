// Frame benchmark: draws full frames of the world in a real GL context and
// prints the median time per frame, and what one frame sends to GL: vertices,
// batches (glBegin/glEnd pairs) and the ready-made GLUT/GLU shapes.
//
//   frame_benchmark [FRAME] [TIMED_FRAMES] [PPM] [--size WxH]
//   frame_benchmark --film FILM --frames A-B[,...] [--size WxH]
//
// FRAME (default 0): the story is advanced from frame 0 to FRAME, one step of
// the script at a time, before the frames are drawn. TIMED_FRAMES (default 200)
// frames are timed after 20 untimed ones. PPM, if given, receives the last frame
// drawn, to check what the camera sees. Run it under an X server, e.g.
//   python3 tests/e2e/run_under_xvfb.py build/frame_benchmark 3000
//
// With --film, it plays the frames --frames lists (ranges, as render_film reads
// them) of the story through the film as PLAY does (one step of the timeline per
// frame, the camera from the frame's pose) and times the drawing of each, once,
// without showing it (no buffer swap): the draw-only rate of those frames at that
// size (default 1280x720), to hold the renderer's rate against.
//
// The counts come from a counting frame: the entry points below are wrapped by
// the linker (--wrap, set for this program only), so the calls the program's
// own code makes pass through here; the shapes' own lines, drawn inside GLUT and
// GLU, are not in the vertex and batch counts. The timed frames pass through the
// same wrappers, with counting off.
#include "app/scene_state.h"
#include "camera/view.h"
#include "film/player.h"
#include "scene/composition.h"
#include "scene/timeline.h"
#include "tools/common/command_line.h"
#include "tools/common/film_input.h"
#include "tools/common/outputs.h"
#include "tools/common/whole_file.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

bool contando = false;
long long vertices = 0;
long long lotes = 0;
long long formas = 0;

void contarVertice()
{
    if (contando)
        vertices++;
}

void contarForma()
{
    if (contando)
        formas++;
}

}  // namespace

extern "C" {

void __real_glBegin(GLenum modo_primitiva);
void __real_glVertex2f(GLfloat x, GLfloat y);
void __real_glVertex2i(GLint x, GLint y);
void __real_glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void __real_glVertex3i(GLint x, GLint y, GLint z);
void __real_glVertex3d(GLdouble x, GLdouble y, GLdouble z);
void __real_glVertex3fv(const GLfloat* v);
void __real_glutWireSphere(GLdouble radio, GLint meridianos, GLint paralelos);
void __real_glutWireTorus(GLdouble interior, GLdouble exterior, GLint lados, GLint anillos);
void __real_gluCylinder(GLUquadric* q, GLdouble base, GLdouble cima, GLdouble alto, GLint lados, GLint pisos);

void __wrap_glBegin(GLenum modo_primitiva)
{
    if (contando)
        lotes++;
    __real_glBegin(modo_primitiva);
}
void __wrap_glVertex2f(GLfloat x, GLfloat y) { contarVertice(); __real_glVertex2f(x, y); }
void __wrap_glVertex2i(GLint x, GLint y) { contarVertice(); __real_glVertex2i(x, y); }
void __wrap_glVertex3f(GLfloat x, GLfloat y, GLfloat z) { contarVertice(); __real_glVertex3f(x, y, z); }
void __wrap_glVertex3i(GLint x, GLint y, GLint z) { contarVertice(); __real_glVertex3i(x, y, z); }
void __wrap_glVertex3d(GLdouble x, GLdouble y, GLdouble z) { contarVertice(); __real_glVertex3d(x, y, z); }
void __wrap_glVertex3fv(const GLfloat* v) { contarVertice(); __real_glVertex3fv(v); }
void __wrap_glutWireSphere(GLdouble radio, GLint meridianos, GLint paralelos)
{
    contarForma();
    __real_glutWireSphere(radio, meridianos, paralelos);
}
void __wrap_glutWireTorus(GLdouble interior, GLdouble exterior, GLint lados, GLint anillos)
{
    contarForma();
    __real_glutWireTorus(interior, exterior, lados, anillos);
}
void __wrap_gluCylinder(GLUquadric* q, GLdouble base, GLdouble cima, GLdouble alto, GLint lados, GLint pisos)
{
    contarForma();
    __real_gluCylinder(q, base, cima, alto, lados, pisos);
}
}  // extern "C"

namespace {

int ANCHO = 1024, ALTO = 768;
constexpr int FOTOGRAMAS_PREVIOS = 20;

const char* const DESCRIPCION =
    "Draws full frames of the world in a real GL context and prints the median time\n"
    "per frame and what one frame sends to GL. FRAME (default 0): the story is\n"
    "stepped to FRAME first; TIMED_FRAMES (default 200) frames are timed after 20\n"
    "untimed ones; PPM receives the last frame drawn. With --film, the frames that\n"
    "--frames lists are played through FILM and drawn once each, timed and unshown:\n"
    "the draw-only rate render_film is held against.";

const char* const PIE =
    "Needs an X display (python3 tests/e2e/run_under_xvfb.py frame_benchmark ...\n"
    "gives one). Exit status: 0 done; 1 failed (the PPM not written, frames outside\n"
    "the film); 2 a wrong call; 255 the film cannot be opened; 254 the film cannot\n"
    "be loaded (as PLAY).";

struct Opciones {
    int objetivo = 0;            // FRAME
    int medidos = 200;           // TIMED_FRAMES
    std::string ppm;             // PPM
    std::string pelicula;        // --film
    std::vector<Tramo> tramos;   // --frames
    Tamano tamano{1024, 768};    // --size
};

// High above the far end of the road, looking down over the land from the pitch
// to the beach: the river, the bridge, the railway, the town and the looping.
// (The island lies too far out for the far plane from any pose that sees the land.)
void colocarCamara()
{
    qq = 280.0f; ww = 430.0f; ee = 720.0f;
    aa = 280.0f; ss = 0.0f;   dd = 240.0f;
    zz = 0.0f;   xx = 1.0f;   cc = 0.0f;
}

void dibujarVista()
{
    reshape(ANCHO, ALTO);
    display();
}

bool guardarPPM(const std::string& nombre)
{
    std::vector<unsigned char> pixeles(static_cast<size_t>(ANCHO) * ALTO * 3);
    glReadBuffer(GL_BACK);  // the swap copies; the back buffer still holds the frame
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, ANCHO, ALTO, GL_RGB, GL_UNSIGNED_BYTE, pixeles.data());
    std::string ppm = "P6\n" + std::to_string(ANCHO) + " " + std::to_string(ALTO) + "\n255\n";
    for (int y = ALTO - 1; y >= 0; y--)
        ppm.append(reinterpret_cast<const char*>(pixeles.data()) + static_cast<size_t>(y) * ANCHO * 3,
                   static_cast<size_t>(ANCHO) * 3);
    std::string error;
    const bool bien = escribirFicheroEntero(nombre, ppm, error);
    if (!bien)
        std::fprintf(stderr, "frame_benchmark: %s\n", error.c_str());
    return bien;
}

double mediana(std::vector<double> tiempos)
{
    std::sort(tiempos.begin(), tiempos.end());
    return tiempos.size() % 2 == 1 ? tiempos[tiempos.size() / 2]
                                   : 0.5 * (tiempos[tiempos.size() / 2 - 1] + tiempos[tiempos.size() / 2]);
}

// The whole world from high above, after the story has been stepped to
// o.objetivo: the counts of one frame, then the median time of o.medidos.
int mundoEntero(const Opciones& o)
{
    for (fotograma = 0; fotograma < o.objetivo;) {
        aplicarGuion();
        fotograma++;
    }
    colocarCamara();

    contando = true;
    const long long cajasAntes = nprismas;
    dibujarVista();
    contando = false;
    const long long cajas = nprismas - cajasAntes;
    glFinish();

    std::vector<double> tiempos;
    for (int i = 0; i < FOTOGRAMAS_PREVIOS + o.medidos; i++) {
        reshape(ANCHO, ALTO);
        const auto inicio = std::chrono::steady_clock::now();
        display();
        glFinish();
        const auto fin = std::chrono::steady_clock::now();
        if (i >= FOTOGRAMAS_PREVIOS)
            tiempos.push_back(std::chrono::duration<double, std::milli>(fin - inicio).count());
    }
    const double medio = mediana(tiempos);
    std::sort(tiempos.begin(), tiempos.end());

    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("frame: %d\n", fotograma);
    std::printf("timed frames: %d\n", o.medidos);
    std::printf("median ms per frame: %.3f\n", medio);
    std::printf("min / max ms per frame: %.3f / %.3f\n", tiempos.front(), tiempos.back());
    std::printf("vertices per frame: %lld\n", vertices);
    std::printf("batches per frame: %lld\n", lotes);
    std::printf("GLUT/GLU shapes per frame: %lld\n", formas);
    std::printf("wire boxes per frame: %lld\n", cajas);
    return o.ppm.empty() || guardarPPM(o.ppm) ? SALIDA_BIEN : SALIDA_FALLO;
}

// The frames of a film, each drawn once and timed, without being shown (the
// renderer reads them back unshown).
int tramosDePelicula(const Opciones& o)
{
    escenaSinVentana();
    tamanoSinVentana(ANCHO, ALTO);
    std::string error;
    if (const int r = cargarPelicula(o.pelicula, error); r != SALIDA_BIEN) {
        std::fprintf(stderr, "frame_benchmark: %s\n", error.c_str());
        return r;
    }
    std::vector<int> fotogramas;
    if (!fotogramasElegidos(o.tramos, 1, o.pelicula, static_cast<int>(vfotogramas.size()), fotogramas, error)) {
        std::fprintf(stderr, "frame_benchmark: %s\n", error.c_str());
        return SALIDA_FALLO;
    }
    std::vector<double> tiempos;
    double total = 0;
    for (int n : fotogramas) {
        avanzarHasta(n);
        const auto inicio = std::chrono::steady_clock::now();
        dibujarFotograma();
        glFinish();
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inicio).count();
        tiempos.push_back(ms);
        total += ms;
    }
    std::printf("renderer: %s\n", reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    std::printf("film: %s, frames %s at %dx%d\n", o.pelicula.c_str(), textoDeTramos(o.tramos).c_str(), ANCHO, ALTO);
    std::printf("frames drawn: %zu\n", tiempos.size());
    std::printf("median ms per frame: %.3f\n", mediana(tiempos));
    std::printf("draw-only frames a second: %.2f\n", tiempos.size() / (total / 1000.0));
    return SALIDA_BIEN;
}

// The call read into o: SEGUIR, or the exit code (help, version, a wrong call).
int leerOpciones(int argc, char** argv, Opciones& o)
{
    CLI::App app(DESCRIPCION, "frame_benchmark");
    prepararLlamada(app, lineaVersion("frame_benchmark"));
    app.footer(PIE);
    CLI::Option* objetivo = opcionEntero(app, "FRAME", "FRAME", 0, FOTOGRAMAS_MAXIMOS, o.objetivo, "");
    CLI::Option* medidos = opcionEntero(app, "TIMED_FRAMES", "N", 1, FOTOGRAMAS_MAXIMOS, o.medidos, "");
    CLI::Option* ppm = opcionFichero(app, "PPM", "PPM", o.ppm, "");
    CLI::Option* pelicula =
        opcionFichero(app, "--film", "FILM", o.pelicula, "play the story through FILM, as PLAY does, and time the "
                                                          "drawing of the frames --frames names, each once")
            ->excludes(objetivo)
            ->excludes(medidos)
            ->excludes(ppm);
    opcionTramos(app, "--frames", "A-B", o.tramos,
                 "with --film: the frames drawn, A to B inclusive, one frame N, or a list such as 0-99,500")
        ->needs(pelicula);
    pelicula->needs("--frames");
    opcionTamano(app, "--size", o.tamano, "the picture's size in pixels (default 1024x768; with --film 1280x720)");
    if (const int r = leerLlamada(app, argc, argv); r != SEGUIR)
        return r;
    if (app.count("--size") == 0 && !o.pelicula.empty())
        o.tamano = {1280, 720};
    return SEGUIR;
}

}  // namespace

int main(int argc, char** argv)
{
    Opciones o;
    if (const int r = leerOpciones(argc, argv, o); r != SEGUIR)
        return r;
    ANCHO = o.tamano.ancho;
    ALTO = o.tamano.alto;
    int argcGlut = 1;
    char nombre[] = "frame_benchmark";
    char* argvGlut[] = {nombre, nullptr};
    glutInit(&argcGlut, argvGlut);

    inicializarVariablesGlobales();
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
    glutInitWindowSize(ANCHO, ALTO);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("frame_benchmark");
    // PLAY, on a screen of the window's size, so that reshape keeps the window as it is.
    modo = 2;
    winX = ANCHO;
    winY = ALTO;
    pantalla_completa = 1;
    glutDisplayFunc(dibujarVista);
    for (int i = 0; i < 10; i++)
        glutMainLoopEvent();
    return o.pelicula.empty() ? mundoEntero(o) : tramosDePelicula(o);
}
