// Version, counts, and file identity through stat.
#include "tools/common/outputs.h"

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

bool mismoFichero(const std::string& a, const std::string& b)
{
    struct stat sa, sb;
    return identidad(a, sa) && identidad(b, sb) && sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}
