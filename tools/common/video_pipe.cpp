// ffmpeg runs in a process group of its own, so that the terminal's Ctrl-C
// reaches only the renderer, which then closes the pipe and lets ffmpeg finish
// a playable file. Its messages go to a log file beside the video, read back
// when it fails and removed afterwards. The encoder's settings are the cheapest
// (x264's fastest preset, quality 26): the story's dense line grids make for
// large files at any setting, and on a machine that draws in software every
// slower preset takes the cores the drawing needs.
#include "tools/common/video_pipe.h"

#include "tools/common/write_all.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <thread>
#include <sched.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string carpetaDe(const std::string& ruta)
{
    const size_t barra = ruta.rfind('/');
    return barra == std::string::npos ? "" : ruta.substr(0, barra + 1);
}

std::string nombreDe(const std::string& ruta)
{
    const size_t barra = ruta.rfind('/');
    return barra == std::string::npos ? ruta : ruta.substr(barra + 1);
}

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

bool TuberiaVideo::abrir(const std::string& ruta, int ancho, int alto, int fps, std::string& error)
{
    ruta_ = ruta;
    temporal_ = carpetaDe(ruta) + "." + nombreDe(ruta) + ".part";
    registro_ = carpetaDe(ruta) + "." + nombreDe(ruta) + ".log";
    ancho_ = ancho;
    alto_ = alto;
    const int log = open(registro_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (log < 0) {
        error = "cannot write " + ruta + ": " + std::strerror(errno);
        return false;
    }
    int tubo[2];
    if (pipe2(tubo, O_CLOEXEC) != 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
        close(log);
        unlink(registro_.c_str());
        return false;
    }
    const std::string tamano = std::to_string(ancho) + "x" + std::to_string(alto);
    const std::string ritmo = std::to_string(fps);
    // The encoder leaves one core to the drawing.
    const std::string hilos = std::to_string(std::max(1u, std::thread::hardware_concurrency() - 1));
    pid_ = fork();
    if (pid_ == 0) {
        setpgid(0, 0);
        const sched_param ninguna{};
        sched_setscheduler(0, SCHED_IDLE, &ninguna);  // only the time the drawing leaves
        dup2(tubo[0], STDIN_FILENO);
        const int nulo = open("/dev/null", O_WRONLY);
        dup2(nulo, STDOUT_FILENO);
        dup2(log, STDERR_FILENO);
        execlp("ffmpeg", "ffmpeg", "-hide_banner", "-loglevel", "error", "-y",
               "-f", "rawvideo", "-pix_fmt", "rgb24", "-s", tamano.c_str(), "-r", ritmo.c_str(), "-i", "-",
               "-vf", "vflip", "-c:v", "libx264", "-preset", "ultrafast", "-crf", "26", "-pix_fmt", "yuv420p", "-threads", hilos.c_str(),
               "-movflags", "+faststart", "-f", "mp4", temporal_.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(tubo[0]);
    close(log);
    if (pid_ < 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
        close(tubo[1]);
        unlink(registro_.c_str());
        return false;
    }
    entrada_ = tubo[1];
    return true;
}

std::string TuberiaVideo::ultimaLineaRegistro() const
{
    std::ifstream in(registro_);
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
    waitpid(pid_, &estado, 0);
    pid_ = -1;
    const std::string dice = ultimaLineaRegistro();
    error = "ffmpeg stopped taking frames (" + (dice.empty() ? porQue : dice) + ")";
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
    while (waitpid(pid_, &estado, 0) < 0 && errno == EINTR) {
    }
    pid_ = -1;
    if (!WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
        const std::string dice = ultimaLineaRegistro();
        error = WIFEXITED(estado) && WEXITSTATUS(estado) == 127
            ? "ffmpeg could not be run"
            : "ffmpeg failed" + (dice.empty() ? std::string() : ": " + dice);
        abandonar();
        return false;
    }
    if (std::rename(temporal_.c_str(), ruta_.c_str()) != 0) {
        error = "cannot write " + ruta_ + ": " + std::strerror(errno);
        abandonar();
        return false;
    }
    unlink(registro_.c_str());
    temporal_.clear();
    return true;
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
        while (waitpid(pid_, &estado, 0) < 0 && errno == EINTR) {
        }
        pid_ = -1;
    }
    if (!temporal_.empty()) {
        unlink(temporal_.c_str());
        unlink(registro_.c_str());
        temporal_.clear();
    }
}
