// ffmpeg runs in a process group of its own, so that the terminal's Ctrl-C
// reaches only the renderer, which then closes the pipe and lets ffmpeg finish
// a playable file. It runs at a lower priority than the drawing (nice), not in
// the idle class: on a machine busy with other work it still gets its share.
// Its messages go to a log beside the video's temporary, read back when it
// fails. ffmpeg always writes a seekable file (an MP4's index is moved to its
// front at the end): a video for a device, a FIFO or standard output is made in
// the system's temporary folder and copied into it when whole. The sound is a
// file, not a pipe, so that ffmpeg reads it at its own pace while the frames
// come; -shortest ends it with the last frame when a signal stops them early.
#include "tools/common/video_pipe.h"

#include "tools/common/wav_writer.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <thread>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The encoder running now, for detenerYa.
std::atomic<pid_t> codificador{-1};

// ffmpeg's arguments: raw RGB frames on its standard input, and the sound's
// file when there is one, into salida in the container envase.
std::vector<std::string> argumentos(const AjustesVideo& a, Envase envase, const std::string& sonido,
                                    const std::string& salida)
{
    // The encoder leaves one core to the drawing (and takes one where none is known).
    const unsigned nucleos = std::thread::hardware_concurrency();
    const std::string hilos = std::to_string(nucleos > 1 ? nucleos - 1 : 1), calidad = std::to_string(a.crf);
    std::vector<std::string> v = {"ffmpeg", "-hide_banner", "-loglevel", "error", "-y", "-f", "rawvideo",
                                  "-pix_fmt", "rgb24", "-s", std::to_string(a.ancho) + "x" + std::to_string(a.alto),
                                  "-r", std::to_string(a.fps), "-i", "-"};
    if (!sonido.empty())
        v.insert(v.end(), {"-f", "s16le", "-ar", "48000", "-ac", "2", "-i", "file:" + sonido});
    v.insert(v.end(), {"-vf", "vflip"});
    if (envase == Envase::Webm)
        v.insert(v.end(), {"-c:v", "libvpx-vp9", "-deadline", "realtime", "-cpu-used", "8", "-row-mt", "1", "-crf",
                           calidad, "-b:v", "0"});
    else
        v.insert(v.end(), {"-c:v", "libx264", "-preset", a.preset, "-crf", calidad});
    v.insert(v.end(), {"-pix_fmt", "yuv420p", "-threads", hilos});
    if (!sonido.empty())
        v.insert(v.end(), {"-map", "0:v", "-map", "1:a", "-c:a", envase == Envase::Mp4 ? "aac" : "libopus", "-b:a",
                           envase == Envase::Mp4 ? "128k" : "96k", "-shortest"});
    if (envase == Envase::Mp4)
        v.insert(v.end(), {"-movflags", "+faststart", "-f", "mp4"});
    else
        v.insert(v.end(), {"-f", envase == Envase::Webm ? "webm" : "matroska"});
    v.push_back(salida);
    return v;
}

bool terminaEn(const std::string& ruta, const std::string& fin)
{
    return ruta.size() > fin.size() && ruta.compare(ruta.size() - fin.size(), fin.size(), fin) == 0;
}

}  // namespace

Envase TuberiaVideo::envaseDe(const std::string& ruta)
{
    return terminaEn(ruta, ".webm") ? Envase::Webm : terminaEn(ruta, ".mkv") ? Envase::Matroska : Envase::Mp4;
}

const char* TuberiaVideo::codecSonido(Envase envase)
{
    return envase == Envase::Mp4 ? "AAC" : "Opus";
}

