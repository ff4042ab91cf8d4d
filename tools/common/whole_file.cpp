// Whole files through a temporary beside the target. The list of temporaries is
// a fixed table of names, so that a signal handler can read it without locks or
// allocation: a slot's name is written while the slot is taken, and the handler
// reads only slots marked ready.
#include "tools/common/whole_file.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int RANURAS = 16;  // temporaries open at once: a few PNGs, a video and its log
enum Estado : int { LIBRE, TOMADA, LISTA };
char nombres[RANURAS][PATH_MAX];
std::atomic<int> estados[RANURAS];

int anotar(const std::string& nombre)
{
    if (nombre.size() >= PATH_MAX)
        return -1;
    for (int i = 0; i < RANURAS; i++) {
        int libre = LIBRE;
        if (estados[i].compare_exchange_strong(libre, TOMADA)) {
            std::memcpy(nombres[i], nombre.c_str(), nombre.size() + 1);
            estados[i] = LISTA;
            return i;
        }
    }
    return -1;
}

void olvidar(int& ranura)
{
    if (ranura >= 0) {
        estados[ranura] = LIBRE;
        ranura = -1;
    }
}

}  // namespace

bool escribirTodo(int fd, const void* datos, size_t n)
{
    const char* p = static_cast<const char*>(datos);
    while (n > 0) {
        const ssize_t escritos = write(fd, p, n);
        if (escritos < 0 && errno == EINTR)
            continue;
        if (escritos <= 0)
            return false;
        p += escritos;
        n -= static_cast<size_t>(escritos);
    }
    return true;
}

bool FicheroEntero::abrir(std::string& error)
{
    descartar();
    std::string plantilla = destino_ + ".part-XXXXXX";
    fd_ = mkostemp(plantilla.data(), O_CLOEXEC);
    if (fd_ < 0) {
        error = "cannot write " + destino_ + ": " + std::strerror(errno);
        return false;
    }
    temporal_ = plantilla;
    ranura_ = anotar(temporal_);
    const mode_t mascara = umask(0);
    umask(mascara);
    if (fchmod(fd_, 0666 & ~mascara) != 0) {
        error = "cannot write " + destino_ + ": " + std::strerror(errno);
        descartar();
        return false;
    }
    return true;
}

FILE* FicheroEntero::flujo()
{
    if (flujo_ == nullptr && fd_ >= 0)
        flujo_ = fdopen(fd_, "wb");
    return flujo_;
}

bool FicheroEntero::terminar(std::string& error)
{
    if (fd_ < 0) {
        error = "cannot write " + destino_ + ": nothing was written";
        return false;
    }
    bool bien = flujo_ == nullptr || std::fflush(flujo_) == 0;
    bien = bien && fsync(fd_) == 0;
    int fallo = errno;
    if (flujo_ != nullptr)
        bien = std::fclose(flujo_) == 0 && bien;
    else
        bien = close(fd_) == 0 && bien;
    if (!bien && fallo == 0)
        fallo = errno;
    flujo_ = nullptr;
    fd_ = -1;
    if (bien && std::rename(temporal_.c_str(), destino_.c_str()) != 0) {
        bien = false;
        fallo = errno;
    }
    if (!bien) {
        error = "cannot write " + destino_ + ": " + std::strerror(fallo);
        descartar();
        return false;
    }
    olvidar(ranura_);
    temporal_.clear();
    return true;
}

void FicheroEntero::descartar()
{
    if (flujo_ != nullptr)
        std::fclose(flujo_);
    else if (fd_ >= 0)
        close(fd_);
    flujo_ = nullptr;
    fd_ = -1;
    if (!temporal_.empty())
        unlink(temporal_.c_str());
    olvidar(ranura_);
    temporal_.clear();
}

bool escribirFicheroEntero(const std::string& ruta, const std::string& texto, std::string& error)
{
    FicheroEntero f(ruta);
    if (!f.abrir(error))
        return false;
    if (!escribirTodo(f.fd(), texto.data(), texto.size())) {
        error = "cannot write " + ruta + ": " + std::strerror(errno);
        return false;
    }
    return f.terminar(error);
}

void quitarTemporalesYa()
{
    for (int i = 0; i < RANURAS; i++)
        if (estados[i].load() == LISTA)
            unlink(nombres[i]);
}
