// Interpolating the keys of a shot list, and stepping the story to find where the
// named things are. The arithmetic is done in double precision; the film keeps floats.
#include "film/camera_path.h"

#include "app/scene_state.h"
#include "film/player.h"

#include <algorithm>

namespace {

PoseDoble restar(const PoseDoble& a, const PoseDoble& b)
{
    PoseDoble r;
    for (size_t k = 0; k < r.size(); k++)
        r[k] = a[k] - b[k];
    return r;
}

PoseDoble escalar(const PoseDoble& a, double s)
{
    PoseDoble r;
    for (size_t k = 0; k < r.size(); k++)
        r[k] = a[k] * s;
    return r;
}

// Velocity per frame from key a to key b.
PoseDoble velocidad(const std::vector<ClaveToma>& claves, size_t a, size_t b,
                    const std::function<PoseDoble(size_t)>& pose)
{
    return escalar(restar(pose(b), pose(a)), 1.0 / (claves[b].fotograma - claves[a].fotograma));
}

// The tangent at key i of a smooth segment that starts or ends there.
PoseDoble tangente(const std::vector<ClaveToma>& claves, size_t i, const std::function<PoseDoble(size_t)>& pose)
{
    if (i == 0 || i + 1 == claves.size())
        return {};
    const Movimiento antes = claves[i - 1].movimiento, despues = claves[i].movimiento;
    if (antes == Movimiento::Lineal)
        return velocidad(claves, i - 1, i, pose);
    if (despues == Movimiento::Lineal)
        return velocidad(claves, i, i + 1, pose);
    if (antes == Movimiento::Fijo || despues == Movimiento::Fijo)
        return {};
    return velocidad(claves, i - 1, i + 1, pose);
}

// Key point p at the frame whose things stand at donde (indexed by actor), into pose[k..k+2].
void evaluarPunto(const PuntoToma& p, const std::vector<PuntoMundo>& donde, PoseDoble& pose, size_t k)
{
    const PuntoMundo base = p.conActor ? donde[static_cast<size_t>(p.actor)] : PuntoMundo{};
    pose[k] = static_cast<double>(base.x) + p.xyz[0];
    pose[k + 1] = static_cast<double>(base.y) + p.xyz[1];
    pose[k + 2] = static_cast<double>(base.z) + p.xyz[2];
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
    PoseDoble r;
    if (claves[t.desde].movimiento == Movimiento::Lineal) {
        for (size_t k = 0; k < r.size(); k++)
            r[k] = p0[k] + (p1[k] - p0[k]) * s;
        return r;
    }
    const PoseDoble m0 = tangente(claves, t.desde, poseDeClave), m1 = tangente(claves, t.hasta, poseDeClave);
    const double s2 = s * s, s3 = s2 * s;
    const double h00 = 2 * s3 - 3 * s2 + 1, h10 = s3 - 2 * s2 + s, h01 = -2 * s3 + 3 * s2, h11 = s3 - s2;
    for (size_t k = 0; k < r.size(); k++)
        r[k] = h00 * p0[k] + h10 * largo * m0[k] + h01 * p1[k] + h11 * largo * m1[k];
    return r;
}

PoseDoble poseDeClave(const ClaveToma& clave, const std::vector<PuntoMundo>& donde)
{
    PoseDoble pose{};
    evaluarPunto(clave.ojo, donde, pose, 0);
    evaluarPunto(clave.centro, donde, pose, 3);
    for (size_t k = 0; k < 3; k++)
        pose[6 + k] = clave.arriba[k];
    return pose;
}

std::vector<std::array<float, 9>> compilarCamino(const std::vector<ClaveToma>& claves, int fotogramas)
{
    std::vector<Actor> usados;
    for (const ClaveToma& c : claves)
        for (const PuntoToma* p : {&c.ojo, &c.centro})
            if (p->conActor && std::find(usados.begin(), usados.end(), p->actor) == usados.end())
                usados.push_back(p->actor);

    escenaSinVentana();
    std::vector<PuntoMundo> donde(nombresDeActores().size());  // by actor, at the frame at hand
    std::vector<std::array<float, 9>> poses;
    poses.reserve(static_cast<size_t>(std::max(fotogramas, 0)));
    for (int f = 0; f < fotogramas; f++) {
        avanzarHasta(f);
        for (Actor a : usados)
            donde[static_cast<size_t>(a)] = posicionActor(a);
        const PoseDoble p = poseEnFotograma(claves, f, [&](size_t i) { return poseDeClave(claves[i], donde); });
        std::array<float, 9> enFloat;
        for (size_t k = 0; k < p.size(); k++)
            enFloat[k] = static_cast<float>(p[k]);
        poses.push_back(enFloat);
    }
    return poses;
}
