// Writing files whole or not at all, the one way every tool writes one. The
// bytes go to a temporary file beside the target, named after it so that a
// person recognises it ("NAME.part-XXXXXX", not hidden), are flushed to the
// disk, and the file is renamed into place; on any failure, or when it is given
// up, the temporary is removed. While a temporary exists its name is listed
// where a signal handler can remove it at once (quitarTemporalesYa), so that a
// tool stopped hard leaves nothing half-written under a name of its own.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>

// Writes all of a buffer to a file descriptor (a pipe, a file), however many
// calls it takes and whatever signals interrupt them. False, with errno, when a
// write fails.
bool escribirTodo(int fd, const void* datos, size_t n);

class FicheroEntero {
public:
    explicit FicheroEntero(std::string destino) : destino_(std::move(destino)) {}
    FicheroEntero(const FicheroEntero&) = delete;
    FicheroEntero& operator=(const FicheroEntero&) = delete;
    ~FicheroEntero() { descartar(); }

    // Creates the temporary file (mode 0666 less the umask). False, with the reason.
    bool abrir(std::string& error);
    // The temporary's descriptor and name, while it is open; a stream on it on demand.
    int fd() const { return fd_; }
    const std::string& temporal() const { return temporal_; }
    FILE* flujo();
    // Flushes the temporary to the disk and renames it to the target. False, with
    // the reason, when it cannot; the temporary is then removed.
    bool terminar(std::string& error);
    // Removes the temporary (nothing when there is none).
    void descartar();

private:
    std::string destino_, temporal_;
    int fd_ = -1;
    FILE* flujo_ = nullptr;
    int ranura_ = -1;  // in the list of temporaries
};

// Writes texto whole to ruta. False, with the reason.
bool escribirFicheroEntero(const std::string& ruta, const std::string& texto, std::string& error);

// Removes every temporary still listed, from a signal handler: only calls that
// are safe there.
void quitarTemporalesYa();
