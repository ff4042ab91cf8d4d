// render_film: plays the story through a film, as PLAY does, and writes its
// frames as PNG pictures and/or a video (with the story's soundtrack, --sound),
// off screen and as fast as the machine draws. Frame N is what PLAY shows for
// pose N: the story played without a window (film/player) through frames 0 to
// N, the camera set from pose N and the world drawn by the program's own code
// into an off-screen picture of the requested size; with --smooth (or --share, the settings of a video to send),
// of several samples a pixel (tools/common/offscreen), so lines are smooth. A
// writer thread compresses the pictures and feeds ffmpeg while the next frame is
// drawn; it and ffmpeg run a little below the drawing's priority, so they do not
// hold it back, yet get their share on a machine busy with other work. The
// soundtrack is synthesized before the first frame is drawn (the story is played
// for it in the scene state, which is then set up afresh): the video's frame k
// and the sound's pair k x 1200 are the same instant.
//
// Needs an X display for the GL context; without one it starts a private Xvfb.
#include "app/credits_screen.h"
#include "app/scene_state.h"
#include "film/player.h"
#include "scene/timeline.h"
#include "sound/soundtrack.h"
#include "tools/common/command_line.h"
#include "tools/common/display_server.h"
#include "tools/common/film_input.h"
#include "tools/common/music_input.h"
#include "tools/common/offscreen.h"
#include "tools/common/outputs.h"
#include "tools/common/png_writer.h"
#include "tools/common/progress.h"
#include "tools/common/signals.h"
#include "tools/common/video_pipe.h"
#include "tools/render_film/render_film.h"
#include "tools/render_film/writer.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <dirent.h>
#include <regex>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

using namespace render_film;

constexpr int FPS_VIDEO = 1000 / PAUSA_PASO_MS;  // the story's pace: one frame a step
constexpr int CRF_MAXIMO = 51;         // x264's worst quality
constexpr double CREDITOS_MAXIMOS = 3600.0;  // seconds

// --share: the settings chosen from the table in docs/benchmarks.md (the whole
// bundled film at 1280x720 to a video, smooth lines).
const char* const PRESET_COMPARTIR = "veryfast";
constexpr int CRF_COMPARTIR = 28;

const char* const DESCRIPCION =
    "Plays the story through FILM (a camera file, as PLAY reads it) and writes its frames,\n"
    "off screen, as fast as the machine draws. Frame N is the picture PLAY shows for pose N.";

const char* const PIE =
    "Without DISPLAY (or with one that cannot be opened) a private Xvfb is started and stopped.\n"
    "Ctrl-C (or SIGTERM, SIGHUP) stops early: the frames drawn so far are written, the video\n"
    "is finished playable, and render_film then dies of the signal, as a shell expects; a\n"
    "second signal stops at once, leaving no partial file.\n"
    "\n"
    "Exit status: 0 done; 1 failed (output, ffmpeg, GL, a range outside the film, an output\n"
    "that exists); 2 wrong call; 255 the film cannot be opened; 254 the film cannot be loaded\n"
    "(as PLAY).";

// Globals, so that an early exit still stops the private X server and removes a
// video left unfinished.
ServidorX servidor;
TuberiaVideo video;

bool interrumpido()
{
    return senalRecibida() != 0;
}


