// Keys against the path: evaluated, checked part by part, measured whole.
#include "film/path_keys/evaluation.h"

#include "film/camera_path.h"
#include "film/film_check.h"

#include <algorithm>
#include <cmath>

namespace reductor {

namespace {

// The angle between a compiled up vector u (as the film keeps it) and the path's v,
// in degrees: 180 for no up vector at all.
double angulo(const math::Vec3& u, const math::Vec3& v)
{
    if (u.x == 0 && u.y == 0 && u.z == 0)
        return 180;
    return std::atan2(math::norm(math::cross(u, v)), math::dot(u, v)) * 180 / PI;
}

// Whether part parte of a compiled pose, as the film keeps it (floats), is within
// its tolerance of the path's at k.
bool dentro(const Camino& camino, const PoseDoble& pose, size_t k, Parte parte)
{
    const auto enFloat = [](double v) { return static_cast<double>(static_cast<float>(v)); };
    const math::Vec3 f = {enFloat(pose[parte].x), enFloat(pose[parte].y), enFloat(pose[parte].z)};
    const math::Vec3 delCamino = parteDe(camino.poses[k], parte);
    if (parte == Parte::Arriba)
        return angulo(f, delCamino) <= camino.opciones.toleranciaArribaGrados;
    return math::norm(f - delCamino) <= camino.opciones.tolerancia;
}

// The evaluation of a key's stretch (its frame up to the next key's): its largest
// deviations go into r, and its worst failing frame is returned, if any.
std::optional<size_t> medirTramo(const Camino& camino, const std::vector<ClaveToma>& claves, Rango tramo,
                                 ClavesDeCamino& r)
{
    const OpcionesClaves& o = camino.opciones;
    double peor = 0;  // the worst share of its tolerance
    std::optional<size_t> dondePeor;
    for (size_t k = tramo.desde; k <= tramo.hasta; k++) {
        const std::array<float, 9> enFilm = poseFloat(poseDeClaves(camino, claves, k));
        const PoseDoble f = poseDoble(enFilm), delCamino = camino.pose(k);
        const double ojo = math::norm(f.ojo - delCamino.ojo), centro = math::norm(f.centro - delCamino.centro);
        const double arriba = angulo(f.arriba, delCamino.arriba);
        TipoHallazgo tipo;
        const bool ciego = problemaDePose(enFilm, tipo) && gravedadDe(tipo) == Gravedad::Error;
        if (std::max(ojo, centro) > r.desviacion || r.fotogramaDesviacion < 0) {
            r.desviacion = std::max(ojo, centro);
            r.fotogramaDesviacion = camino.fotograma(k);
        }
        if (arriba > r.desviacionArribaGrados || r.fotogramaDesviacionArriba < 0) {
            r.desviacionArribaGrados = arriba;
            r.fotogramaDesviacionArriba = camino.fotograma(k);
        }
        if (!ciego && ojo <= o.tolerancia && centro <= o.tolerancia && arriba <= o.toleranciaArribaGrados)
            continue;
        double cuanto = std::max({ojo / o.tolerancia, centro / o.tolerancia, arriba / o.toleranciaArribaGrados});
        if (ciego || !std::isfinite(cuanto))
            cuanto = HUGE_VAL;
        if (!dondePeor || cuanto > peor) {
            peor = cuanto;
            dondePeor = k;
        }
    }
    return dondePeor;
}

}  // namespace

Rango tramoDe(const Camino& camino, const std::vector<ClaveToma>& claves, size_t s)
{
    return {camino.indice(claves[s]), s + 1 < claves.size() ? camino.indice(claves[s + 1]) - 1 : camino.n() - 1};
}

PoseDoble poseDeClaveEn(const Camino& camino, const ClaveToma& clave, size_t k)
{
    return poseDeClave(clave, [&camino, k](Actor a) { return camino.recorridos.en(a, k); });
}

PoseDoble poseDeClaves(const Camino& camino, const std::vector<ClaveToma>& claves, size_t k)
{
    struct {
        const Camino& camino;
        const std::vector<ClaveToma>& claves;
        size_t k;
    } const en{camino, claves, k};  // taken by one reference, which std::function holds without allocating
    return poseEnFotograma(claves, camino.fotograma(k),
                           [&en](size_t i) { return poseDeClaveEn(en.camino, en.claves[i], en.k); });
}

bool reproduce(const Camino& camino, const std::vector<ClaveToma>& claves, Parte parte, size_t desde, size_t hasta)
{
    if (!dentro(camino, poseDeClaves(camino, claves, desde), desde, parte))
        return false;
    size_t paso = 1;
    while (paso * 2 <= hasta - desde)
        paso *= 2;
    for (; paso >= 1; paso /= 2)
        for (size_t k = desde + paso; k <= hasta; k += 2 * paso)
            if (!dentro(camino, poseDeClaves(camino, claves, k), k, parte))
                return false;
    return true;
}

Medida medir(const Camino& camino, const std::vector<ClaveToma>& claves)
{
    Medida m;
    for (size_t s = 0; s < claves.size(); s++)
        if (const std::optional<size_t> k = medirTramo(camino, claves, tramoDe(camino, claves, s), m.desviaciones))
            m.fallos.push_back({s, *k});
    return m;
}

size_t primeraReformada(const std::vector<ClaveToma>& claves, size_t ultima, size_t x)
{
    size_t s = ultima;
    while (s > 0 && clavesDeTramo(claves, s - 1).ultima >= x)
        s--;
    return s;
}

Rango dondeDa(const Camino& camino, const std::vector<ClaveToma>& claves, size_t s)
{
    // The stretches around key s that it shapes (key s's own frame takes it alone),
    // and the frames inside them, after their first.
    const size_t primera = primeraReformada(claves, s, s);
    size_t ultima = s;
    while (ultima + 1 < claves.size() && clavesDeTramo(claves, ultima + 1).primera <= s)
        ultima++;
    Rango r{camino.indice(claves[s]), camino.indice(claves[s])};
    for (size_t t = primera; t < s; t++)
        if (const Rango d = tramoDe(camino, claves, t); d.desde < d.hasta) {
            r.desde = d.desde + 1;
            break;
        }
    for (size_t t = ultima + 1; t-- > s;)
        if (const Rango d = tramoDe(camino, claves, t); d.desde < d.hasta) {
            r.hasta = d.hasta;
            break;
        }
    return r;
}

}  // namespace reductor
