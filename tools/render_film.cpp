// render_film: plays the story through a film, as PLAY does, and writes its
// frames as PNG pictures and/or an H.264 video, off screen and as fast as the
// machine draws. Frame N is what PLAY shows for pose N: the story played without
// a window (film/player) through frames 0 to N, the camera set from pose N and
// the world drawn by the program's own code into an off-screen picture of the
// requested size; with --smooth (or --share, the settings of a video to send),
// of several samples a pixel (tools/common/offscreen), so lines are smooth. A
// writer thread compresses the pictures and feeds ffmpeg while the next frame is
// drawn; it and ffmpeg run a little below the drawing's priority, so they do not
// hold it back, yet get their share on a machine busy with other work.
//
// Needs an X display for the GL context; without one it starts a private Xvfb.
#include "app/credits_screen.h"
#include "app/scene_state.h"
#include "film/player.h"
#include "scene/timeline.h"
#include "tools/common/display_server.h"
#include "tools/common/offscreen.h"
#include "tools/common/outputs.h"
#include "tools/common/png_writer.h"
#include "tools/common/progress.h"
#include "tools/common/signals.h"
#include "tools/common/video_pipe.h"

#include <GL/freeglut.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
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
#include <vector>

namespace {

constexpr int FPS_VIDEO = 1000 / PAUSA_PASO_MS;  // the story's pace: one frame a step
constexpr int CUADROS_EN_COLA = 3;     // pictures drawn ahead of the writer
constexpr int SALIDA_FALLO = 1;
constexpr int SALIDA_USO = 2;
constexpr int SALIDA_NO_ABRE = 255;    // as PLAY: the camera file cannot be opened (-1)
constexpr int SALIDA_NO_CARGA = 254;   // as PLAY: the camera file cannot be loaded (-2)

// --share: the settings chosen from the table measured in the README (the whole
// bundled film at 1280x720 to a video, smooth lines).
const char* const PRESET_COMPARTIR = "veryfast";
constexpr int CRF_COMPARTIR = 28;

const char* const USO =
    "usage: render_film FILM (--out DIR | --video FILE.mp4) [--frames A-B] [--every N]\n"
    "                   [--size WxH] [--credits SECONDS] [--smooth] [--share] [--crf N]\n"
    "                   [--preset NAME] [--force] [--quiet]\n";

const char* const AYUDA =
    "Plays the story through FILM (a camera file, as PLAY reads it) and writes its frames,\n"
    "off screen, as fast as the machine draws. Frame N is the picture PLAY shows for pose N.\n"
    "\n"
    "  --out DIR          one PNG per frame: DIR/frame-00000.png ... (the story's frame number);\n"
    "                     the credits, if any, as DIR/credits-00000.png ...\n"
    "  --video FILE.mp4   one H.264 video (yuv420p, 40 frames a second) made by ffmpeg ('-':\n"
    "                     standard output; a device or a FIFO is written into)\n"
    "  --crf N            the video's x264 quality, 0 (lossless) to 51 (default 26)\n"
    "  --preset NAME      the video's x264 speed preset, ultrafast (the default) to placebo\n"
    "  --smooth           smooth lines: each pixel the mean of 4 samples (multisampled where the\n"
    "                     GL offers it, else drawn at twice the size and averaged), so the\n"
    "                     pictures are no longer PLAY's pixel for pixel\n"
    "  --share            a video to send: --smooth, x264 preset %s and CRF %d (--preset\n"
    "                     and --crf still override them); the whole bundled film at\n"
    "                     1280x720 in 93 MB, 3.8 Mbit/s\n"
    "  --frames A-B       only frames A to B, inclusive (or one frame: --frames N; or a list:\n"
    "                     --frames 0-99,500,7000-7811); default: every pose of the film\n"
    "  --every N          every Nth frame of each range, from its start (default 1)\n"
    "  --size WxH         picture size in pixels (default 1280x720; even for a video)\n"
    "  --credits SECONDS  after the frames, the credits screen for SECONDS at 40 frames a second\n"
    "  -y, --force        replace a video that exists, and pictures of this run's names in\n"
    "                     DIR; DIR is first cleared of every frame and credits picture\n"
    "                     an earlier run left there (nothing else in it is touched)\n"
    "  --quiet            no progress bar and no summary\n"
    "  --help             this text\n"
    "  --version          the version\n"
    "\n"
    "Without DISPLAY (or with one that cannot be opened) a private Xvfb is started and stopped.\n"
    "Ctrl-C (or SIGTERM, SIGHUP) stops early: the frames drawn so far are written, the video\n"
    "is finished playable, and render_film then dies of the signal, as a shell expects; a\n"
    "second signal stops at once, leaving no partial file.\n"
    "\n"
    "Exit status: 0 done; 1 failed (output, ffmpeg, GL, a range outside the film, an output\n"
    "that exists); 2 wrong call; 255 the film cannot be opened; 254 the film cannot be loaded\n"
    "(as PLAY).\n";

struct Opciones {
    std::string pelicula;
    std::string carpeta;     // --out
    std::string video;       // --video
    // --frames: the ranges asked for, each A to B inclusive, as typed (empty: every pose).
    struct Tramo {
        long long desde, hasta;
    };
    std::vector<Tramo> tramos;
    std::string textoTramos;
    int cada = 1;
    int ancho = 1280, alto = 720;
    double creditos = 0.0;   // seconds
    AjustesVideo codificador;  // --crf, --preset; the size and rate are set when it starts
    bool crfDado = false, presetDado = false;  // --crf, --preset given (over --share's)
    bool suavizar = false;   // --smooth
    bool compartir = false;  // --share
    bool forzar = false;     // --force
    bool callada = false;
};

// Globals, so that an early exit still stops the private X server and removes a
// video left unfinished.
ServidorX servidor;
TuberiaVideo video;

bool interrumpido()
{
    return senalRecibida() != 0;
}

[[noreturn]] void usoErroneo(const std::string& mensaje)
{
    std::fprintf(stderr, "render_film: %s\n%s", mensaje.c_str(), USO);
    std::exit(SALIDA_USO);
}

[[noreturn]] void fallar(const std::string& mensaje, int salida = SALIDA_FALLO)
{
    std::fprintf(stderr, "render_film: %s\n", mensaje.c_str());
    std::exit(salida);
}

// A whole decimal number, in [minimo, maximo].
bool entero(const std::string& texto, long long minimo, long long maximo, long long& valor)
{
    if (texto.empty() || texto.size() > 18 || texto.find_first_not_of("0123456789") != std::string::npos)
        return false;
    valor = std::stoll(texto);
    return valor >= minimo && valor <= maximo;
}

Opciones leerOpciones(int argc, char** argv)
{
    Opciones o;
    std::vector<std::string> sueltos;
    for (int i = 1; i < argc; i++) {
        std::string a = argv[i], valor;
        const size_t igual = a.find('=');
        const bool conIgual = a.rfind("--", 0) == 0 && igual != std::string::npos;
        if (conIgual) {
            valor = a.substr(igual + 1);
            a = a.substr(0, igual);
        }
        auto argumento = [&]() -> std::string {
            if (conIgual)
                return valor;
            if (i + 1 >= argc)
                usoErroneo(a + " needs a value");
            return argv[++i];
        };
        long long n = 0;
        if (a == "--help" || a == "-h") {
            std::printf("%s\n", USO);
            std::printf(AYUDA, PRESET_COMPARTIR, CRF_COMPARTIR);
            std::exit(0);
        } else if (a == "--version") {
            std::printf("%s\n", lineaVersion("render_film").c_str());
            std::exit(0);
        } else if (a == "--quiet" || a == "-q") {
            o.callada = true;
        } else if (a == "--force" || a == "-y") {
            o.forzar = true;
        } else if (a == "--crf") {
            const std::string t = argumento();
            if (!entero(t, 0, 51, n))
                usoErroneo("--crf expects a whole number from 0 to 51, not \"" + t + "\"");
            o.codificador.crf = static_cast<int>(n);
            o.crfDado = true;
        } else if (a == "--preset") {
            const std::string t = argumento();
            const auto& todos = TuberiaVideo::presets();
            if (std::find(todos.begin(), todos.end(), t) == todos.end()) {
                std::string lista;
                for (const std::string& p : todos)
                    lista += (lista.empty() ? "" : ", ") + p;
                usoErroneo("--preset expects one of " + lista + ", not \"" + t + "\"");
            }
            o.codificador.preset = t;
            o.presetDado = true;
        } else if (a == "--smooth") {
            o.suavizar = true;
        } else if (a == "--share") {
            o.compartir = true;
        } else if (a == "--out") {
            o.carpeta = argumento();
        } else if (a == "--video") {
            o.video = argumento();
        } else if (a == "--frames") {
            const std::string lista = argumento();
            o.textoTramos = lista;
            o.tramos.clear();
            size_t inicio = 0;
            for (;;) {
                const size_t coma = std::min(lista.find(',', inicio), lista.size());
                const std::string r = lista.substr(inicio, coma - inicio);
                const size_t guion = r.find('-');
                long long desde = 0, hasta = 0;
                const bool bien = guion == std::string::npos
                    ? entero(r, 0, LLONG_MAX / 2, desde) && (hasta = desde, true)
                    : entero(r.substr(0, guion), 0, LLONG_MAX / 2, desde) &&
                          entero(r.substr(guion + 1), 0, LLONG_MAX / 2, hasta);
                if (!bien || desde > hasta)
                    usoErroneo("--frames expects A-B with 0 <= A <= B, one frame N, or a comma-separated list "
                               "of them, not \"" + lista + "\"");
                o.tramos.push_back({desde, hasta});
                if (coma == lista.size())
                    break;
                inicio = coma + 1;
            }
        } else if (a == "--every") {
            const std::string t = argumento();
            if (!entero(t, 1, 1000000, n))
                usoErroneo("--every expects a whole number of 1 or more, not \"" + t + "\"");
            o.cada = static_cast<int>(n);
        } else if (a == "--size") {
            const std::string t = argumento();
            const size_t x = t.find('x');
            long long w = 0, h = 0;
            if (x == std::string::npos || !entero(t.substr(0, x), 1, 1 << 16, w) || !entero(t.substr(x + 1), 1, 1 << 16, h))
                usoErroneo("--size expects WxH in pixels, such as 1280x720, not \"" + t + "\"");
            o.ancho = static_cast<int>(w);
            o.alto = static_cast<int>(h);
        } else if (a == "--credits") {
            const std::string t = argumento();
            char* fin = nullptr;
            o.creditos = std::strtod(t.c_str(), &fin);
            if (t.empty() || *fin != '\0' || !(o.creditos >= 0.0 && o.creditos <= 3600.0))
                usoErroneo("--credits expects a number of seconds from 0 to 3600, not \"" + t + "\"");
        } else if (a.size() > 1 && a[0] == '-') {
            usoErroneo("unknown option " + a);
        } else {
            sueltos.push_back(a);
        }
    }
    if (o.compartir) {
        o.suavizar = true;
        if (!o.presetDado)
            o.codificador.preset = PRESET_COMPARTIR;
        if (!o.crfDado)
            o.codificador.crf = CRF_COMPARTIR;
    }
    if (sueltos.size() != 1)
        usoErroneo(sueltos.empty() ? "no film given" : "one film only, not " + std::to_string(sueltos.size()));
    o.pelicula = sueltos[0];
    if (o.carpeta.empty() && o.video.empty())
        usoErroneo("nothing to write: give --out DIR, --video FILE.mp4 or both");
    if (!o.video.empty() && (o.ancho % 2 != 0 || o.alto % 2 != 0))
        usoErroneo("a video needs an even width and height, not " + std::to_string(o.ancho) + "x" +
                   std::to_string(o.alto));
    return o;
}

// Loads the film as PLAY would, with the same refusals; the poses go to the scene state.
void cargarPelicula(const Opciones& o)
{
    FicheroPelicula f = leerFicheroPelicula(o.pelicula);
    if (!f.abierto)
        fallar("cannot open the film " + o.pelicula + ": " + std::strerror(f.errorApertura), SALIDA_NO_ABRE);
    const LecturaPelicula& l = f.lectura;
    const std::string donde = l.donde.linea > 0
        ? ":" + std::to_string(l.donde.linea) + ":" + std::to_string(l.donde.columna)
        : std::string();
    if (!l.bien())
        fallar(o.pelicula + donde + ": " + describirFallo(l) + " (PLAY cannot load it either)", SALIDA_NO_CARGA);
    instalarPelicula(std::move(f.lectura));
}

// Makes DIR if needed and checks that files can be made there.
void prepararCarpeta(const std::string& carpeta)
{
    if (mkdir(carpeta.c_str(), 0777) != 0 && errno != EEXIST)
        fallar("cannot make the output folder " + carpeta + ": " + std::strerror(errno));
    struct stat s;
    if (stat(carpeta.c_str(), &s) != 0 || !S_ISDIR(s.st_mode))
        fallar("cannot make the output folder " + carpeta + ": " + std::strerror(errno ? errno : ENOTDIR));
    if (access(carpeta.c_str(), W_OK | X_OK) != 0)
        fallar("cannot write in the output folder " + carpeta + ": " + std::strerror(errno));
}

// The pictures of this tool's naming in a folder (frames, credits, and the
// temporaries of either), an earlier run's or this one's.
std::vector<std::string> cuadrosEn(const std::string& carpeta)
{
    static const std::regex PATRON(R"((frame|credits)-\d{5,}\.png(\.part-[A-Za-z0-9]{6})?)");
    std::vector<std::string> nombres;
    DIR* d = opendir(carpeta.c_str());
    if (d == nullptr)
        return nombres;
    while (const dirent* e = readdir(d))
        if (std::regex_match(e->d_name, PATRON))
            nombres.push_back(carpeta + "/" + e->d_name);
    closedir(d);
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

std::string nombreCuadro(const char* que, long long n)
{
    char nombre[64];
    std::snprintf(nombre, sizeof nombre, "%s-%05lld.png", que, n);
    return nombre;
}

// Refuses, before anything is written, an output that is the film itself, and one
// that exists unless --force.
void comprobarSalidas(const Opciones& o, const std::vector<std::string>& nombres)
{
    if (!o.video.empty() && escribiriaSobre(o.video, o.pelicula))
        fallar("the video " + o.video + " would be written over the film it is made from");
    if (!o.video.empty() && pideForzar(o.video) && !o.forzar)
        fallar(o.video + " exists: give --force to replace it");
    if (o.carpeta.empty())
        return;
    for (const std::string& p : cuadrosEn(o.carpeta))
        if (escribiriaSobre(p, o.pelicula))
            fallar("the pictures of " + o.carpeta + " would be written over the film " + o.pelicula);
    if (o.forzar)
        return;
    long long ya = 0;
    std::string primero;
    for (const std::string& n : nombres)
        if (pideForzar(o.carpeta + "/" + n) && ya++ == 0)
            primero = o.carpeta + "/" + n;
    if (ya == 1)
        fallar(primero + " exists: give --force to replace it");
    if (ya > 1)
        fallar(primero + " and " + plural(ya - 1, "more picture", "more pictures") +
               " of this run's names exist: give --force to replace them");
}

// --force: the folder is cleared of the pictures an earlier run left, so that it
// holds this run's alone. Only regular files: a link, a device or a FIFO of
// such a name is the user's own, written through or into, never removed.
void vaciarCarpeta(const std::string& carpeta)
{
    struct stat s;
    for (const std::string& p : cuadrosEn(carpeta))
        if (lstat(p.c_str(), &s) == 0 && S_ISREG(s.st_mode) && unlink(p.c_str()) != 0 && errno != ENOENT)
            fallar("cannot remove " + p + ": " + std::strerror(errno));
}

// The pictures waiting to be written, and the thread that writes them. Pictures
// drawn at twice the size (a smoothed picture without multisampling) are first
// averaged down to ancho x alto here.
class Escritor {
public:
    Escritor(const Opciones& o, TuberiaVideo* video, int ancho, int alto, bool reducir)
        : carpeta_(o.carpeta), video_(video), ancho_(ancho), alto_(alto), reducir_(reducir),
          hilo_([this] { trabajar(); })
    {
    }
    ~Escritor() { terminar(); }

    // A buffer to read the next picture into.
    std::vector<unsigned char> buffer()
    {
        std::lock_guard<std::mutex> l(m_);
        if (libres_.empty())
            return {};
        std::vector<unsigned char> b = std::move(libres_.back());
        libres_.pop_back();
        return b;
    }

    // Queues a picture; waits while the queue is full. False once writing has failed.
    bool poner(std::string nombre, std::vector<unsigned char> rgb)
    {
        std::unique_lock<std::mutex> l(m_);
        cv_.wait(l, [this] { return cola_.size() < CUADROS_EN_COLA || !error_.empty(); });
        if (!error_.empty())
            return false;
        cola_.push_back({std::move(nombre), std::move(rgb)});
        cv_.notify_all();
        return true;
    }

    // Writes what is queued and stops the thread.
    void terminar()
    {
        {
            std::lock_guard<std::mutex> l(m_);
            fin_ = true;
        }
        cv_.notify_all();
        if (hilo_.joinable())
            hilo_.join();
    }

    long long escritos() const { return escritos_; }
    std::string error() const
    {
        std::lock_guard<std::mutex> l(m_);
        return error_;
    }

private:
    struct Cuadro {
        std::string nombre;
        std::vector<unsigned char> rgb;
    };

    void trabajar()
    {
        // A little below the drawing: it takes mostly the time the drawing leaves,
        // yet gets its share when other work keeps every core busy.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), getpriority(PRIO_PROCESS, 0) + CORTESIA_ESCRITURA);
        for (;;) {
            Cuadro c;
            {
                std::unique_lock<std::mutex> l(m_);
                cv_.wait(l, [this] { return !cola_.empty() || fin_; });
                if (cola_.empty() || !error_.empty())
                    return;
                c = std::move(cola_.front());
                cola_.pop_front();
            }
            if (reducir_)
                reducirDosPorDos(c.rgb, ancho_, alto_, reducida_);
            const std::vector<unsigned char>& rgb = reducir_ ? reducida_ : c.rgb;
            std::string error;
            bool bien = carpeta_.empty() || escribirPNG(carpeta_ + "/" + c.nombre, ancho_, alto_, rgb, error);
            bien = bien && (video_ == nullptr || video_->escribir(rgb, error));
            std::lock_guard<std::mutex> l(m_);
            if (!bien) {
                error_ = error;
                cola_.clear();
            } else {
                escritos_++;
            }
            libres_.push_back(std::move(c.rgb));
            cv_.notify_all();
        }
    }

    std::string carpeta_;
    TuberiaVideo* video_;
    int ancho_, alto_;
    bool reducir_;
    std::vector<unsigned char> reducida_;  // the picture averaged down, when reducir_
    mutable std::mutex m_;
    std::condition_variable cv_;
    std::deque<Cuadro> cola_;
    std::vector<std::vector<unsigned char>> libres_;
    bool fin_ = false;
    std::string error_;
    std::atomic<long long> escritos_{0};
    std::thread hilo_;
};

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
    if (!lienzo.crear(o.ancho, o.alto, o.suavizar, error))
        fallar(error);
}

}  // namespace

