// Version, counts, and what an output reaches: through stat, links followed.
#include "tools/common/outputs.h"

#include "tools/common/whole_file.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

bool identidad(const std::string& ruta, struct stat& s)
{
    return ruta == "-" ? fstat(STDIN_FILENO, &s) == 0 : stat(ruta.c_str(), &s) == 0;
}

}  // namespace

std::string lineaVersion(const std::string& programa)
{
    return programa + " (practica02) " PRACTICA02_VERSION;
}

std::string plural(long long n, const char* uno, const char* varios)
{
    return std::to_string(n) + " " + (n == 1 ? uno : varios);
}

bool existe(const std::string& ruta)
{
    struct stat s;
    return lstat(ruta.c_str(), &s) == 0;
}

std::string nombreSalida(const std::string& salida)
{
    DestinoSalida d;
    std::string error;
    return resolverDestino(salida, d, error) && d.esSalidaEstandar() ? "standard output" : salida;
}

bool pideForzar(const std::string& salida)
{
    DestinoSalida d;
    std::string error;
    return existe(salida) && (!resolverDestino(salida, d, error) || d.reemplaza());
}

bool escribiriaSobre(const std::string& salida, const std::string& entrada)
{
    DestinoSalida d;
    std::string error;
    struct stat ss, se;
    const bool hay = resolverDestino(salida, d, error) &&
                     (d.tipo == DestinoSalida::Tipo::Descriptor ? fstat(d.descriptor, &ss) == 0
                                                                 : stat(d.ruta.c_str(), &ss) == 0);
    return hay && identidad(entrada, se) && ss.st_dev == se.st_dev && ss.st_ino == se.st_ino;
}
