// Reducing a camera path to keys. The story is stepped once, and where each thing
// stands is kept frame by frame. Keys are then laid greedily from the first frame:
// from each key, each motion (step, linear, smooth) is stretched as far as it
// reproduces the path, by doubling its length and halving back, and by trying the
// frames where the path's acceleration jumps (where the keys of a film made from a
// shot list stand, which doubling alone would pass over); the motion reaching
// farthest is taken (on a tie: step, then linear, then smooth). Each point of a key
// is fixed or follows a thing of the story, as holds over the move and, among those,
// as suits what follows; a key's values are the path's own at its frame, rounded to
// the fewest decimals within a hundredth of the tolerance. Every candidate is
// evaluated by poseEnFotograma over the keys around it, exactly as the compiler
// evaluates them. A smooth move's tangent at its end depends on the key after it: the
// move is tried as it ends before a step, and before a smooth or a linear move to the
// key whose tangent fits the path's velocity there, and the next move must then keep
// it within the tolerance. Finally the whole key set is evaluated frame by frame as
// the compiler does, and where it fails a key is added at the worst frame (or the key
// there is made exact) until it holds. Assumes every pose is sound.
#include "film/path_keys.h"

#include "film/camera_path.h"
#include "film/film_check.h"
#include "film/player.h"
#include "scene/actors.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <initializer_list>