int main(int argc, char** argv)
{
    const Opciones o = leerOpciones(argc, argv);

    escenaSinVentana();
    cargarPelicula(o);
    const int poses = static_cast<int>(vfotogramas.size());
    if (poses == 0)
        fallar(o.pelicula + " holds no poses: PLAY would show the story from its default camera without end, "
                            "so there is nothing to render");
    std::vector<Opciones::Tramo> tramos = o.tramos;
    if (tramos.empty())
        tramos.push_back({0, poses - 1});
    for (const Opciones::Tramo& t : tramos)
        if (t.hasta >= poses)
            fallar("--frames " + o.textoTramos + " is outside the film: " + o.pelicula + " has " +
                   plural(poses, "pose", "poses") + ", frames 0 to " + std::to_string(poses - 1));
    // The frames drawn, in order: those of each range, every o.cada from its start.
    std::vector<bool> elegido(static_cast<size_t>(poses), false);
    for (const Opciones::Tramo& t : tramos)
        for (long long f = t.desde; f <= t.hasta; f += o.cada)
            elegido[static_cast<size_t>(f)] = true;
    std::vector<int> cuadros;
    for (int f = 0; f < poses; f++)
        if (elegido[static_cast<size_t>(f)])
            cuadros.push_back(f);
    const int pasosCreditos = static_cast<int>(std::lround(o.creditos * FPS_VIDEO));
    std::vector<std::string> nombres;  // the pictures this run writes, in order
    for (int f : cuadros)
        nombres.push_back(nombreCuadro("frame", f));
    for (int i = 0; i < pasosCreditos; i += o.cada)
        nombres.push_back(nombreCuadro("credits", i));
    if (!o.video.empty() && !TuberiaVideo::hayFfmpeg())
        fallar("--video needs the ffmpeg program, which is not on the PATH (install the ffmpeg package)");
    comprobarSalidas(o, nombres);

    alSenalTerminarLuego(TuberiaVideo::detenerYa);
    signal(SIGPIPE, SIG_IGN);

    std::string error;
    if (!servidor.asegurar(error))
        fallar(error);
    LienzoFuera lienzo;
    abrirContexto(o, lienzo);
    if (!o.carpeta.empty()) {
        prepararCarpeta(o.carpeta);
        if (o.forzar)
            vaciarCarpeta(o.carpeta);
    }

    AjustesVideo ajustes = o.codificador;
    ajustes.ancho = o.ancho;
    ajustes.alto = o.alto;
    ajustes.fps = FPS_VIDEO;
    if (!o.video.empty() && !video.abrir(o.video, ajustes, error))
        fallar(error);

    tamanoSinVentana(lienzo.anchoDibujo(), lienzo.altoDibujo());

    const long long total = static_cast<long long>(nombres.size());
    BarraProgreso barra("render_film", total, BarraProgreso::modoPara(o.callada));
    const std::string suavizado =
        o.suavizar ? "smooth lines (" + lienzo.describirMuestreo() + ")" : std::string();
    if (o.suavizar)
        barra.anotar("  " + suavizado);
    long long dibujados = 0;
    {
        Escritor escritor(o, o.video.empty() ? nullptr : &video, o.ancho, o.alto,
                          lienzo.muestreo() == LienzoFuera::Muestreo::DobleTamano);
        // The picture just drawn, as the next of this run's names.
        auto entregar = [&]() {
            std::vector<unsigned char> rgb = escritor.buffer();
            lienzo.leer(rgb);
            if (!escritor.poner(nombres[static_cast<size_t>(dibujados)], std::move(rgb)))
                return false;
            barra.avanzar(++dibujados);
            return true;
        };
        bool bien = true;
        for (size_t k = 0; k < cuadros.size() && bien && !interrumpido(); k++) {
            avanzarHasta(cuadros[k]);
            dibujarFotograma();
            bien = entregar();
        }
        // The credits screen, as PLAY switches to it after the last pose.
        fotograma = 0;
        for (int i = 0; i < pasosCreditos && bien && !interrumpido(); i++) {
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
        error = escritor.error();
        if (!error.empty()) {
            video.abandonar();
            const long long hechos = escritor.escritos();
            fallar(error + (o.video.empty() ? "" : "; no video written") +
                   (o.carpeta.empty() || hechos == 0
                        ? ""
                        : "; " + plural(hechos, "whole frame was", "whole frames were") + " written to " +
                              o.carpeta));
        }
        dibujados = escritor.escritos();
    }
    if (!o.video.empty() && !video.cerrar(error))
        fallar(error + "; no video written");
    lienzo.liberar();
    cerrarToolkit();
    servidor.parar();

    const double segundos = barra.segundos();
    std::string destino = o.carpeta.empty() ? "" : o.carpeta + "/";
    if (!o.video.empty())
        destino += (destino.empty() ? "" : " and ") + nombreSalida(o.video);
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
    return 0;
}
