// Each voice keeps its own oscillators, filters and seeded noise, so that what it
// plays depends on its recipe, its level and its seed alone.
#include "sound/voices.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double DOS_PI = 2.0 * PI_SONIDO;
// A glide covers 95 % of its way in its time: ln(0.05).
constexpr double LN_5_POR_CIENTO = -2.995732273553991;

long muestras(double segundos)
{
    return static_cast<long>(segundos * MUESTRAS_POR_SEGUNDO + 0.5);
}

double factorGlide(double segundos)
{
    return expo(LN_5_POR_CIENTO / (segundos * MUESTRAS_POR_SEGUNDO));
}

float mezclar(float a, float b, float u)
{
    return a + (b - a) * u;
}

}  // namespace

VozGolpe::VozGolpe(const ReceptaGolpe& r, float fundamental, float nivel, uint32_t semilla)
    : numModos_(0), ruido_(semilla), click_(r.click * nivel), caidaClick_(static_cast<float>(caidaPorMuestra(0.012)))
{
    double mayor = 0.05;
    for (int i = 0; i < r.numParciales; i++) {
        const Parcial& p = r.parciales[i];
        const double f = static_cast<double>(fundamental) * p.relacion;
        if (f >= 0.45 * MUESTRAS_POR_SEGUNDO)
            continue;
        modos_[numModos_++].golpear(f, static_cast<double>(nivel) * p.amplitud, p.caida);
        mayor = std::max(mayor, static_cast<double>(p.caida));
    }
    bandaClick_.ajustar(r.centroClick, 0.9);
    restantes_ = muestras(mayor);
}

bool VozGolpe::sonar(float* bus, int n)
{
    const int m = static_cast<int>(std::min<long>(n, restantes_));
    for (int k = 0; k < m; k++) {
        float v = 0.0f;
        for (int i = 0; i < numModos_; i++)
            v += modos_[i].paso();
        if (click_ > 1e-5f) {
            v += click_ * bandaClick_.paso(ruido_.siguiente());
            click_ *= caidaClick_;
        }
        bus[k] += v;
    }
    restantes_ -= m;
    return restantes_ > 0;
}

VozPorrazo::VozPorrazo(const ReceptaPorrazo& r, float nivel, uint32_t semilla)
    : glide_(factorGlide(r.barrido)),
      fFin_(r.fFin),
      paso_(static_cast<double>(r.fInicio) - r.fFin),
      amplitud_(nivel),
      caida_(caidaPorMuestra(r.caida)),
      ruido_(semilla),
      click_(r.click * nivel),
      total_(muestras(r.caida))
{
    altoClick_.ajustar(3000.0, 0.7);
}

bool VozPorrazo::sonar(float* bus, int n)
{
    const float caidaClick = static_cast<float>(caidaPorMuestra(0.005));
    const int m = static_cast<int>(std::min<long>(n, total_ - hecho_));
    for (int k = 0; k < m; k++) {
        fase_ += (fFin_ + paso_) / MUESTRAS_POR_SEGUNDO;
        if (fase_ >= 1.0)
            fase_ -= 1.0;
        paso_ *= glide_;
        float v = static_cast<float>(amplitud_ * seno(DOS_PI * fase_));
        amplitud_ *= caida_;
        if (click_ > 1e-5f) {
            altoClick_.paso(ruido_.siguiente());
            v += click_ * altoClick_.alto();
            click_ *= caidaClick;
        }
        bus[k] += v;
    }
    hecho_ += m;
    return hecho_ < total_;
}

VozSoplo::VozSoplo(const ReceptaSoplo& r, float nivel, uint32_t semilla)
    : ruido_(semilla),
      centro_(r.centroInicio),
      centroFin_(r.centroFin),
      glide_(factorGlide(r.barrido)),
      q_(r.q),
      nivel_(nivel),
      subida_(r.ataque > 0 ? 1.0f / (r.ataque * MUESTRAS_POR_SEGUNDO) : 1.0f),
      caida_(static_cast<float>(caidaPorMuestra(r.caida))),
      ataque_(muestras(r.ataque)),
      total_(muestras(r.ataque + r.caida))
{
}

bool VozSoplo::sonar(float* bus, int n)
{
    constexpr int BLOQUE = 32;
    const double glideBloque = [&] {
        double g = 1.0;
        for (int i = 0; i < BLOQUE; i++)
            g *= glide_;
        return g;
    }();
    const int m = static_cast<int>(std::min<long>(n, total_ - hecho_));
    for (int k = 0; k < m; k += BLOQUE) {
        const double centro = centro_;
        const bool paso = q_ <= 0.0;
        banda_.ajustar(centro, paso ? 0.707 : q_);
        banda2_.ajustar(centro, paso ? 0.707 : q_);
        const float norma = paso ? 1.0f : compensarBanda(centro, q_);
        centro_ = centroFin_ + (centro_ - centroFin_) * glideBloque;
        for (int j = k; j < std::min(m, k + BLOQUE); j++, hecho_++) {
            if (hecho_ < ataque_)
                envolvente_ = std::min(1.0f, envolvente_ + subida_);
            else
                envolvente_ *= caida_;
            float v;
            if (paso) {
                banda_.paso(ruido_.siguiente());
                banda2_.paso(banda_.bajo());
                v = banda2_.bajo();
            } else {
                v = norma * banda2_.paso(banda_.paso(ruido_.siguiente()));
            }
            bus[j] += nivel_ * envolvente_ * v;
        }
    }
    return hecho_ < total_;
}