namespace {

constexpr int FIJO = -1;  // a point given by its coordinates, after no thing

enum Parte : size_t { OJO = 0, CENTRO = 1, ARRIBA = 2 };

// The share of the tolerance a key's value may be moved by when it is rounded.
constexpr double PARTE_REDONDEO = 0.01;

// The longest linear or smooth move looked for beyond where doubling its length
// stopped holding, in frames (the bundled film's longest is 640).
constexpr size_t ALCANCE_BUSCADO = 1024;
// How many of the frames where the acceleration jumps most are tried as the end of a
// move, and the frames between the samples each acceleration is measured from.
constexpr size_t NUDOS = 12;
constexpr size_t SEPARACION_NUDOS = 4;
// How many frames short of the farthest reach such a frame is still preferred.
constexpr size_t HOLGURA_NUDO = 8;

constexpr double PI = 3.14159265358979323846;

constexpr size_t SIN_FALLO = static_cast<size_t>(-1);
constexpr int SIN_PISTA = -2;  // no reference asked for

// The things in the order a point is named after them when several move alike:
// carriers before what they carry, the fixed places last.
constexpr std::array<Actor, 12> ORDEN_ACTORES = {
    Actor::Tren,  Actor::Grua,       Actor::Coche,  Actor::Tostadora, Actor::Personaje, Actor::Balon,
    Actor::Campo, Actor::PasoANivel, Actor::Looping, Actor::Isla,     Actor::Puente,    Actor::Estacion,
};

// How far ahead a point is followed to judge after which thing it keeps still or
// accelerates least, and how much longer than in the world it must keep still, in
// frames (and how many there must be to judge at all).
constexpr size_t RETENCION = 1024;
constexpr size_t RETENCION_MINIMA = 8;

bool igual(const PuntoMundo& a, const PuntoMundo& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

// Where each thing of the story stands at each frame of the path: the story
// stepped once, each thing's point kept frame by frame up to its last change, and
// as it was from then on (most things stand still most of the time).
class Recorridos {
public:
    Recorridos(int primero, size_t n) : puntos_(nombresDeActores().size()), cambios_(puntos_.size())
    {
        escenaSinVentana();
        for (size_t k = 0; k < n; k++) {
            avanzarHasta(primero + static_cast<int>(k));
            for (size_t a = 0; a < puntos_.size(); a++) {
                const PuntoMundo p = posicionActor(static_cast<Actor>(a));
                std::vector<PuntoMundo>& v = puntos_[a];
                if (v.empty()) {
                    v.push_back(p);
                } else if (!igual(p, v.back())) {
                    const PuntoMundo antes = v.back();
                    v.resize(k, antes);
                    v.push_back(p);
                    cambios_[a].push_back(k);
                }
            }
        }
    }

    size_t actores() const { return puntos_.size(); }

    // Where thing a stands at pose index k.
    const PuntoMundo& en(size_t a, size_t k) const
    {
        const std::vector<PuntoMundo>& v = puntos_[a];
        return v[std::min(k, v.size() - 1)];
    }

    // Whether thing a stands at the same point at every pose index from desde to hasta.
    bool quieto(size_t a, size_t desde, size_t hasta) const
    {
        const std::vector<size_t>& c = cambios_[a];
        const auto despues = std::upper_bound(c.begin(), c.end(), desde);
        return despues == c.end() || *despues > hasta;
    }

private:
    std::vector<std::vector<PuntoMundo>> puntos_;  // by actor, by pose index
    std::vector<std::vector<size_t>> cambios_;     // by actor: the pose indices where it moved
};

// The references of a point at the key a move starts from and at the key it goes to.
struct Par {
    int desde = FIJO, hasta = FIJO;
};

// A move from the key at hand: its motion, the pose index of the key it reaches,
// and the references of the eye and the centre at both keys.
struct Candidato {
    bool valido = false;
    Movimiento movimiento = Movimiento::Fijo;
    size_t hasta = 0;
    std::array<Par, 2> refs{};
    size_t fantasma = 0;  // for a smooth move: the key after it its tangent was taken with; 0: none
    bool fantasmaLineal = false;  // that key follows a linear move, not a smooth one
    bool conPrevio = true;        // it keeps the move before it within the tolerance
};

class Reductor {
public:
    Reductor(const std::vector<std::array<float, 9>>& poses, int primero, const OpcionesClaves& o)
        : poses_(poses), primero_(primero), o_(o), recorridos_(primero, poses.size()),
          donde_(recorridos_.actores()),
          poseDeIndice_([this](size_t i) { return poseDeClave((*lista_)[i], donde_); })
    {
    }

    ClavesDeCamino reducir()
    {
        hallarCortes();
        std::vector<ClaveToma> claves = trazar();
        nombrarCentrosQuietos(claves);
        ClavesDeCamino r;
        for (;;) {
            std::vector<std::pair<size_t, size_t>> fallos;  // (key, worst pose index of its stretch)
            r = medir(claves, fallos);
            if (fallos.empty() || !enmendar(claves, fallos))
                break;
        }
        r.claves = std::move(claves);
        return r;
    }

private:
    const std::vector<std::array<float, 9>>& poses_;
    int primero_;
    OpcionesClaves o_;
    Recorridos recorridos_;
    std::vector<PuntoMundo> donde_;  // by actor, at the frame being evaluated
    const std::vector<ClaveToma>* lista_ = nullptr;
    const std::function<PoseDoble(size_t)> poseDeIndice_;
    size_t fijada_ = 0;  // where the key after the last one goes for a smooth move; 0: anywhere
    std::vector<size_t> cortes_;  // the pose indices the path jumps to, in order

    // Where the eye or the centre jumps from one frame to the next by more than four
    // tolerances and eight times its moves to and from the frames beside them.
    void hallarCortes()
    {
        const auto paso = [&](size_t k, size_t base) {  // from k - 1 to k
            double s2 = 0;
            for (size_t c = base; c < base + 3; c++) {
                const double d = double(poses_[k][c]) - poses_[k - 1][c];
                s2 += d * d;
            }
            return std::sqrt(s2);
        };
        for (size_t k = 1; k < n(); k++)
            for (size_t base : {size_t(0), size_t(3)}) {
                const double antes = k >= 2 ? paso(k - 1, base) : 0, despues = k + 1 < n() ? paso(k + 1, base) : 0;
                if (paso(k, base) > 4 * o_.tolerancia + 8 * (antes + despues)) {
                    cortes_.push_back(k);
                    break;
                }
            }
    }

    size_t n() const { return poses_.size(); }
    int fotograma(size_t k) const { return primero_ + static_cast<int>(k); }
    size_t indice(const ClaveToma& c) const { return static_cast<size_t>(c.fotograma - primero_); }

    // ---- Keys --------------------------------------------------------------------

    // The value with the fewest decimals (0 to 6) within margen of it.
    static float redondear(float valor, double margen)
    {
        double escala = 1;
        for (int decimales = 0; decimales <= 6; decimales++, escala *= 10) {
            const float r = static_cast<float>(std::round(static_cast<double>(valor) * escala) / escala);
            if (std::fabs(static_cast<double>(r) - valor) <= margen)
                return r;
        }
        return valor;
    }

    // The point of part parte at pose index k, after thing ref (FIJO: its coordinates);
    // exacto leaves it unrounded.
    PuntoToma punto(int ref, size_t k, Parte parte, bool exacto = false) const
    {
        PuntoToma p;
        p.conActor = ref != FIJO;
        if (p.conActor)
            p.actor = static_cast<Actor>(ref);
        const PuntoMundo base = p.conActor ? recorridos_.en(static_cast<size_t>(ref), k) : PuntoMundo{};
        const std::array<float, 3> b = {base.x, base.y, base.z};
        for (size_t c = 0; c < 3; c++) {
            const float v = static_cast<float>(static_cast<double>(poses_[k][3 * parte + c]) - b[c]);
            p.xyz[c] = exacto ? v : redondear(v, o_.tolerancia * PARTE_REDONDEO);
        }
        return p;
    }

    std::array<float, 3> arriba(size_t k, bool exacto = false) const
    {
        const auto& p = poses_[k];
        const double largo = std::sqrt(double(p[6]) * p[6] + double(p[7]) * p[7] + double(p[8]) * p[8]);
        const double margen = largo * o_.toleranciaArribaGrados * PI / 180 * PARTE_REDONDEO;
        std::array<float, 3> r;
        for (size_t c = 0; c < 3; c++)
            r[c] = exacto ? p[6 + c] : redondear(p[6 + c], margen);
        return r;
    }

    ClaveToma clave(size_t k, int refOjo, int refCentro, Movimiento m, bool exacta = false) const
    {
        ClaveToma c;
        c.fotograma = fotograma(k);
        c.ojo = punto(refOjo, k, OJO, exacta);
        c.centro = punto(refCentro, k, CENTRO, exacta);
        c.arriba = arriba(k, exacta);
        c.movimiento = m;
        return c;
    }

    static int refDe(const PuntoToma& p) { return p.conActor ? static_cast<int>(p.actor) : FIJO; }

    // ---- Evaluation, as the compiler does it ------------------------------------

    // The pose the keys give at pose index k; actores, the things they name.
    PoseDoble evaluar(const std::vector<ClaveToma>& claves, const std::vector<size_t>& actores, size_t k)
    {
        for (size_t a : actores)
            donde_[a] = recorridos_.en(a, k);
        lista_ = &claves;
        return poseEnFotograma(claves, fotograma(k), poseDeIndice_);
    }

    static std::vector<size_t> actoresDe(const std::vector<ClaveToma>& claves)
    {
        std::vector<size_t> actores;
        for (const ClaveToma& c : claves)
            for (const PuntoToma* p : {&c.ojo, &c.centro})
                if (p->conActor && std::find(actores.begin(), actores.end(), size_t(p->actor)) == actores.end())
                    actores.push_back(static_cast<size_t>(p->actor));
        return actores;
    }

    static double angulo(const std::array<float, 9>& compilada, const std::array<float, 9>& camino)
    {
        const double u[3] = {compilada[6], compilada[7], compilada[8]};
        const double v[3] = {camino[6], camino[7], camino[8]};
        const double cruz[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        const double producto = u[0] * v[0] + u[1] * v[1] + u[2] * v[2];
        if (u[0] == 0 && u[1] == 0 && u[2] == 0)
            return 180;
        return std::atan2(std::sqrt(cruz[0] * cruz[0] + cruz[1] * cruz[1] + cruz[2] * cruz[2]), producto) * 180 /
               PI;
    }

    static double distancia(const std::array<float, 9>& a, const std::array<float, 9>& b, size_t desde)
    {
        double s = 0;
        for (size_t c = desde; c < desde + 3; c++) {
            const double d = static_cast<double>(a[c]) - b[c];
            s += d * d;
        }
        return std::sqrt(s);
    }

    static std::array<float, 9> enFloat(const PoseDoble& p)
    {
        std::array<float, 9> f;
        for (size_t c = 0; c < f.size(); c++)
            f[c] = static_cast<float>(p[c]);
        return f;
    }

    // Whether part parte of a compiled pose is within its tolerance of the path's at k.
    bool dentro(const PoseDoble& pose, size_t k, Parte parte) const
    {
        const std::array<float, 9> f = enFloat(pose);
        if (parte == ARRIBA)
            return angulo(f, poses_[k]) <= o_.toleranciaArribaGrados;
        return distancia(f, poses_[k], 3 * parte) <= o_.tolerancia;
    }

    // Whether part parte of the keys reproduces the path at pose indices desde to hasta.
    // Coarse to fine (frames a power of two apart, then halfway between them, and so
    // on), so that a move that strays is found after a few frames.
    bool reproduce(const std::vector<ClaveToma>& claves, Parte parte, size_t desde, size_t hasta)
    {
        const std::vector<size_t> actores = actoresDe(claves);
        if (!dentro(evaluar(claves, actores, desde), desde, parte))
            return false;
        size_t paso = 1;
        while (paso * 2 <= hasta - desde)
            paso *= 2;
        for (; paso >= 1; paso /= 2)
            for (size_t k = desde + paso; k <= hasta; k += 2 * paso)
                if (!dentro(evaluar(claves, actores, k), k, parte))
                    return false;
        return true;
    }

    // ---- Laying the keys -----------------------------------------------------------

    // The references worth trying for a point on a move from the last key (pose index i)
    // to j, in the order preferred: those asked for (pista), the key's own reference
    // kept, fixed before named, then the key's reference changed; a thing only where it
    // moves from desde to hasta (one that stands still is as good as fixed). A step's
    // key after it is a cut, so only the held key's reference counts there.
    std::vector<Par> pares(int refI, bool libre, Movimiento m, size_t desde, size_t hasta, Par pista = {SIN_PISTA, SIN_PISTA}) const
    {
        const std::vector<int> mueven = this->mueven(desde, hasta);
        std::vector<Par> r;
        const auto anadir = [&](int a, int b) {
            if (m == Movimiento::Fijo)
                b = FIJO;
            for (const Par& p : r)
                if (p.desde == a && p.hasta == b)
                    return;
            r.push_back({a, b});
        };
        if (!libre) {
            anadir(refI, refI);
            anadir(refI, FIJO);
            for (int a : mueven)
                anadir(refI, a);
        }
        anadir(FIJO, FIJO);
        for (int a : mueven)
            anadir(a, a);
        if (libre)
            for (int a : mueven) {
                anadir(FIJO, a);
                anadir(a, FIJO);
            }
        // The references asked for first: both ends, then the end, then the start.
        const auto puntos = [&](const Par& p) { return 2 * (p.hasta == pista.hasta) + (p.desde == pista.desde); };
        std::stable_sort(r.begin(), r.end(), [&](const Par& a, const Par& b) { return puntos(a) > puntos(b); });
        return r;
    }

    // The things that move between pose indices desde and hasta, carriers before what
    // they carry (the train before the ball in it, the crane before the car on its bed).
    std::vector<int> mueven(size_t desde, size_t hasta) const
    {
        std::vector<int> r;
        for (Actor a : ORDEN_ACTORES)
            if (static_cast<size_t>(a) < recorridos_.actores() &&
                !recorridos_.quieto(static_cast<size_t>(a), desde, hasta))
                r.push_back(static_cast<int>(a));
        return r;
    }

    // The last pose index looked at from k to judge what follows it: RETENCION frames on,
    // or the frame before the next cut, or the path's last.
    size_t finDeVista(size_t k) const
    {
        const auto corte = std::upper_bound(cortes_.begin(), cortes_.end(), k);
        return std::min({n() - 1, k + RETENCION, corte == cortes_.end() ? n() : *corte - 1});
    }

    // How many frames from pose index k on part parte keeps within its tolerance of where
    // it is at k, after thing ref (FIJO: in the world), up to finDeVista.
    size_t retencion(Parte parte, int ref, size_t k) const
    {
        const std::array<double, 3> en = relativo(parte, ref, k);
        size_t f = k + 1;
        for (; f < n() && f <= finDeVista(k); f++) {
            const std::array<double, 3> o = relativo(parte, ref, f);
            double s2 = 0;
            for (size_t c = 0; c < 3; c++)
                s2 += (o[c] - en[c]) * (o[c] - en[c]);
            if (!(s2 <= o_.tolerancia * o_.tolerancia))
                break;
        }
        return f - k - 1;
    }

    // The mean acceleration of part parte over the RETENCION frames from pose index k
    // (fewer at the end), after thing ref, per frame squared; and over how many frames.
    std::pair<double, size_t> aceleracion(Parte parte, int ref, size_t k) const
    {
        constexpr size_t H = SEPARACION_NUDOS;
        const size_t hasta = finDeVista(k);
        double suma = 0;
        size_t veces = 0;
        for (size_t f = k; f + 2 * H <= hasta; f += H, veces++) {
            const std::array<double, 3> a = relativo(parte, ref, f), b = relativo(parte, ref, f + H),
                                        c = relativo(parte, ref, f + 2 * H);
            double s2 = 0;
            for (size_t q = 0; q < 3; q++) {
                const double d = (c[q] - 2 * b[q] + a[q]) / double(H * H);
                s2 += d * d;
            }
            suma += std::sqrt(s2);
        }
        return {veces ? suma / double(veces) : 0, hasta - k};
    }

    // The reference point parte of a key at pose index k is best given for what follows:
    // a thing it keeps still after for clearly longer than in the world (twice, and
    // RETENCION_MINIMA frames more); else the thing after which it accelerates least,
    // where that is less than half as much as in the world (and than after the things
    // before it in ORDEN_ACTORES), and the world's would matter (it would stray a
    // tolerance from a straight course over the frames looked at); else fixed. SIN_PISTA
    // when a cut, or the path's end, comes too soon to tell.
    int referenciaTras(Parte parte, size_t k) const
    {
        if (finDeVista(k) < k + RETENCION_MINIMA)  // a cut, or the end, before anything follows
            return SIN_PISTA;
        const std::vector<int> cosas = mueven(k, finDeVista(k));
        int mejor = FIJO;
        size_t larga = 2 * retencion(parte, FIJO, k) + RETENCION_MINIMA;
        for (int a : cosas) {
            const size_t r = retencion(parte, a, k);
            if (r > larga) {
                larga = r;
                mejor = a;
            }
        }
        if (mejor != FIJO)
            return mejor;
        const auto [fija, largo] = aceleracion(parte, FIJO, k);
        if (fija * double(largo) * double(largo) / 8 <= o_.tolerancia)
            return FIJO;
        double menor = fija;
        for (int a : cosas) {  // one thing after another only where it halves the acceleration again
            const double acel = aceleracion(parte, a, k).first;
            if (acel < menor / 2) {
                menor = acel;
                mejor = a;
            }
        }
        return mejor;
    }

    // The first pose index whose frame a move from the last key changes: the key's own,
    // or the moves before it that its tangent, or a new reference of the key, reaches.
    size_t inicioRevision(const std::vector<ClaveToma>& claves, bool cambia, bool conPrevio) const
    {
        const size_t ultima = claves.size() - 1;
        const auto suave = [&](size_t s) { return claves[s].movimiento == Movimiento::Suave; };
        if (!conPrevio || ultima == 0 || claves[ultima - 1].movimiento == Movimiento::Fijo)
            return indice(claves[ultima]);
        if (cambia && ultima >= 2 && suave(ultima - 2) && suave(ultima - 1))
            return indice(claves[ultima - 2]);
        if (cambia || suave(ultima - 1))
            return indice(claves[ultima - 1]);
        return indice(claves[ultima]);
    }

    // The values of part parte at pose index k, less where thing ref stands there.
    std::array<double, 3> relativo(Parte parte, int ref, size_t k) const
    {
        const PuntoMundo b = ref == FIJO ? PuntoMundo{} : recorridos_.en(static_cast<size_t>(ref), k);
        const auto& p = poses_[k];
        return {double(p[3 * parte]) - b.x, double(p[3 * parte + 1]) - b.y, double(p[3 * parte + 2]) - b.z};
    }

    // The key after the smooth move from local[li] (pose index i) to the last key of
    // local (pose index j) whose tangent at j (Catmull-Rom, or with lineal the velocity
    // of a linear move from j to that key) comes nearest the path's own
    // velocity there (taken from the frames before j, so that a cut after it does not
    // count), for the parts given at once, each against its tolerance; refs, the
    // references of that key's points. 0 when there is no frame after j.
    size_t fantasma(const std::vector<ClaveToma>& local, size_t li, size_t i, size_t j,
                    const std::array<int, 2>& refs, std::initializer_list<Parte> partes, bool lineal)
    {
        if (j + 1 >= n())
            return 0;
        const size_t hastaK = std::min(n() - 1, j + 3 * (j - i) + 2);
        // The tangent at j runs from key i (before a smooth move) or from key j itself (before
        // a linear one) to the key after.
        const size_t desdeT = lineal ? j : i;
        const std::vector<ClaveToma> clavesT = {lineal ? local.back() : local[li]};
        const PoseDoble desdeI = evaluar(clavesT, actoresDe(clavesT), j);  // that key's pose at frame j
        struct Termino {
            int ref;                  // the reference of the key after j
            std::array<double, 3> q;  // where the tangent's first key stands at j, less where that reference is
            std::array<double, 3> v;  // the path's velocity at j after key j's reference, per frame
            double escala;            // the tolerance
        };
        std::array<Termino, 3> terminos;
        for (size_t q = 0; q < terminos.size(); q++) {
            const Parte parte = static_cast<Parte>(q);
            Termino& t = terminos[q];
            const PuntoToma* enJ = parte == OJO ? &local.back().ojo : parte == CENTRO ? &local.back().centro : nullptr;
            const int refJ = enJ ? refDe(*enJ) : FIJO;
            t.ref = parte == ARRIBA ? FIJO : refs[parte];
            const std::array<double, 3> pj = relativo(parte, refJ, j), antes = relativo(parte, refJ, j - 1);
            const std::array<double, 3> antes2 = j >= i + 2 ? relativo(parte, refJ, j - 2) : antes;
            const PuntoMundo r = t.ref == FIJO ? PuntoMundo{} : recorridos_.en(static_cast<size_t>(t.ref), j);
            const size_t base = 3 * parte;
            t.q = {desdeI[base] - r.x, desdeI[base + 1] - r.y, desdeI[base + 2] - r.z};
            t.escala = o_.tolerancia;
            if (parte == ARRIBA) {
                const auto& u = poses_[j];
                t.escala = std::sqrt(double(u[6]) * u[6] + double(u[7]) * u[7] + double(u[8]) * u[8]) *
                           o_.toleranciaArribaGrados * PI / 180;
            }
            for (size_t c = 0; c < 3; c++)  // exact for a quadratic
                t.v[c] = j >= i + 2 ? (3 * pj[c] - 4 * antes[c] + antes2[c]) / 2 : pj[c] - antes[c];
        }
        const auto coste = [&](size_t k) {
            double suma = 0;
            for (Parte parte : partes) {
                const Termino& t = terminos[static_cast<size_t>(parte) % terminos.size()];
                const std::array<double, 3> pk = relativo(parte, t.ref, k);
                for (size_t c = 0; c < 3; c++) {
                    const double d = ((pk[c] - t.q[c]) / double(k - desdeT) - t.v[c]) / t.escala;
                    suma += d * d;
                }
            }
            return suma;
        };
        // Every paso-th frame, then around the best of them at half the step, and so on.
        size_t paso = std::max<size_t>(1, (hastaK - j) / 32);
        size_t mejor = j + 1;
        double menor = coste(mejor);
        const auto probar = [&](size_t k) {
            const double c = coste(k);
            if (c < menor) {
                menor = c;
                mejor = k;
            }
        };
        for (size_t k = j + 1 + paso; k <= hastaK; k += paso)
            probar(k);
        while (paso > 1) {
            paso = (paso + 1) / 2;
            const size_t centro = mejor;
            if (centro >= j + 1 + paso)
                probar(centro - paso);
            if (centro + paso <= hastaK)
                probar(centro + paso);
        }
        for (size_t k : {mejor - 1, mejor + 1})
            if (k > j && k <= hastaK)
                probar(k);
        return mejor;
    }

    // Whether a move m from the last key (at pose index i) to pose index j reproduces the
    // path, with the moves before it that it changes when conPrevio; the references
    // chosen, and for a smooth move the key after j it was taken with, go to c.
    bool valido(const std::vector<ClaveToma>& claves, bool libre, Movimiento m, size_t j, bool conPrevio,
                Candidato& c, const std::array<Par, 2>& pistas = {Par{SIN_PISTA, SIN_PISTA}, Par{SIN_PISTA, SIN_PISTA}})
    {
        const size_t ultima = claves.size() - 1, i = indice(claves[ultima]);
        const size_t primeraLocal = ultima >= 3 ? ultima - 3 : 0;
        std::vector<ClaveToma> local(claves.begin() + static_cast<long>(primeraLocal), claves.end());
        const size_t li = local.size() - 1;
        local[li].movimiento = m;
        local.push_back(clave(std::min(j, n() - 1), FIJO, FIJO, Movimiento::Suave));
        if (j == n())  // a step held to the end
            local.back().fotograma = fotograma(j);
        const size_t hasta = m == Movimiento::Fijo ? j - 1 : j;
        std::array<size_t, 3> desde{};
        for (Parte parte : {OJO, CENTRO}) {
            PuntoToma ClaveToma::*campo = parte == OJO ? &ClaveToma::ojo : &ClaveToma::centro;
            const PuntoToma original = local[li].*campo;
            const int refI = refDe(original);
            bool hallado = false;
            for (const Par& par : pares(refI, libre, m, inicioRevision(claves, true, conPrevio), j, pistas[parte])) {
                const bool cambia = !libre && par.desde != refI;
                if (cambia && !conPrevio)
                    continue;
                local[li].*campo = libre || cambia ? punto(par.desde, i, parte) : original;
                if (j < n())
                    local.back().*campo = punto(par.hasta, j, parte);
                desde[parte] = inicioRevision(claves, cambia, conPrevio);
                if (reproduce(local, parte, desde[parte], hasta) ||
                    (m == Movimiento::Suave && conFantasma(local, li, i, j, {parte}))) {
                    c.refs[parte] = par;
                    hallado = true;
                    break;
                }
                local[li].*campo = original;
            }
            if (!hallado)
                return false;
        }
        desde[ARRIBA] = inicioRevision(claves, false, conPrevio);
        if (m != Movimiento::Suave)
            return reproduce(local, ARRIBA, desde[ARRIBA], hasta);
        // A smooth move: before a step (no tangent at j), or before a smooth move to the key
        // whose tangent fits, the same for every part.
        c.fantasma = conFantasma(local, li, i, j, {OJO, CENTRO, ARRIBA}, &desde, hasta, &c.fantasmaLineal);
        if (c.fantasma != 0)
            return true;
        for (Parte parte : {OJO, CENTRO, ARRIBA})
            if (!reproduce(local, parte, desde[parte], hasta))
                return false;
        return true;
    }

    // With a key after local's last one where its tangent fits: the key's pose index when
    // the parts reproduce the path (from desde, or from the last key but one, to hasta,
    // or its last key), else 0. The key after takes the references of local's last one,
    // or, part by part, a thing that moves (the key after may follow one); the move to it
    // is smooth, or else linear (then *lineal).
    size_t conFantasma(std::vector<ClaveToma>& local, size_t li, size_t i, size_t j,
                       std::initializer_list<Parte> partes, const std::array<size_t, 3>* desde = nullptr,
                       size_t hasta = 0, bool* lineal = nullptr)
    {
        const std::array<int, 2> refsJ = {refDe(local.back().ojo), refDe(local.back().centro)};
        std::vector<std::array<int, 2>> opciones = {refsJ};
        const size_t lejos = std::min(n() - 1, j + 3 * (j - i) + 2);
        for (int a : mueven(j, lejos))
            for (Parte parte : partes)
                if (parte != ARRIBA && refsJ[parte] != a) {
                    std::array<int, 2> r = refsJ;
                    r[parte] = a;
                    opciones.push_back(r);
                }
        for (bool antesDeLineal : {false, true})
            for (const std::array<int, 2>& refs : opciones) {
                const size_t k = fantasma(local, li, i, j, refs, partes, antesDeLineal);
                if (k == 0)
                    return 0;
                local.back().movimiento = antesDeLineal ? Movimiento::Lineal : Movimiento::Suave;
                local.push_back(clave(k, refs[OJO], refs[CENTRO], Movimiento::Fijo));
                bool bien = true;
                for (Parte parte : partes)
                    if (!reproduce(local, parte, desde ? (*desde)[parte] : i, desde ? hasta : j)) {
                        bien = false;
                        break;
                    }
                local.pop_back();
                local.back().movimiento = Movimiento::Suave;
                if (bien) {
                    if (lineal)
                        *lineal = antesDeLineal;
                    return k;
                }
            }
        return 0;
    }

    // The frames from desde to hasta where the path's acceleration jumps most, each
    // point after the reference the last key has (or, while it may take any, after each
    // thing that moves): the NUDOS strongest that stand out from the frames around
    // them, the farthest first, each followed by the frame after it and the frame before.
    std::vector<size_t> nudos(const std::vector<ClaveToma>& claves, bool libre, size_t desde, size_t hasta) const
    {
        const auto corte = std::upper_bound(cortes_.begin(), cortes_.end(), indice(claves.back()));
        if (corte != cortes_.end())  // no linear or smooth move reaches across a cut
            hasta = std::min(hasta, *corte - 1);
        const ClaveToma& clave = claves.back();
        if (hasta < indice(clave) + 1 + 4 * SEPARACION_NUDOS)
            return {};
        std::vector<std::array<int, 2>> opciones = {{refDe(clave.ojo), refDe(clave.centro)}};
        if (libre)  // the key may still take any reference: after each thing that moves
            for (int a : mueven(indice(clave), hasta))
                opciones.push_back({a, a});
        std::vector<size_t> picos;  // found over the whole move, so that one near desde stands out too
        for (const auto& refs : opciones)
            for (size_t f : nudosTras(refs, indice(clave) + 1, hasta))
                if (f >= desde)
                    picos.push_back(f);
        std::sort(picos.begin(), picos.end(), std::greater<size_t>());
        picos.erase(std::unique(picos.begin(), picos.end()), picos.end());
        std::vector<size_t> r;
        for (size_t f : picos)
            for (size_t g : {f, f + 1, f - 1})
                if (std::find(r.begin(), r.end(), g) == r.end())
                    r.push_back(g);
        return r;
    }

    // nudos, each point after refs.
    std::vector<size_t> nudosTras(const std::array<int, 2>& refs, size_t desde, size_t hasta) const
    {
        constexpr size_t H = SEPARACION_NUDOS;
        std::vector<double> salto(hasta + 1 - desde, 0);  // by frame from desde, per frame squared
        for (size_t f = desde + 2 * H; f + 2 * H <= hasta; f++)
            for (Parte parte : {OJO, CENTRO, ARRIBA}) {
                const int ref = parte == ARRIBA ? FIJO : refs[parte];
                const auto o = [&](size_t k) { return relativo(parte, ref, k); };
                const std::array<double, 3> a = o(f - 2 * H), b = o(f - H), c = o(f), d = o(f + H), e = o(f + 2 * H);
                double s2 = 0;
                for (size_t q = 0; q < 3; q++) {
                    const double x = ((e[q] - 2 * d[q] + c[q]) - (c[q] - 2 * b[q] + a[q])) / double(H * H);
                    s2 += x * x;
                }
                const double escala = parte == ARRIBA ? 1.0 : o_.tolerancia;
                salto[f - desde] = std::max(salto[f - desde], std::sqrt(s2) / escala);
            }
        std::vector<size_t> picos;
        for (size_t f = desde + 2 * H; f + 2 * H <= hasta; f++) {
            bool pico = salto[f - desde] > 0;
            for (size_t g = f - H; pico && g <= f + H; g++)
                if (g != f && (salto[g - desde] > salto[f - desde] || (salto[g - desde] == salto[f - desde] && g < f)))
                    pico = false;
            if (pico)
                picos.push_back(f);
        }
        const size_t cuantos = std::min(picos.size(), NUDOS);
        std::partial_sort(picos.begin(), picos.begin() + static_cast<long>(cuantos), picos.end(),
                          [&](size_t x, size_t y) { return salto[x - desde] > salto[y - desde]; });
        picos.resize(cuantos);
        return picos;
    }

    // The farthest a move m from the last key reaches: doubling its length while it
    // holds, then halving back between the last length that held and the first that did
    // not. A smooth move after a smooth move goes to the key its tangent was taken with.
    Candidato alcance(const std::vector<ClaveToma>& claves, bool libre, Movimiento m, bool conPrevio)
    {
        const size_t i = indice(claves.back());
        Candidato mejor;
        const auto probar = [&](size_t j) {
            Candidato c;
            if (!valido(claves, libre, m, j, conPrevio, c))
                return false;
            mejor = c;
            mejor.valido = true;
            mejor.hasta = j;
            mejor.movimiento = m;
            return true;
        };
        if (m == Movimiento::Suave && conPrevio && claves.size() >= 2 &&
            claves[claves.size() - 2].movimiento == Movimiento::Suave && fijada_ > i) {
            probar(fijada_);
            return mejor;
        }
        // A step may hold to the path's end (reach n: no key after it).
        const size_t ultimo = m == Movimiento::Fijo ? n() : n() - 1;
        size_t malo = 0;  // the first reach found not to hold; 0 while none
        for (size_t largo = 1;; largo *= 2) {
            const size_t j = std::min(i + largo, ultimo);
            if (!probar(j)) {
                malo = j;
                break;
            }
            if (j == ultimo)
                break;
        }
        if (mejor.valido)
            while (malo > mejor.hasta + 1) {
                const size_t j = mejor.hasta + (malo - mejor.hasta) / 2;
                if (!probar(j))
                    malo = j;
            }
        // A linear or smooth move may hold again farther on where it did not in between:
        // at the key the path was made with, where a move whose ends follow different
        // things, or whose tangent fits only there, ends. Such keys stand where the path's
        // acceleration jumps: those frames up to ALCANCE_BUSCADO, from the farthest down;
        // and one a few frames short of a smooth move's reach is taken instead of it (the
        // move goes on there only by the tolerance's slack, and the next one fits worse).
        if (m != Movimiento::Fijo && malo != 0 && mejor.valido) {
            const size_t hasta = std::min(n() - 1, i + ALCANCE_BUSCADO);
            const size_t alcanzado = mejor.hasta;
            // A reach that ends where the path does, or just before a cut, is not short of
            // anything; nor is a linear move's (the move after it goes on as well from there).
            const bool alFinal = alcanzado + 1 >= n() ||
                                 std::binary_search(cortes_.begin(), cortes_.end(), alcanzado + 1);
            const size_t holgura = alFinal || m != Movimiento::Suave ? 0 : HOLGURA_NUDO;
            const size_t desde = std::max(i + 1, alcanzado > holgura ? alcanzado - holgura : 0);
            for (size_t j : nudos(claves, libre, desde, hasta))
                if ((j > malo || j + holgura >= alcanzado) && j != alcanzado && probar(j))
                    break;
        }
        return mejor;
    }

    Candidato siguiente(const std::vector<ClaveToma>& claves, bool libre, bool conPrevio)
    {
        Candidato mejor;
        for (Movimiento m : {Movimiento::Fijo, Movimiento::Lineal, Movimiento::Suave}) {
            const Candidato c = alcance(claves, libre, m, conPrevio);
            if (c.valido && (!mejor.valido || c.hasta > mejor.hasta))
                mejor = c;
            if (mejor.valido && mejor.hasta >= n() - 1)
                break;
        }
        return mejor;
    }

    // The keys, laid greedily from the first frame.
    std::vector<ClaveToma> trazar()
    {
        std::vector<ClaveToma> claves = {clave(0, FIJO, FIJO, Movimiento::Fijo)};
        bool libre = true;  // the last key's points may still take any reference
        while (indice(claves.back()) + 1 < n()) {
            const size_t i = indice(claves.back());
            Candidato c = siguiente(claves, libre, true);
            c.conPrevio = true;
            if (!c.valido) {
                c = siguiente(claves, libre, false);
                c.conPrevio = false;
            }
            if (c.valido && c.movimiento != Movimiento::Fijo) {
                // The same move, with the references that suit what follows its end (and its
                // start, after a cut).
                std::array<Par, 2> pistas;
                bool otras = false;
                for (Parte parte : {OJO, CENTRO}) {
                    pistas[parte] = {libre ? referenciaTras(parte, i) : SIN_PISTA, referenciaTras(parte, c.hasta)};
                    otras = otras || pistas[parte].hasta != c.refs[parte].hasta ||
                            (libre && pistas[parte].desde != c.refs[parte].desde);
                }
                Candidato otro;
                if (otras && valido(claves, libre, c.movimiento, c.hasta, c.conPrevio, otro, pistas)) {
                    otro.valido = true;
                    otro.movimiento = c.movimiento;
                    otro.hasta = c.hasta;
                    otro.conPrevio = c.conPrevio;
                    c = otro;
                }
            }
            if (!c.valido) {  // not even the next frame: a held key, mended below
                c.movimiento = Movimiento::Fijo;
                c.hasta = i + 1;
                c.refs = {Par{refDe(claves.back().ojo), FIJO}, Par{refDe(claves.back().centro), FIJO}};
                c.fantasma = 0;
            }
            ClaveToma& ultima = claves.back();
            if (refDe(ultima.ojo) != c.refs[OJO].desde)
                ultima.ojo = punto(c.refs[OJO].desde, i, OJO);
            if (refDe(ultima.centro) != c.refs[CENTRO].desde)
                ultima.centro = punto(c.refs[CENTRO].desde, i, CENTRO);
            ultima.movimiento = c.movimiento;
            if (c.hasta >= n())  // held to the end
                break;
            claves.push_back(clave(c.hasta, c.refs[OJO].hasta, c.refs[CENTRO].hasta, Movimiento::Suave));
            libre = c.movimiento == Movimiento::Fijo;
            fijada_ = c.movimiento == Movimiento::Suave && !c.fantasmaLineal ? c.fantasma : 0;
        }
        claves.back().movimiento = Movimiento::Fijo;
        return claves;
    }

    // The pose indices from the first to the last frame whose centre the compiler takes
    // from key s's, found by moving it: the keys from two before it to two after,
    // evaluated over their frames as they are and with key s's centre a unit away.
    std::pair<size_t, size_t> dondeCuenta(const std::vector<ClaveToma>& claves, size_t s)
    {
        const size_t primera = s >= 2 ? s - 2 : 0, ultima = std::min(claves.size() - 1, s + 2);
        const std::vector<ClaveToma> local(claves.begin() + static_cast<long>(primera),
                                           claves.begin() + static_cast<long>(ultima) + 1);
        std::vector<ClaveToma> movida = local;
        movida[s - primera].centro.xyz[0] += 1;
        const std::vector<size_t> actores = actoresDe(local);
        const size_t hasta = ultima + 1 < claves.size() ? indice(claves[ultima + 1]) - 1 : n() - 1;
        size_t desde = indice(claves[s]), fin = desde;
        for (size_t k = indice(local.front()); k <= hasta; k++) {
            const PoseDoble a = evaluar(local, actores, k), b = evaluar(movida, actores, k);
            if (a[3] != b[3]) {
                desde = std::min(desde, k);
                fin = std::max(fin, k);
            }
        }
        return {desde, fin};
    }

    // A fixed centre that lies on a thing standing still wherever the key counts is
    // given the thing's name.
    void nombrarCentrosQuietos(std::vector<ClaveToma>& claves)
    {
        const double margen = o_.tolerancia * PARTE_REDONDEO;
        for (size_t s = 0; s < claves.size(); s++) {
            if (claves[s].centro.conActor)
                continue;
            const size_t k = indice(claves[s]);
            for (Actor a : ORDEN_ACTORES) {
                const size_t i = static_cast<size_t>(a);
                const PuntoMundo& p = recorridos_.en(i, k);
                PuntoToma& centro = claves[s].centro;
                if (std::fabs(double(p.x) - centro.xyz[0]) > margen ||
                    std::fabs(double(p.y) - centro.xyz[1]) > margen || std::fabs(double(p.z) - centro.xyz[2]) > margen)
                    continue;
                const auto [desde, hasta] = dondeCuenta(claves, s);
                if (recorridos_.quieto(i, desde, hasta)) {
                    centro.conActor = true;
                    centro.actor = a;
                    centro.xyz = {};
                }
                break;
            }
        }
    }

    // ---- Checking the whole set, and mending it ----------------------------------------

    // The keys evaluated at every frame as the compiler does: the largest deviations, and
    // for each key whose stretch fails, the frame that fails worst.
    ClavesDeCamino medir(const std::vector<ClaveToma>& claves, std::vector<std::pair<size_t, size_t>>& fallos)
    {
        ClavesDeCamino r;
        const std::vector<size_t> actores = actoresDe(claves);
        for (size_t s = 0; s < claves.size(); s++) {
            const size_t desde = indice(claves[s]);
            const size_t hasta = s + 1 < claves.size() ? indice(claves[s + 1]) : n();
            double peor = 0;  // the worst share of its tolerance
            size_t dondePeor = SIN_FALLO;
            for (size_t k = desde; k < hasta; k++) {
                const std::array<float, 9> f = enFloat(evaluar(claves, actores, k));
                const double ojo = distancia(f, poses_[k], 0), centro = distancia(f, poses_[k], 3);
                const double arriba = angulo(f, poses_[k]);
                TipoHallazgo tipo;
                const bool ciego = problemaDePose(f, tipo) && gravedadDe(tipo) == Gravedad::Error;
                if (std::max(ojo, centro) > r.desviacion || r.fotogramaDesviacion < 0) {
                    r.desviacion = std::max(ojo, centro);
                    r.fotogramaDesviacion = fotograma(k);
                }
                if (arriba > r.desviacionArribaGrados || r.fotogramaDesviacionArriba < 0) {
                    r.desviacionArribaGrados = arriba;
                    r.fotogramaDesviacionArriba = fotograma(k);
                }
                const bool falla = ciego || !(ojo <= o_.tolerancia) || !(centro <= o_.tolerancia) ||
                                   !(arriba <= o_.toleranciaArribaGrados);
                if (!falla)
                    continue;
                double cuanto = std::max({ojo / o_.tolerancia, centro / o_.tolerancia,
                                          arriba / o_.toleranciaArribaGrados});
                if (ciego || !std::isfinite(cuanto))
                    cuanto = HUGE_VAL;
                if (dondePeor == SIN_FALLO || cuanto > peor) {
                    peor = cuanto;
                    dondePeor = k;
                }
            }
            if (dondePeor != SIN_FALLO)
                fallos.push_back({s, dondePeor});
        }
        return r;
    }

    // A key at the worst frame of each stretch that fails; where that is the key's own
    // frame, the key made exact (fixed points, unrounded: the compiler gives the path's
    // own pose there). False when nothing changed (only a pose that is not sound fails
    // at an exact key).
    bool enmendar(std::vector<ClaveToma>& claves, const std::vector<std::pair<size_t, size_t>>& fallos) const
    {
        std::vector<ClaveToma> nuevas;
        bool cambio = false;
        size_t f = 0;
        for (size_t s = 0; s < claves.size(); s++) {
            if (f < fallos.size() && fallos[f].first == s) {
                const size_t k = fallos[f++].second;
                const ClaveToma& c = claves[s];
                if (k == indice(c)) {
                    const ClaveToma exacta = clave(k, FIJO, FIJO, c.movimiento, true);
                    cambio = cambio || c.ojo.conActor || c.centro.conActor || c.ojo.xyz != exacta.ojo.xyz ||
                             c.centro.xyz != exacta.centro.xyz || c.arriba != exacta.arriba;
                    nuevas.push_back(exacta);
                } else {
                    cambio = true;
                    nuevas.push_back(c);
                    nuevas.push_back(clave(k, refDe(c.ojo), refDe(c.centro), c.movimiento));
                }
            } else {
                nuevas.push_back(claves[s]);
            }
        }
        claves = std::move(nuevas);
        return cambio;
    }
};

}  // namespace

ClavesDeCamino clavesDeCamino(const std::vector<std::array<float, 9>>& poses, int primero, const OpcionesClaves& o)
{
    if (poses.empty())
        return {};
    Reductor r(poses, primero, o);
    return r.reducir();
}