bool TuberiaVideo::escribirSonido(const std::vector<int16_t>& muestras, std::string& error)
{
    // Beside the video's temporary, as the log is.
    sonido_ = std::make_unique<FicheroEntero>(video_->base() + ".pcm");
    if (!sonido_->abrir(error))
        return false;
    const std::string bytes = bytesPcm(muestras);
    if (!escribirTodo(sonido_->fd(), bytes.data(), bytes.size())) {
        error = "cannot write the sound for ffmpeg to " + sonido_->temporal() + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool TuberiaVideo::hayFfmpeg()
{
    const char* camino = std::getenv("PATH");
    std::string resto = camino != nullptr ? camino : "/usr/bin:/bin";
    size_t inicio = 0;
    while (inicio <= resto.size()) {
        size_t fin = resto.find(':', inicio);
        if (fin == std::string::npos)
            fin = resto.size();
        const std::string carpeta = fin > inicio ? resto.substr(inicio, fin - inicio) : ".";
        if (access((carpeta + "/ffmpeg").c_str(), X_OK) == 0)
            return true;
        inicio = fin + 1;
    }
    return false;
}

const std::vector<std::string>& TuberiaVideo::presets()
{
    static const std::vector<std::string> todos = {"ultrafast", "superfast", "veryfast", "faster", "fast",
                                                   "medium", "slow", "slower", "veryslow", "placebo"};
    return todos;
}

bool TuberiaVideo::abrir(const std::string& ruta, const AjustesVideo& a, std::string& error)
{
    abandonar();
    ruta_ = ruta;
    video_ = std::make_unique<FicheroEntero>(ruta);
    if (!video_->abrir(error)) {
        abandonar();
        return false;
    }
    // The log lies where the video's temporary does: a device's name is no folder.
    registro_ = std::make_unique<FicheroEntero>(video_->base() + ".log");
    if (!registro_->abrir(error)) {
        abandonar();
        return false;
    }
    if (a.sonido != nullptr && !escribirSonido(*a.sonido, error)) {
        abandonar();
        return false;
    }
    int tubo[2];
    if (pipe2(tubo, O_CLOEXEC) != 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
        abandonar();
        return false;
    }
    const std::vector<std::string> v =
        argumentos(a, envaseDe(ruta), sonido_ ? sonido_->temporal() : "", video_->temporal());
    std::vector<char*> args;
    for (const std::string& x : v)
        args.push_back(const_cast<char*>(x.c_str()));
    args.push_back(nullptr);
    const int log = registro_->fd();
    pid_ = fork();
    if (pid_ == 0) {
        setpgid(0, 0);
        setpriority(PRIO_PROCESS, 0, getpriority(PRIO_PROCESS, 0) + CORTESIA_ESCRITURA);
        dup2(tubo[0], STDIN_FILENO);
        const int nulo = open("/dev/null", O_WRONLY);
        dup2(nulo, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
        execvp("ffmpeg", args.data());
        _exit(127);
    }
    close(tubo[0]);
    if (pid_ < 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
        close(tubo[1]);
        abandonar();
        return false;
    }
    codificador = pid_;
    entrada_ = tubo[1];
    return true;
}

void TuberiaVideo::esperar(int& estado)
{
    estado = 0;
    while (waitpid(pid_, &estado, 0) < 0 && errno == EINTR) {
    }
    codificador = -1;
    pid_ = -1;
}

std::string TuberiaVideo::ultimaLineaRegistro() const
{
    if (registro_ == nullptr)
        return "";
    std::ifstream in(registro_->temporal());
    std::string linea, ultima;
    while (std::getline(in, linea))
        if (!linea.empty())
            ultima = linea;
    return ultima;
}

bool TuberiaVideo::escribir(const std::vector<unsigned char>& rgb, std::string& error)
{
    if (entrada_ < 0 || escribirTodo(entrada_, rgb.data(), rgb.size()))
        return entrada_ >= 0;
    const std::string porQue = std::strerror(errno);
    close(entrada_);
    entrada_ = -1;
    int estado = 0;
    esperar(estado);
    const std::string dice = ultimaLineaRegistro();
    error = "ffmpeg stopped taking frames (" + (dice.empty() ? porQue : dice) + ")";
    abandonar();
    return false;
}

bool TuberiaVideo::cerrar(std::string& error)
{
    if (pid_ <= 0) {
        error = "ffmpeg is not running";
        return false;
    }
    close(entrada_);
    entrada_ = -1;
    int estado = 0;
    esperar(estado);
    if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
        const std::string dice = ultimaLineaRegistro();
        error = WIFEXITED(estado) && WEXITSTATUS(estado) == 127
            ? "ffmpeg could not be run"
            : "ffmpeg failed" + (dice.empty() ? std::string() : ": " + dice);
        abandonar();
        return false;
    }
    const bool bien = video_->terminar(error);
    abandonar();
    return bien;
}

void TuberiaVideo::abandonar()
{
    if (entrada_ >= 0) {
        close(entrada_);
        entrada_ = -1;
    }
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        int estado;
        esperar(estado);
    }
    video_.reset();     // removes the temporary video, if it was not put in place
    registro_.reset();  // the log is never kept
    sonido_.reset();    // nor the sound's file
}

void TuberiaVideo::detenerYa()
{
    const pid_t pid = codificador.load();
    if (pid > 0)
        kill(pid, SIGKILL);
}