// The options, in the order the usage shows them; --crf and --preset come back,
// to tell whether they were given over --share's.
std::pair<CLI::Option*, CLI::Option*> declararOpciones(CLI::App& app, Opciones& o)
{
    app.add_option("FILM", o.pelicula)->required();
    opcionFichero(app, "--out", "DIR", o.carpeta,
                  "one PNG per frame: DIR/frame-00000.png ... (the story's frame number); the credits, if any, as "
                  "DIR/credits-00000.png ...")->group("output");
    opcionFichero(app, "--video", "FILE.mp4", o.video,
                  "one video (yuv420p, 40 frames a second) made by ffmpeg: H.264 in MP4; FILE.mkv: H.264 in Matroska; "
                  "FILE.webm: VP9 in WebM ('-': standard output, MP4; a device or a FIFO is written into)")
        ->group("output");
    opcionTramos(app, "--frames", "A-B", o.tramos,
                 "only frames A to B, inclusive (or one frame: --frames N; or a list: --frames 0-99,500,7000-7811); "
                 "default: every pose of the film");
    opcionEntero(app, "--every", "N", 1, FOTOGRAMAS_MAXIMOS, o.cada,
                 "every Nth frame of each range, from its start (default 1)");
    opcionTamano(app, "--size", o.tamano, "picture size in pixels (default 1280x720; even for a video)");
    opcionNumero(app, "--credits", "SECONDS", 0.0, CREDITOS_MAXIMOS, "a number of seconds from 0 to 3600",
                 o.creditos, "after the frames, the credits screen for SECONDS at 40 frames a second (at most 3600)");
    app.add_flag("--smooth", o.suavizar,
                 "smooth lines: each pixel the mean of 4 samples (multisampled where the GL offers it, else drawn at "
                 "twice the size and averaged), so the pictures are no longer PLAY's pixel for pixel");
    app.add_flag("--sound", o.sonido,
                 "the video with the story's soundtrack heard through FILM, frame for frame (AAC in an MP4, Opus in "
                 "a WebM or MKV; under the credits, the music alone): the frames must follow one another, one range "
                 "and no --every");
    declararMusica(app, o.musica);
    app.add_flag("--share", o.compartir,
                 std::string("a video to send: --smooth, --sound (where the frames follow one another), x264 "
                             "preset ") + PRESET_COMPARTIR + " and CRF " + std::to_string(CRF_COMPARTIR) +
                     " (--preset and --crf still override them); the whole bundled film at 1280x720 in 96 MB, "
                     "3.9 Mbit/s");
    CLI::Option* crf = opcionEntero(app, "--crf", "N", 0, CRF_MAXIMO, o.codificador.crf,
                                    "the video's x264 quality, 0 (lossless) to 51 (default 26)");
    CLI::Option* preset = opcionEleccion(app, "--preset", "NAME", TuberiaVideo::presets(), o.codificador.preset,
                                         "the video's x264 speed preset, ultrafast (the default) to placebo");
    app.add_flag("-y,--force", o.forzar,
                 "replace a video that exists, and pictures of this run's names in DIR; DIR is first cleared of "
                 "every frame and credits picture an earlier run left there (nothing else in it is touched)");
    app.add_flag("-q,--quiet", o.callada, "no progress bar and no summary");
    return {crf, preset};
}

// The call read into o: SEGUIR, or the exit code (help, version, a wrong call).
// --share's settings are taken here; what the options ask together is checked.
int leerOpciones(int argc, char** argv, Opciones& o)
{
    CLI::App app(DESCRIPCION, "render_film");
    prepararLlamada(app, lineaVersion("render_film"));
    app.footer(PIE);
    const auto [crf, preset] = declararOpciones(app, o);
    app.callback([&o, crf = crf, preset = preset] {
        if (o.compartir) {
            o.suavizar = true;
            if (preset->count() == 0)
                o.codificador.preset = PRESET_COMPARTIR;
            if (crf->count() == 0)
                o.codificador.crf = CRF_COMPARTIR;
        }
        if (o.carpeta.empty() && o.video.empty())
            throw CLI::ValidationError("nothing to write: give --out DIR, --video FILE.mp4 or both");
        o.sonido = o.sonido || o.musica.hay();
        const bool seguidos = o.tramos.size() <= 1 && o.cada == 1;
        if (o.sonido && o.video.empty())
            throw CLI::ValidationError("--sound is a video's: give --video FILE.mp4 (pictures have no sound)");
        if (o.sonido && !seguidos)
            throw CLI::ValidationError("--sound needs frames that follow one another as the story plays them: one "
                                       "range in --frames, and no --every");
        o.mudo = o.compartir && !o.video.empty() && !seguidos;
        o.sonido = o.sonido || (o.compartir && !o.video.empty() && seguidos);
        if (!o.video.empty() && (o.tamano.ancho % 2 != 0 || o.tamano.alto % 2 != 0))
            throw CLI::ValidationError("a video needs an even width and height, not " +
                                       std::to_string(o.tamano.ancho) + "x" + std::to_string(o.tamano.alto));
    });
    return leerLlamada(app, argc, argv);
}

