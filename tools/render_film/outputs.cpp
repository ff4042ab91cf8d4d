// render_film's outputs checked and made ready before anything is drawn: the
// video and the pictures never over the film, nor over files that exist without
// --force; the folder made, and cleared with --force of an earlier run's pictures.
#include "tools/render_film/render_film.h"

#include "tools/common/outputs.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <regex>

namespace render_film {

void fallar(const std::string& mensaje, int salida)
{
    std::fprintf(stderr, "render_film: %s\n", mensaje.c_str());
    std::exit(salida);
}

// Makes DIR if needed and checks that files can be made there.
void prepararCarpeta(const std::string& carpeta)
{
    if (mkdir(carpeta.c_str(), 0777) != 0 && errno != EEXIST)
        fallar("cannot make the output folder " + carpeta + ": " + std::strerror(errno));
    struct stat s;
    if (stat(carpeta.c_str(), &s) != 0 || !S_ISDIR(s.st_mode))
        fallar("cannot make the output folder " + carpeta + ": " + std::strerror(errno ? errno : ENOTDIR));
    if (access(carpeta.c_str(), W_OK | X_OK) != 0)
        fallar("cannot write in the output folder " + carpeta + ": " + std::strerror(errno));
}

namespace {

// The pictures of this tool's naming in a folder (frames, credits, and the
// temporaries of either), an earlier run's or this one's.
std::vector<std::string> cuadrosEn(const std::string& carpeta)
{
    static const std::regex PATRON(R"((frame|credits)-\d{5,}\.png(\.part-[A-Za-z0-9]{6})?)");
    std::vector<std::string> nombres;
    DIR* d = opendir(carpeta.c_str());
    if (d == nullptr)
        return nombres;
    while (const dirent* e = readdir(d))
        if (std::regex_match(e->d_name, PATRON))
            nombres.push_back(carpeta + "/" + e->d_name);
    closedir(d);
    std::sort(nombres.begin(), nombres.end());
    return nombres;
}

}  // namespace

// Refuses, before anything is written, an output that is the film itself, and one
// that exists unless --force.
void comprobarSalidas(const Opciones& o, const std::vector<std::string>& nombres)
{
    if (!o.video.empty() && escribiriaSobre(o.video, o.pelicula))
        fallar("the video " + o.video + " would be written over the film it is made from");
    if (!o.video.empty() && pideForzar(o.video) && !o.forzar)
        fallar(o.video + " exists: give --force to replace it");
    if (o.carpeta.empty())
        return;
    for (const std::string& p : cuadrosEn(o.carpeta))
        if (escribiriaSobre(p, o.pelicula))
            fallar("the pictures of " + o.carpeta + " would be written over the film " + o.pelicula);
    if (o.forzar)
        return;
    long long ya = 0;
    std::string primero;
    for (const std::string& n : nombres)
        if (pideForzar(o.carpeta + "/" + n) && ya++ == 0)
            primero = o.carpeta + "/" + n;
    if (ya == 1)
        fallar(primero + " exists: give --force to replace it");
    if (ya > 1)
        fallar(primero + " and " + plural(ya - 1, "more picture", "more pictures") +
               " of this run's names exist: give --force to replace them");
}

// --force: the folder is cleared of the pictures an earlier run left, so that it
// holds this run's alone. Only regular files: a link, a device or a FIFO of
// such a name is the user's own, written through or into, never removed.
void vaciarCarpeta(const std::string& carpeta)
{
    struct stat s;
    for (const std::string& p : cuadrosEn(carpeta))
        if (lstat(p.c_str(), &s) == 0 && S_ISREG(s.st_mode) && unlink(p.c_str()) != 0 && errno != ENOENT)
            fallar("cannot remove " + p + ": " + std::strerror(errno));
}

}  // namespace render_film