VozTono::VozTono(const ReceptaTono& r, float nivel)
    : notas_(r.notas),
      nivel_(nivel),
      vibrato_(r.vibrato),
      caida_(caidaPorMuestra(r.caida)),
      ataque_(muestras(r.ataque)),
      sostenido_(muestras(r.ataque + r.duracion)),
      total_(muestras(r.ataque + r.duracion + r.caida))
{
    filtro1_.ajustar(r.notas[0] * r.brillo);
    filtro2_.ajustar(r.notas[0] * r.brillo);
}

bool VozTono::sonar(float* bus, int n)
{
    const int m = static_cast<int>(std::min<long>(n, total_ - hecho_));
    const float subida = ataque_ > 0 ? 1.0f / ataque_ : 1.0f;
    for (int k = 0; k < m; k++, hecho_++) {
        if (hecho_ < ataque_)
            envolvente_ = std::min(1.0f, envolvente_ + subida);
        else if (hecho_ >= sostenido_)
            envolvente_ *= static_cast<float>(caida_);
        fase6_ += 6.0 / MUESTRAS_POR_SEGUNDO;
        const double tiron = 1.0 + vibrato_ * seno(DOS_PI * fase6_);
        float v = 0.0f;
        for (int i = 0; i < 3; i++)
            if (notas_[i] > 0)
                v += dientes_[i].paso(notas_[i] * tiron);
        bus[k] += nivel_ * envolvente_ * filtro2_.paso(filtro1_.paso(v));
    }
    return hecho_ < total_;
}

void Maquina::fijar(const Timbre& t)
{
    if (t.nivel == 0) {
        destino_ = actual_;
        destino_.nivel = 0;
        return;
    }
    destino_ = t;
    if (actual_.nivel == 0) {
        actual_ = t;
        actual_.nivel = 0;
    }
}

void Maquina::sonar(float* bus, int n)
{
    if (callada())
        return;
    constexpr int BLOQUE = 64;
    for (int k = 0; k < n; k += BLOQUE) {
        const int m = std::min(BLOQUE, n - k);
        sonarTramo(bus + k, m, actual_, destino_, static_cast<float>(k) / n, static_cast<float>(k + m) / n);
    }
    actual_ = destino_;
}

// A stretch of the frame from u0 to u1 (0 its start, 1 its end): the levels
// glide from a's to b's sample by sample, the pitches and bands stretch by stretch.
void Maquina::sonarTramo(float* bus, int n, const Timbre& a, const Timbre& b, float u0, float u1)
{
    const float uMedio = 0.5f * (u0 + u1);
    const float f0 = mezclar(a.f0, b.f0, uMedio);
    const bool conDiente = a.diente > 0 || b.diente > 0;
    const bool conSeno = a.senoidal > 0 || b.senoidal > 0;
    const bool conRuido = a.ruido > 0 || b.ruido > 0;
    const bool conPulso = b.pulso > 0;
    if (conDiente) {
        filtro1_.ajustar(f0 * mezclar(a.brillo, b.brillo, uMedio));
        filtro2_.ajustar(f0 * mezclar(a.brillo, b.brillo, uMedio));
    }
    float norma = 1.0f;
    if (conRuido) {
        const float centro = mezclar(a.centro, b.centro, uMedio);
        const float q = mezclar(a.q, b.q, uMedio);
        banda_.ajustar(centro, q);
        banda2_.ajustar(centro, q);
        norma = compensarBanda(centro, q);
    }
    const double pasoSeno = f0 * mezclar(a.armonico, b.armonico, uMedio) / MUESTRAS_POR_SEGUNDO;
    const double pasoPulso = static_cast<double>(b.pulso) / MUESTRAS_POR_SEGUNDO;
    const float hondura = b.hondura;
    for (int k = 0; k < n; k++) {
        const float u = u0 + (u1 - u0) * (k + 0.5f) / n;
        float v = 0.0f;
        if (conDiente)
            v += mezclar(a.diente, b.diente, u) * filtro2_.paso(filtro1_.paso(diente_.paso(f0)));
        if (conSeno) {
            faseSeno_ += pasoSeno;
            faseSeno_ -= std::floor(faseSeno_);
            v += mezclar(a.senoidal, b.senoidal, u) * static_cast<float>(seno(DOS_PI * faseSeno_));
        }
        if (conRuido)
            v += mezclar(a.ruido, b.ruido, u) * norma * banda2_.paso(banda_.paso(ruido_.siguiente()));
        if (conPulso) {
            fasePulso_ += pasoPulso;
            fasePulso_ -= std::floor(fasePulso_);
            const float t = 1.0f - std::fabs(2.0f * static_cast<float>(fasePulso_) - 1.0f);
            v *= (1.0f - hondura) + hondura * 4.0f * t * t * t;
        }
        bus[k] += mezclar(a.nivel, b.nivel, u) * v;
    }
}
