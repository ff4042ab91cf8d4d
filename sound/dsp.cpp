// Polynomials after an exact range reduction: floor and a power-of-two scaling
// are exact, and the rest is additions, multiplications, divisions and square
// roots, which IEEE rounds correctly, so every IEEE machine (x86-64 natively,
// WebAssembly in a browser) gives the same bits.
#include "sound/dsp.h"

#include <cmath>
#include <initializer_list>

namespace {

constexpr double DOS_PI = 2.0 * PI_SONIDO;
constexpr double MEDIO_PI = 0.5 * PI_SONIDO;
constexpr double LOG2_E = 1.4426950408889634074;
constexpr double LN2_ALTO = 6.93147180369123816490e-01;  // ln 2 in two parts: the
constexpr double LN2_BAJO = 1.90821492927058770002e-10;  // first times n is exact

// sin(r) for |r| <= pi/2: Taylor's series to the 15th power.
double senoReducido(double r)
{
    const double r2 = r * r;
    double p = -1.0 / 1307674368000.0;
    p = p * r2 + 1.0 / 6227020800.0;
    p = p * r2 - 1.0 / 39916800.0;
    p = p * r2 + 1.0 / 362880.0;
    p = p * r2 - 1.0 / 5040.0;
    p = p * r2 + 1.0 / 120.0;
    p = p * r2 - 1.0 / 6.0;
    return r + r * r2 * p;
}

}  // namespace

double seno(double x)
{
    double r = x - DOS_PI * std::floor(x / DOS_PI + 0.5);
    if (r > MEDIO_PI)
        r = PI_SONIDO - r;
    else if (r < -MEDIO_PI)
        r = -PI_SONIDO - r;
    return senoReducido(r);
}

double coseno(double x)
{
    return seno(x + MEDIO_PI);
}

double expo(double x)
{
    if (x < -700.0)
        return 0.0;
    if (x > 700.0)
        x = 700.0;
    const double n = std::floor(x * LOG2_E + 0.5);
    const double r = (x - n * LN2_ALTO) - n * LN2_BAJO;  // |r| <= 0.35
    // e^r = 1 + r (1 + r/2 (1 + r/3 (... (1 + r/13)))), Taylor's series inside out.
    double p = 1.0;
    for (double k = 13.0; k >= 1.0; k -= 1.0)
        p = 1.0 + p * r / k;
    return std::ldexp(p, static_cast<int>(n));
}

double decibelios(double db)
{
    return expo(db * (2.302585092994045684 / 20.0));
}

double caidaPorMuestra(double segundos)
{
    // 60 dB is a factor of 1000: ln(1000) = 6.9078.
    return expo(-6.907755278982137 / (segundos * MUESTRAS_POR_SEGUNDO));
}

uint32_t semilla(uint32_t a, uint32_t b, uint32_t c)
{
    uint32_t h = 0x811C9DC5u;
    for (uint32_t v : {a, b, c}) {
        h ^= v;
        h *= 0x01000193u;
        h ^= h >> 15;
        h *= 0x2C1B3C6Du;
        h ^= h >> 12;
    }
    return h;
}

void FiltroVariable::ajustar(double centro, double q)
{
    const double tope = 0.45 * MUESTRAS_POR_SEGUNDO;
    const double w = PI_SONIDO * (centro < tope ? centro : tope) / MUESTRAS_POR_SEGUNDO;
    const double g = seno(w) / coseno(w);
    const double k = 1.0 / q;
    g_ = static_cast<float>(g);
    k_ = static_cast<float>(k);
    a1_ = static_cast<float>(1.0 / (1.0 + g * (g + k)));
}

float FiltroVariable::paso(float x)
{
    const float a2 = g_ * a1_;
    const float a3 = g_ * a2;
    const float v3 = x - ic2_;
    const float v1 = a1_ * ic1_ + a2 * v3;
    const float v2 = ic2_ + a2 * ic1_ + a3 * v3;
    ic1_ = 2.0f * v1 - ic1_;
    ic2_ = 2.0f * v2 - ic2_;
    bajo_ = v2;
    alto_ = x - k_ * v1 - v2;
    return k_ * v1;
}

float compensarBanda(double centro, double q)
{
    // The band is about centre / Q wide; white noise spreads over half the rate.
    const double ancho = 1.5708 * centro / q;
    const double r = 0.5 * MUESTRAS_POR_SEGUNDO / ancho;
    return static_cast<float>(r >= 64.0 ? 8.0 : std::sqrt(r));
}

void PasoBajo::ajustar(double corte)
{
    a_ = static_cast<float>(1.0 - expo(-DOS_PI * corte / MUESTRAS_POR_SEGUNDO));
}

void Modo::golpear(double frecuencia, double amplitud, double decaimiento)
{
    const double w = DOS_PI * frecuencia / MUESTRAS_POR_SEGUNDO;
    const double r = caidaPorMuestra(decaimiento);
    a1_ = static_cast<float>(2.0 * r * coseno(w));
    a2_ = static_cast<float>(r * r);
    y1_ = static_cast<float>(amplitud * r * seno(w));
    y2_ = 0.0f;
}

float Diente::paso(double frecuencia)
{
    const double dt = frecuencia / MUESTRAS_POR_SEGUNDO;
    fase_ += dt;
    if (fase_ >= 1.0)
        fase_ -= 1.0;
    double v = 2.0 * fase_ - 1.0;
    // The jump at the wrap, rounded off over one sample either side.
    if (fase_ < dt) {
        const double x = fase_ / dt;
        v -= x + x - x * x - 1.0;
    } else if (fase_ > 1.0 - dt) {
        const double x = (fase_ - 1.0) / dt;
        v -= x * x + x + x + 1.0;
    }
    return static_cast<float>(v);
}