std::string nombreCuadro(const char* que, long long n)
{
    char nombre[64];
    std::snprintf(nombre, sizeof nombre, "%s-%05lld.png", que, n);
    return nombre;
}

// The plan for the film loaded; a range outside it, or a film of no poses, fails.
Plan planear(const Opciones& o)
{
    const int poses = static_cast<int>(vfotogramas.size());
    if (poses == 0)
        fallar(o.pelicula + " holds no poses: PLAY would show the story from its default camera without end, "
                            "so there is nothing to render");
    Plan p;
    std::string error;
    if (!fotogramasElegidos(o.tramos, o.cada, o.pelicula, poses, p.cuadros, error))
        fallar(error);
    p.pasosCreditos = static_cast<int>(std::lround(o.creditos * FPS_VIDEO));
    for (int f : p.cuadros)
        p.nombres.push_back(nombreCuadro("frame", f));
    for (int i = 0; i < p.pasosCreditos; i += o.cada)
        p.nombres.push_back(nombreCuadro("credits", i));
    return p;
}

void nadaQueMostrar() {}

// Closes the toolkit's connection before the private X server goes away.
void cerrarToolkit()
{
    glutExit();
}

// A GL context on the display: a small hidden window (GLUT's shapes and text need
// one), with the off-screen picture current for everything drawn and read.
void abrirContexto(const Opciones& o, LienzoFuera& lienzo)
{
    int argc = 1;
    char nombre[] = "render_film";
    char* argv[] = {nombre, nullptr};
    glutInit(&argc, argv);
    std::atexit(cerrarToolkit);
    glutInitDisplayMode(GLUT_DOUBLE | GLUT_RGB);
    glutInitWindowSize(64, 64);
    glutInitWindowPosition(0, 0);
    glutCreateWindow("render_film");
    glutDisplayFunc(nadaQueMostrar);
    glutHideWindow();
    glutMainLoopEvent();
    std::string error;
    if (!lienzo.crear(o.tamano.ancho, o.tamano.alto, o.suavizar, error))
        fallar(error);
}

// Everything the drawing needs, before the first frame: the X display, the GL
// context and its picture, the output folder (cleared with --force), the encoder
// (with the soundtrack, when there is one).
void prepararDibujo(const Opciones& o, LienzoFuera& lienzo, const std::vector<int16_t>& sonido)
{
    std::string error;
    if (!servidor.asegurar(error))
        fallar(error);
    abrirContexto(o, lienzo);
    if (!o.carpeta.empty()) {
        prepararCarpeta(o.carpeta);
        if (o.forzar)
            vaciarCarpeta(o.carpeta);
    }
    AjustesVideo ajustes = o.codificador;
    ajustes.ancho = o.tamano.ancho;
    ajustes.alto = o.tamano.alto;
    ajustes.fps = FPS_VIDEO;
    ajustes.sonido = o.sonido ? &sonido : nullptr;
    if (!o.video.empty() && !video.abrir(o.video, ajustes, error))
        fallar(error);
    tamanoSinVentana(lienzo.anchoDibujo(), lienzo.altoDibujo());
}

// Draws the plan's frames, then the credits screen as PLAY switches to it after
// the last pose, each picture handed to the writer; stops early on a signal.
// The pictures written whole; a writer that fails ends the run.
long long dibujarTodo(const Opciones& o, const Plan& plan, const LienzoFuera& lienzo, BarraProgreso& barra)
{
    Escritor escritor(o.carpeta, o.video.empty() ? nullptr : &video, o.tamano.ancho, o.tamano.alto,
                      lienzo.muestreo() == LienzoFuera::Muestreo::DobleTamano);
    long long dibujados = 0;
    // The picture just drawn, as the next of this run's names.
    auto entregar = [&]() {
        std::vector<unsigned char> rgb = escritor.buffer();
        lienzo.leer(rgb);
        if (!escritor.poner(plan.nombres[static_cast<size_t>(dibujados)], std::move(rgb)))
            return false;
        barra.avanzar(++dibujados);
        return true;
    };
    bool bien = true;
    for (size_t k = 0; k < plan.cuadros.size() && bien && !interrumpido(); k++) {
        avanzarHasta(plan.cuadros[k]);
        dibujarFotograma();
        bien = entregar();
    }
    fotograma = 0;
    for (int i = 0; i < plan.pasosCreditos && bien && !interrumpido(); i++) {
        if (i > 0)
            pasoTostadora();
        if (i % o.cada == 0) {
            dibujarCreditos();
            bien = entregar();
        }
    }
    if (const int senal = senalRecibida()) {
        barra.terminar();
        std::fprintf(stderr, "render_film: SIG%s: finishing what was drawn%s; a second signal stops at once\n",
                     sigabbrev_np(senal), o.video.empty() ? "" : " and the video");
    }
    escritor.terminar();
    barra.terminar();
    const std::string error = escritor.error();
    if (!error.empty()) {
        video.abandonar();
        const long long hechos = escritor.escritos();
        fallar(error + (o.video.empty() ? "" : "; no video written") +
               (o.carpeta.empty() || hechos == 0
                    ? ""
                    : "; " + plural(hechos, "whole frame was", "whole frames were") + " written to " + o.carpeta));
    }
    return escritor.escritos();
}

