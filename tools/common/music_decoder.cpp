// ffmpeg reads the file by its name through its file protocol (so that a name
// is never taken for a URL or an option, and a file that must be seeked in
// still is), and writes raw little-endian floats to a pipe; its messages go to
// a second pipe, the first of them quoted when it fails.
#include "tools/common/music_decoder.h"

#include "tools/common/video_pipe.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Why a file cannot be music before ffmpeg is asked; empty when it may be.
std::string mirarFichero(const std::string& ruta)
{
    struct stat st;
    const int fd = open(ruta.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "cannot read " + ruta + ": " + std::strerror(errno);
    const bool hay = fstat(fd, &st) == 0;
    close(fd);
    if (hay && S_ISDIR(st.st_mode))
        return ruta + " is a folder, not an audio file";
    if (hay && S_ISREG(st.st_mode) && st.st_size > TAMANO_MAXIMO_MUSICA)
        return ruta + " is larger than " + TEXTO_TAMANO_MAXIMO_MUSICA + ", too large for music";
    if (!TuberiaVideo::hayFfmpeg())
        return "ffmpeg decodes the music, and it is not installed";
    return "";
}

// Reads both pipes until ffmpeg closes them; at most tope bytes of samples are kept.
void leerTubos(int datos, int mensajes, size_t tope, std::string& bytes, std::string& dice)
{
    char trozo[65536];
    struct pollfd p[2] = {{datos, POLLIN, 0}, {mensajes, POLLIN, 0}};
    int abiertos = 2;
    while (abiertos > 0) {
        if (poll(p, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        for (auto& t : p) {
            if (t.fd < 0 || t.revents == 0)
                continue;
            const ssize_t n = read(t.fd, trozo, sizeof trozo);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                t.fd = -1;
                abiertos--;
                continue;
            }
            std::string& a = t.fd == datos ? bytes : dice;
            const size_t cabe = t.fd == datos ? tope : 65536;
            a.append(trozo, std::min(static_cast<size_t>(n), cabe - std::min(cabe, a.size())));
        }
    }
}

// What ffmpeg said first, without the name it gives the file.
std::string primeraLinea(const std::string& texto, const std::string& entrada)
{
    const size_t inicio = texto.find_first_not_of("\r\n");
    if (inicio == std::string::npos)
        return "";
    std::string linea = texto.substr(inicio, texto.find_first_of("\r\n", inicio) - inicio);
    if (linea.compare(0, entrada.size() + 2, entrada + ": ") == 0)
        linea.erase(0, entrada.size() + 2);
    return linea;
}

}  // namespace

bool decodificarMusica(const std::string& ruta, double segundos, std::vector<float>& muestras, std::string& error)
{
    muestras.clear();
    error = mirarFichero(ruta);
    if (!error.empty())
        return false;
    segundos = std::max(0.0, std::min(segundos, SEGUNDOS_MAXIMOS_MUSICA));
    int datos[2], mensajes[2];
    if (pipe2(datos, O_CLOEXEC) != 0 || pipe2(mensajes, O_CLOEXEC) != 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(errno);
        return false;
    }
    const std::string entrada = "file:" + ruta, duracion = std::to_string(segundos);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(datos[1], STDOUT_FILENO);
        dup2(mensajes[1], STDERR_FILENO);
        execlp("ffmpeg", "ffmpeg", "-nostdin", "-hide_banner", "-loglevel", "error", "-i", entrada.c_str(),
               "-map", "0:a:0", "-vn", "-sn", "-dn", "-t", duracion.c_str(), "-f", "f32le", "-c:a", "pcm_f32le",
               "-ac", "2", "-ar", "48000", "pipe:1", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(datos[1]);
    close(mensajes[1]);
    std::string bytes, dice;
    if (pid > 0)
        leerTubos(datos[0], mensajes[0], static_cast<size_t>(segundos * 48000.0 + 1.0) * 8, bytes, dice);
    close(datos[0]);
    close(mensajes[0]);
    int estado = 0;
    while (pid > 0 && waitpid(pid, &estado, 0) < 0 && errno == EINTR) {
    }
    if (pid < 0 || !WIFEXITED(estado) || WEXITSTATUS(estado) != 0) {
        const std::string linea = primeraLinea(dice, entrada);
        if (dice.find("matches no streams") != std::string::npos)
            error = ruta + " holds no sound";
        else
            error = ruta + " is not audio that ffmpeg can decode" + (linea.empty() ? "" : " (" + linea + ")");
        return false;
    }
    muestras.resize(bytes.size() / 8 * 2);
    for (size_t i = 0; i < muestras.size(); i++) {
        const auto* b = reinterpret_cast<const unsigned char*>(bytes.data()) + 4 * i;
        const uint32_t v = b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<uint32_t>(b[3]) << 24);
        std::memcpy(&muestras[i], &v, 4);
    }
    if (muestras.empty()) {
        error = ruta + " holds no sound";
        return false;
    }
    return true;
}
