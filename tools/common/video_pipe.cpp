// ffmpeg runs in a process group of its own, so that the terminal's Ctrl-C
// reaches only the renderer, which then closes the pipe and lets ffmpeg finish
// a playable file. It runs at a lower priority than the drawing (nice), not in
// the idle class: on a machine busy with other work it still gets its share.
// Its messages go to a log beside the video's temporary, read back when it
// fails. ffmpeg always writes a seekable file (an MP4's index is moved to its
// front at the end): a video for a device, a FIFO or standard output is made in
// the system's temporary folder and copied into it when whole.
#include "tools/common/video_pipe.h"

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

}  // namespace

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
    int tubo[2];
    if (pipe2(tubo, O_CLOEXEC) != 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
        abandonar();
        return false;
    }
    const std::string tamano = std::to_string(a.ancho) + "x" + std::to_string(a.alto);
    const std::string ritmo = std::to_string(a.fps);
    const std::string calidad = std::to_string(a.crf);
    // The encoder leaves one core to the drawing (and takes one where none is known).
    const unsigned nucleos = std::thread::hardware_concurrency();
    const std::string hilos = std::to_string(nucleos > 1 ? nucleos - 1 : 1);
    const int log = registro_->fd();
    pid_ = fork();
    if (pid_ == 0) {
        setpgid(0, 0);
        setpriority(PRIO_PROCESS, 0, getpriority(PRIO_PROCESS, 0) + CORTESIA_ESCRITURA);
        dup2(tubo[0], STDIN_FILENO);
        const int nulo = open("/dev/null", O_WRONLY);
        dup2(nulo, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
        execlp("ffmpeg", "ffmpeg", "-hide_banner", "-loglevel", "error", "-y",
               "-f", "rawvideo", "-pix_fmt", "rgb24", "-s", tamano.c_str(), "-r", ritmo.c_str(), "-i", "-",
               "-vf", "vflip", "-c:v", "libx264", "-preset", a.preset.c_str(), "-crf", calidad.c_str(),
               "-pix_fmt", "yuv420p", "-threads", hilos.c_str(), "-movflags", "+faststart", "-f", "mp4",
               video_->temporal().c_str(), static_cast<char*>(nullptr));
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
}

void TuberiaVideo::detenerYa()
{
    const pid_t pid = codificador.load();
    if (pid > 0)
        kill(pid, SIGKILL);
}