// The video finished, the GL and the X display given back, and the summary; on
// a signal, what was written and then death by that signal.
void terminar(const Opciones& o, LienzoFuera& lienzo, long long dibujados, double segundos,
              const std::string& suavizado)
{
    std::string error;
    if (!o.video.empty() && !video.cerrar(error))
        fallar(error + "; no video written");
    lienzo.liberar();
    cerrarToolkit();
    servidor.parar();
    std::string destino = o.carpeta.empty() ? "" : o.carpeta + "/";
    if (!o.video.empty())
        destino += (destino.empty() ? "" : " and ") + nombreSalida(o.video);
    if (o.sonido)
        destino += std::string(" with their sound (") +
                   TuberiaVideo::codecSonido(TuberiaVideo::envaseDe(o.video)) + ")";
    if (const int senal = senalRecibida()) {
        std::fprintf(stderr, "render_film: interrupted by SIG%s: %s written to %s%s\n", sigabbrev_np(senal),
                     plural(dibujados, "frame", "frames").c_str(), destino.c_str(),
                     o.video.empty() ? "" : " (the video is complete and playable up to there)");
        morirPorSenal(senal);
    }
    if (!o.callada)
        std::fprintf(stderr, "render_film: %s written to %s in %s, %.1f frames a second%s\n",
                     plural(dibujados, "frame", "frames").c_str(), destino.c_str(),
                     BarraProgreso::duracion(segundos).c_str(), segundos > 0 ? dibujados / segundos : 0.0,
                     suavizado.empty() ? "" : ("; " + suavizado).c_str());
}

}  // namespace

int main(int argc, char** argv)
{
    Opciones o;
    if (const int r = leerOpciones(argc, argv, o); r != SEGUIR)
        return r;
    escenaSinVentana();
    std::string error;
    if (const int r = cargarPelicula(o.pelicula, error); r != SALIDA_BIEN)
        fallar(error, r);
    const Plan plan = planear(o);
    if (!o.video.empty() && !TuberiaVideo::hayFfmpeg())
        fallar("--video needs the ffmpeg program, which is not on the PATH (install the ffmpeg package)");
    comprobarSalidas(o, plan.nombres);
    if (o.mudo)
        std::fprintf(stderr, "render_film: --share: a silent video, as its frames do not follow one another (several "
                             "ranges or --every)\n");
    const std::vector<int16_t> sonido = o.sonido ? sintetizarSonido(o, plan) : std::vector<int16_t>();

    alSenalTerminarLuego(TuberiaVideo::detenerYa);
    signal(SIGPIPE, SIG_IGN);
    LienzoFuera lienzo;
    prepararDibujo(o, lienzo, sonido);

    BarraProgreso barra("render_film", static_cast<long long>(plan.nombres.size()),
                        BarraProgreso::modoPara(o.callada));
    const std::string suavizado = o.suavizar ? "smooth lines (" + lienzo.describirMuestreo() + ")" : std::string();
    if (o.suavizar)
        barra.anotar("  " + suavizado);
    const long long dibujados = dibujarTodo(o, plan, lienzo, barra);
    terminar(o, lienzo, dibujados, barra.segundos(), suavizado);
    return SALIDA_BIEN;
}
