// Interpolating the keys of a shot list, and stepping the story to find where the
// named things are. The arithmetic is done in double precision; the film keeps floats.
#include "film/camera_path.h"

#include "app/scene_state.h"
#include "film/player.h"
#include "scene/actors.h"
#include "scene/timeline.h"

#include <algorithm>

namespace {

// Velocity per frame from key a to key b.
PoseDoble velocidad(const std::vector<ClaveToma>& claves, const Tramo& t,
                    const std::function<PoseDoble(size_t)>& pose)
{
    return (pose(t.hasta) - pose(t.desde)) * (1.0 / (claves[t.hasta].fotograma - claves[t.desde].fotograma));
}

PoseDoble tangente(const std::vector<ClaveToma>& claves, size_t i, const std::function<PoseDoble(size_t)>& pose)
{
    const std::optional<Tramo> t = tangenteDe(claves, i);
    return t ? velocidad(claves, *t, pose) : PoseDoble{};
}

void incluir(ClavesQueDan& c, const std::optional<Tramo>& t)
{
    if (t) {
        c.primera = std::min(c.primera, t->desde);
        c.ultima = std::max(c.ultima, t->hasta);
    }
}

// Where each thing stands at each frame of the story, by thing, for the things
// named so far. The story is the same on every compile, and stepping it to find
// the things' places is most of a compile's time (the studio compiles at every
// edit), so each thing's places are found once; a film longer than the story
// steps it each time instead, so that what is kept stays the story's size.
std::vector<std::vector<PuntoMundo>> lugares;

// The places of the things of usados not kept yet, found in one stepping of the story.
void anotarLugares(const std::vector<Actor>& usados)
{
    lugares.resize(nombresDeActores().size());
    std::vector<Actor> faltan;
    for (Actor a : usados)
        if (lugares[static_cast<size_t>(a)].empty())
            faltan.push_back(a);
    if (faltan.empty())
        return;
    escenaSinVentana();
    for (int f = 0; f < FOTOGRAMAS_GUION; f++) {
        avanzarHasta(f);
        for (Actor a : faltan)
            lugares[static_cast<size_t>(a)].push_back(posicionActor(a));
    }
}

}  // namespace

Tramo tramoDeFotograma(const std::vector<ClaveToma>& claves, int fotograma)
{
    const auto despues = std::upper_bound(claves.begin(), claves.end(), fotograma,
                                          [](int f, const ClaveToma& c) { return f < c.fotograma; });
    if (despues == claves.begin())
        return {0, 0};
    const size_t i = static_cast<size_t>(despues - claves.begin()) - 1;
    if (i + 1 == claves.size() || claves[i].movimiento == Movimiento::Fijo || claves[i].fotograma == fotograma)
        return {i, i};
    return {i, i + 1};
}

std::optional<Tramo> tangenteDe(const std::vector<ClaveToma>& claves, size_t i)
{
    if (i == 0 || i + 1 == claves.size())
        return std::nullopt;
    const Movimiento antes = claves[i - 1].movimiento, despues = claves[i].movimiento;
    if (antes == Movimiento::Lineal)
        return Tramo{i - 1, i};
    if (despues == Movimiento::Lineal)
        return Tramo{i, i + 1};
    if (antes == Movimiento::Fijo || despues == Movimiento::Fijo)
        return std::nullopt;
    return Tramo{i - 1, i + 1};
}

ClavesQueDan clavesDeTramo(const std::vector<ClaveToma>& claves, size_t s)
{
    if (s + 1 >= claves.size() || claves[s].movimiento == Movimiento::Fijo)
        return {s, s};
    ClavesQueDan c{s, s + 1};
    if (claves[s].movimiento == Movimiento::Suave) {
        incluir(c, tangenteDe(claves, s));
        incluir(c, tangenteDe(claves, s + 1));
    }
    return c;
}

ClavesQueDan clavesDeFotograma(const std::vector<ClaveToma>& claves, int fotograma)
{
    const Tramo t = tramoDeFotograma(claves, fotograma);
    return t.desde == t.hasta ? ClavesQueDan{t.desde, t.desde} : clavesDeTramo(claves, t.desde);
}

PoseDoble poseEnFotograma(const std::vector<ClaveToma>& claves, int fotograma,
                          const std::function<PoseDoble(size_t)>& poseDeClave)
{
    const Tramo t = tramoDeFotograma(claves, fotograma);
    const PoseDoble p0 = poseDeClave(t.desde);
    if (t.desde == t.hasta)
        return p0;
    const PoseDoble p1 = poseDeClave(t.hasta);
    const double largo = claves[t.hasta].fotograma - claves[t.desde].fotograma;  // frames
    const double s = (fotograma - claves[t.desde].fotograma) / largo;
    if (claves[t.desde].movimiento == Movimiento::Lineal)
        return p0 + (p1 - p0) * s;
    const PoseDoble m0 = tangente(claves, t.desde, poseDeClave), m1 = tangente(claves, t.hasta, poseDeClave);
    const double s2 = s * s, s3 = s2 * s;
    const double h00 = 2 * s3 - 3 * s2 + 1, h10 = s3 - 2 * s2 + s, h01 = -2 * s3 + 3 * s2, h11 = s3 - s2;
    return p0 * h00 + m0 * (h10 * largo) + p1 * h01 + m1 * (h11 * largo);
}

std::vector<std::array<float, 9>> compilarCamino(const std::vector<ClaveToma>& claves, int fotogramas)
{
    std::vector<Actor> usados;
    for (const ClaveToma& c : claves)
        for (const PuntoToma* p : {&c.ojo, &c.centro})
            if (p->conActor && std::find(usados.begin(), usados.end(), p->actor) == usados.end())
                usados.push_back(p->actor);

    const bool delGuion = fotogramas <= FOTOGRAMAS_GUION;
    if (delGuion)
        anotarLugares(usados);
    else
        escenaSinVentana();
    std::vector<PuntoMundo> donde(nombresDeActores().size());  // by actor, at the frame at hand
    const auto dondeEsta = [&donde](Actor a) { return donde[static_cast<size_t>(a)]; };
    std::vector<std::array<float, 9>> poses;
    poses.reserve(static_cast<size_t>(std::max(fotogramas, 0)));
    for (int f = 0; f < fotogramas; f++) {
        if (!delGuion)
            avanzarHasta(f);
        for (Actor a : usados)
            donde[static_cast<size_t>(a)] = delGuion ? lugares[static_cast<size_t>(a)][static_cast<size_t>(f)]
                                                     : posicionActor(a);
        const auto poseDeIndice = [&](size_t i) { return poseDeClave(claves[i], dondeEsta); };
        poses.push_back(poseFloat(poseEnFotograma(claves, f, poseDeIndice)));
    }
    return poses;
}
