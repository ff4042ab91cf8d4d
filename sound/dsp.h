// The soundtrack's arithmetic, the same bits on every machine: a sine, an
// exponential and decibels of its own (additions, multiplications, divisions,
// square roots and floor only, which IEEE rounds alike everywhere; no other libm
// call), a seeded noise generator, and the oscillators and filters the voices
// are made of.
#pragma once

#include <cstdint>

constexpr int MUESTRAS_POR_SEGUNDO = 48000;
constexpr double PI_SONIDO = 3.14159265358979323846;

// sin(x), x in radians, to about 1e-12.
double seno(double x);
double coseno(double x);
// e^x, to about 1e-15 relative, for |x| < 700.
double expo(double x);
// The gain of a level in decibels: 10^(db / 20).
double decibelios(double db);
// The factor a sample that falls by 60 dB in segundos is multiplied by each sample.
double caidaPorMuestra(double segundos);

// A seeded white noise: xorshift32, evenly spread over [-1, 1).
class Ruido {
public:
    explicit Ruido(uint32_t semilla) : s_(semilla != 0 ? semilla : 0x9E3779B9u) {}
    float siguiente()
    {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return static_cast<float>(static_cast<int32_t>(s_)) * (1.0f / 2147483648.0f);
    }
    // A uniform number in [0, 1).
    float uniforme() { return 0.5f * siguiente() + 0.5f; }

private:
    uint32_t s_;
};
// A seed from a source's or an event's numbers: the same numbers, the same seed.
uint32_t semilla(uint32_t a, uint32_t b, uint32_t c = 0);

// A state-variable filter (trapezoidal, stable at any centre): low, band and
// high outputs of one input sample.
class FiltroVariable {
public:
    // Centre (Hz) and Q; cheap to call once a block, not every sample.
    void ajustar(double centro, double q);
    float paso(float x);  // the band-pass output, 1 at the centre
    float bajo() const { return bajo_; }
    float alto() const { return alto_; }

private:
    float g_ = 0, k_ = 1, a1_ = 1, ic1_ = 0, ic2_ = 0, bajo_ = 0, alto_ = 0;
};

// How much to raise white noise through a band of that centre and Q for it to
// carry about the power of the unfiltered noise (at most 8 times).
float compensarBanda(double centro, double q);

// A one-pole low-pass: y += a (x - y).
class PasoBajo {
public:
    void ajustar(double corte);
    float paso(float x) { return y_ += a_ * (x - y_); }

private:
    float a_ = 1, y_ = 0;
};

// A damped resonance struck once: a decaying sine of its own, two multiplications
// a sample (a partial of a bell, of a rail, of a spring).
class Modo {
public:
    void golpear(double frecuencia, double amplitud, double decaimiento);
    float paso()
    {
        const float y = a1_ * y1_ - a2_ * y2_;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    float a1_ = 0, a2_ = 0, y1_ = 0, y2_ = 0;
};

// A band-limited sawtooth (polyBLEP), phase in cycles.
class Diente {
public:
    float paso(double frecuencia);
    double fase() const { return fase_; }

private:
    double fase_ = 0;
};
