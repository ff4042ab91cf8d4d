// Fitting a smooth move's tangent at its end to the path's velocity there.
#include "film/path_keys/tangent.h"

#include "film/camera_path.h"
#include "film/path_keys/evaluation.h"
#include "film/path_keys/trial.h"

#include <algorithm>

namespace reductor {

namespace {

// How far after key j, reached from key i, the key the tangent at j is fitted to may be.
size_t alcanceDelAjuste(const Camino& camino, size_t i, size_t j)
{
    return std::min(camino.n() - 1, j + 3 * (j - i) + 2);
}

// A part's share of the fit.
struct Termino {
    Referencia ref;     // the reference of the key after j
    math::Vec3 q;       // where the tangent's first key stands at j, less where that reference is
    math::Vec3 v;       // the path's velocity at j after key j's reference, per frame
    double escala = 1;  // the tolerance
};

// The term of part parte with key j at index jota of claves: the path's velocity
// taken from the frames before j (so that a cut after it does not count), exact
// for a quadratic; desdeT, the pose at j of the key the tangent runs from.
Termino termino(const Camino& camino, const std::vector<ClaveToma>& claves, size_t jota, const PoseDoble& desdeT,
                Parte parte, const Referencias& refs)
{
    const size_t i = camino.indice(claves[jota - 1]), j = camino.indice(claves[jota]);
    const PuntoToma& enJ = parte == Parte::Ojo ? claves[jota].ojo : claves[jota].centro;
    const Referencia refJ = parte == Parte::Arriba ? Referencia() : referenciaDe(enJ);
    Termino t;
    t.ref = parte == Parte::Arriba ? Referencia() : refs[parte];
    const math::Vec3 pj = camino.relativo(parte, refJ, j), antes = camino.relativo(parte, refJ, j - 1);
    const math::Vec3 antes2 = j >= i + 2 ? camino.relativo(parte, refJ, j - 2) : antes;
    const PuntoMundo r = camino.recorridos.en(t.ref, j);
    t.q = desdeT[parte] - math::Vec3{r.x, r.y, r.z};
    t.escala = camino.tolerancia(parte, j);
    t.v = j >= i + 2 ? (pj * 3 - antes * 4 + antes2) / 2 : pj - antes;
    return t;
}

// The pose index from desde to hasta where coste is least: every paso-th, then
// around the best of them at half the step, and so on; the first found on a tie.
template <class Coste>
size_t minimoDe(const Coste& coste, size_t desde, size_t hasta)
{
    size_t paso = std::max<size_t>(1, (hasta + 1 - desde) / 32);
    size_t mejor = desde;
    double menor = coste(mejor);
    const auto probar = [&](size_t k) {
        const double c = coste(k);
        if (c < menor) {
            menor = c;
            mejor = k;
        }
    };
    for (size_t k = desde + paso; k <= hasta; k += paso)
        probar(k);
    while (paso > 1) {
        paso = (paso + 1) / 2;
        const size_t centro = mejor;
        if (centro >= desde + paso)
            probar(centro - paso);
        if (centro + paso <= hasta)
            probar(centro + paso);
    }
    for (size_t k : {mejor - 1, mejor + 1})
        if (k >= desde && k <= hasta)
            probar(k);
    return mejor;
}

// The pose index of the key after j (last but one of claves, the move from it to the
// last key as tried) whose tangent at j comes nearest the path's velocity there, for
// the parts given at once, each against its tolerance; its points after refs.
size_t ajuste(const Camino& camino, const std::vector<ClaveToma>& claves, const Referencias& refs,
              std::initializer_list<Parte> partes)
{
    const size_t jota = claves.size() - 2, i = camino.indice(claves[jota - 1]), j = camino.indice(claves[jota]);
    const Tramo tangente = *tangenteDe(claves, jota);  // from key i (smooth after) or j (linear after)
    const size_t desdeT = camino.indice(claves[tangente.desde]);
    const PoseDoble poseDesde = poseDeClaveEn(camino, claves[tangente.desde], j);
    const PorParte<Termino> terminos = {termino(camino, claves, jota, poseDesde, Parte::Ojo, refs),
                                        termino(camino, claves, jota, poseDesde, Parte::Centro, refs),
                                        termino(camino, claves, jota, poseDesde, Parte::Arriba, refs)};
    const auto coste = [&](size_t k) {
        double suma = 0;
        for (Parte parte : partes) {
            const Termino& t = terminos[parte];
            const math::Vec3 d = ((camino.relativo(parte, t.ref, k) - t.q) / double(k - desdeT) - t.v) / t.escala;
            suma = suma + d.x * d.x + d.y * d.y + d.z * d.z;
        }
        return suma;
    };
    return minimoDe(coste, j + 1, alcanceDelAjuste(camino, i, j));
}

}  // namespace

std::optional<Pendiente> ajustarTangente(const Camino& camino, std::vector<ClaveToma>& claves,
                                         std::initializer_list<Parte> partes, const Revision& revision)
{
    const size_t i = camino.indice(claves[claves.size() - 2]), j = camino.indice(claves.back());
    if (j + 1 >= camino.n())
        return std::nullopt;
    const Referencias refsJ = {referenciaDe(claves.back().ojo), referenciaDe(claves.back().centro)};
    std::vector<Referencias> opciones = {refsJ};
    for (Actor a : camino.recorridos.mueven(j, alcanceDelAjuste(camino, i, j)))
        for (Parte parte : partes)
            if (parte != Parte::Arriba && refsJ[parte] != a) {
                Referencias r = refsJ;
                r[parte] = a;
                opciones.push_back(r);
            }
    for (Movimiento m : {Movimiento::Suave, Movimiento::Lineal})
        for (const Referencias& refs : opciones) {
            const Tentativa despues(claves, m, ClaveToma{});  // the key after j, placed once found
            const size_t k = ajuste(camino, claves, refs, partes);
            claves.back() = claveDelCamino(camino, k, refs, Movimiento::Fijo);
            if (std::all_of(partes.begin(), partes.end(), [&](Parte parte) {
                    return reproduce(camino, claves, parte, revision.desde[parte], revision.hasta);
                }))
                return Pendiente{m, k};
        }
    return std::nullopt;
}

}  // namespace reductor
