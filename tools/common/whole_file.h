// Writing files whole or not at all, the one way every tool writes one. The
// bytes go to a temporary file, named after the target so that a person
// recognises it ("NAME.part-XXXXXX", not hidden), and only when they are all
// there do they reach the target. A regular file (or a name not taken yet) is
// replaced: the temporary lies beside it, is flushed to the disk and renamed
// into place. What is no regular file (a device, a FIFO, a socket, a
// descriptor's name such as /dev/stdout) is written into, never replaced: the
// temporary lies in the system's temporary folder and is copied into it. A
// symbolic link is followed, and its target written as either. On any failure,
// or when it is given up, the temporary is removed. While a temporary exists
// its name is listed where a signal handler can remove it at once
// (quitarTemporalesYa), so that a tool stopped hard leaves nothing half-written
// under a name of its own.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>

// Writes all of a buffer to a file descriptor (a pipe, a file), however many
// calls it takes and whatever signals interrupt them. False, with errno, when a
// write fails.
bool escribirTodo(int fd, const void* datos, size_t n);

// What a name given for an output reaches, through symbolic links.
struct DestinoSalida {
    enum class Tipo {
        Fichero,     // a regular file, a name not taken yet, or a folder: replaced
        Dentro,      // a device, a FIFO or a socket: opened and written into
        Descriptor,  // "-", /dev/stdout, /dev/fd/N, /proc/self/fd/N: that open descriptor
    };
    Tipo tipo = Tipo::Fichero;
    std::string ruta;     // the file replaced or the node written into, links followed
    int descriptor = -1;  // Descriptor: its number (1 for standard output)

    bool reemplaza() const { return tipo == Tipo::Fichero; }
    bool esSalidaEstandar() const { return tipo == Tipo::Descriptor && descriptor == 1; }
};
// False, with the reason, when the name cannot be followed (a loop of links, a
// folder on the way that cannot be read).
bool resolverDestino(const std::string& nombre, DestinoSalida& destino, std::string& error);

class FicheroEntero {
public:
    explicit FicheroEntero(std::string destino) : destino_(std::move(destino)) {}
    FicheroEntero(const FicheroEntero&) = delete;
    FicheroEntero& operator=(const FicheroEntero&) = delete;
    ~FicheroEntero() { descartar(); }

    // Follows the target's links and creates the temporary (mode 0666 less the
    // umask). False, with the reason.
    bool abrir(std::string& error);
    // The temporary's descriptor and name, while it is open; a stream on it on demand.
    int fd() const { return fd_; }
    const std::string& temporal() const { return temporal_; }
    // The name the temporaries are named after, once open: the file replaced, or
    // the node's name in the system's temporary folder.
    const std::string& base() const { return base_; }
    FILE* flujo();
    // Puts the bytes in place: the temporary flushed to the disk and renamed to
    // the target, or copied into it. False, with the reason, when it cannot; the
    // temporary is then removed.
    bool terminar(std::string& error);
    // Removes the temporary (nothing when there is none).
    void descartar();

private:
    std::string destino_, base_, temporal_;
    DestinoSalida adonde_;
    int fd_ = -1;
    FILE* flujo_ = nullptr;
    int ranura_ = -1;  // in the list of temporaries
    bool copiarDentro(std::string& error);
};

// Writes texto whole to ruta. False, with the reason.
bool escribirFicheroEntero(const std::string& ruta, const std::string& texto, std::string& error);

// Removes every temporary still listed, from a signal handler: only calls that
// are safe there.
void quitarTemporalesYa();
