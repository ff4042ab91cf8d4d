// Whole files through a temporary, renamed onto the target or copied into it.
// The list of temporaries is a fixed table of names, so that a signal handler
// can read it without locks or allocation: a slot's name is written while the
// slot is taken, and the handler reads only slots marked ready.
#include "tools/common/whole_file.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int RANURAS = 16;  // temporaries open at once: a few PNGs, a video and its log
constexpr int SALTOS_MAXIMOS = 40;  // links followed in a row, as the system follows them
constexpr size_t BLOQUE_COPIA = 64 * 1024;
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

// The descriptor a name stands for (/dev/fd/N, /proc/self/fd/N), or -1. These
// names are links that the system resolves to the open file itself (a pipe
// has no path), so they are taken at their word rather than followed.
int descriptorNombrado(const std::string& ruta)
{
    for (const char* prefijo : {"/dev/fd/", "/proc/self/fd/", "/proc/thread-self/fd/"}) {
        if (ruta.rfind(prefijo, 0) != 0)
            continue;
        const std::string n = ruta.substr(std::strlen(prefijo));
        if (!n.empty() && n.size() < 9 && n.find_first_not_of("0123456789") == std::string::npos)
            return std::stoi(n);
    }
    return -1;
}

// Where a temporary of what is written into lies, and the name it goes by there.
std::string baseAparte(const DestinoSalida& d)
{
    const char* carpeta = std::getenv("TMPDIR");
    const std::string nombre = d.tipo == DestinoSalida::Tipo::Descriptor
        ? (d.descriptor == 1 ? std::string("stdout") : "fd-" + std::to_string(d.descriptor))
        : d.ruta.substr(d.ruta.rfind('/') + 1);
    return std::string(carpeta != nullptr && *carpeta != '\0' ? carpeta : "/tmp") + "/" + nombre;
}

}  // namespace

bool resolverDestino(const std::string& nombre, DestinoSalida& d, std::string& error)
{
    d = DestinoSalida{};
    d.ruta = nombre;
    if (nombre == "-") {
        d.tipo = DestinoSalida::Tipo::Descriptor;
        d.descriptor = 1;
        return true;
    }
    for (int saltos = 0; saltos <= SALTOS_MAXIMOS; saltos++) {
        d.descriptor = descriptorNombrado(d.ruta);
        if (d.descriptor >= 0) {
            d.tipo = DestinoSalida::Tipo::Descriptor;
            return true;
        }
        struct stat s;
        if (lstat(d.ruta.c_str(), &s) != 0) {
            if (errno == ENOENT)  // a new file, under the name or where its link points
                return true;
            error = "cannot write " + nombre + ": " + std::strerror(errno);
            return false;
        }
        if (!S_ISLNK(s.st_mode)) {
            if (!S_ISREG(s.st_mode) && !S_ISDIR(s.st_mode))
                d.tipo = DestinoSalida::Tipo::Dentro;
            return true;
        }
        char enlace[PATH_MAX];
        const ssize_t n = readlink(d.ruta.c_str(), enlace, sizeof enlace);
        if (n < 0 || static_cast<size_t>(n) >= sizeof enlace) {
            error = "cannot write " + nombre + ": " + std::strerror(n < 0 ? errno : ENAMETOOLONG);
            return false;
        }
        const std::string destino(enlace, static_cast<size_t>(n));
        const size_t barra = d.ruta.rfind('/');
        d.ruta = destino[0] == '/' || barra == std::string::npos ? destino : d.ruta.substr(0, barra + 1) + destino;
    }
    error = "cannot write " + nombre + ": " + std::strerror(ELOOP);
    return false;
}

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
    if (!resolverDestino(destino_, adonde_, error))
        return false;
    base_ = adonde_.reemplaza() ? adonde_.ruta : baseAparte(adonde_);
    std::string plantilla = base_ + ".part-XXXXXX";
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
    if (!adonde_.reemplaza())
        return copiarDentro(error);
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
    if (bien && std::rename(temporal_.c_str(), adonde_.ruta.c_str()) != 0) {
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

bool FicheroEntero::copiarDentro(std::string& error)
{
    bool bien = flujo_ == nullptr || std::fflush(flujo_) == 0;
    int nodo = adonde_.descriptor;
    if (bien && adonde_.tipo == DestinoSalida::Tipo::Dentro)  // a FIFO waits here for its reader
        while ((nodo = open(adonde_.ruta.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY)) < 0 && errno == EINTR) {
        }
    bien = bien && nodo >= 0 && lseek(fd_, 0, SEEK_SET) == 0;
    char bloque[BLOQUE_COPIA];
    while (bien) {
        const ssize_t leidos = read(fd_, bloque, sizeof bloque);
        if (leidos < 0 && errno == EINTR)
            continue;
        if (leidos <= 0) {
            bien = leidos == 0;
            break;
        }
        bien = escribirTodo(nodo, bloque, static_cast<size_t>(leidos));
    }
    int fallo = bien ? 0 : errno;
    if (adonde_.tipo == DestinoSalida::Tipo::Dentro && nodo >= 0 && close(nodo) != 0 && bien) {
        bien = false;
        fallo = errno;
    }
    descartar();
    if (!bien)
        error = "cannot write " + destino_ + ": " + std::strerror(fallo);
    return bien;
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
