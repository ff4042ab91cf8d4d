// The benchmark page's program (web/site/bench.html): frames of a film drawn as
// PLAY draws them, each timed with the GPU's work in it, and the median printed.
//
//   main(FILM, FRAMES, REPEATS): FRAMES a comma-separated list of frames in
//   rising order, each drawn once untimed and then REPEATS times timed.
//
// The story is stepped to each frame by film/player without drawing (as the
// renderer and the desktop's frame_benchmark --film do); a timed draw is the
// camera and the world into the GL subset, the subset's frame drawn by WebGL
// (glutSwapBuffers), and a read-back of one pixel, which waits until the GPU has
// drawn it. The picture's size is the canvas's, which the page sets before main.
// Times in milliseconds, from emscripten_get_now.
#include "app/scene_state.h"
#include "film/player.h"
#include "web/gl/webgl_backend.h"

#include <GL/glut.h>
#include <emscripten/emscripten.h>
#include <webgl/webgl1.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

double mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.size() % 2 == 1 ? v[v.size() / 2] : 0.5 * (v[v.size() / 2 - 1] + v[v.size() / 2]);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::printf("usage: frame_bench FILM FRAMES REPEATS\n");
        return 2;
    }
    std::vector<int> fotogramas;
    std::stringstream lista(argv[2]);
    for (std::string f; std::getline(lista, f, ',');)
        fotogramas.push_back(std::atoi(f.c_str()));
    const int repeticiones = std::max(1, std::atoi(argv[3]));

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
    glutCreateWindow("frame_bench");
    const int ancho = glutGet(GLUT_WINDOW_WIDTH), alto = glutGet(GLUT_WINDOW_HEIGHT);

    FicheroPelicula f = leerFicheroPelicula(argv[1]);
    if (!f.abierto || !f.lectura.bien()) {
        std::printf("frame_bench: %s cannot be played\n", argv[1]);
        return 1;
    }
    escenaSinVentana();
    tamanoSinVentana(ancho, alto);
    const int poses = static_cast<int>(f.lectura.poses.size());
    instalarPelicula(std::move(f.lectura));

    std::vector<double> todos;
    unsigned char pixel[4];
    for (int n : fotogramas) {
        if (n < fotograma || n >= poses) {
            std::printf("frame_bench: frame %d is not after the last one or not in the film\n", n);
            return 1;
        }
        avanzarHasta(n);
        std::vector<double> total, cpu;
        for (int r = -1; r < repeticiones; r++) {  // the first draw is not timed
            const double t0 = emscripten_get_now();
            dibujarFotograma();
            glutSwapBuffers();
            const double t1 = emscripten_get_now();
            emscripten_glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
            const double t2 = emscripten_get_now();
            if (r >= 0) {
                cpu.push_back(t1 - t0);
                total.push_back(t2 - t0);
            }
        }
        const glsub::PresentStats& s = glsub::lastPresent();
        std::printf("frame %d: median %.1f ms (%.1f ms until the draw calls are made), %zu draw calls, "
                    "%zu line and %zu triangle vertices\n",
                    n, mediana(total), mediana(cpu), s.drawCalls, s.lineVertices, s.triangleVertices);
        todos.insert(todos.end(), total.begin(), total.end());
    }
    std::printf("frames %s at %dx%d, %d timed draws each\n", argv[2], ancho, alto, repeticiones);
    std::printf("median ms per frame: %.1f\n", mediana(todos));
    return 0;
}
