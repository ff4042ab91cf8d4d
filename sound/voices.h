// The sounds themselves, made from nothing but arithmetic: struck resonances
// (bells, rail joints, metal, springs), thumps (a swept sine with a click of
// noise), bursts of filtered noise (wings, hiss, a crash), held tones (a horn, a
// squeal) and the running machines (engines, motors, rotors, wind, whistles),
// whose pitch and level the story sets frame by frame. Every voice writes mono
// samples; where it is heard from is the mixer's business.
#pragma once

#include "sound/dsp.h"

#include <array>
#include <cstdint>

// A partial of a struck thing: its frequency as a multiple of the fundamental,
// its amplitude, and the seconds it takes to fall by 60 dB.
struct Parcial {
    float relacion, amplitud, caida;
};
constexpr int MAX_PARCIALES = 8;

// What a strike sounds like: its partials, and a click of band-passed noise.
struct ReceptaGolpe {
    const char* nombre;
    int numParciales;
    std::array<Parcial, MAX_PARCIALES> parciales;
    float click;        // the click's level
    float centroClick;  // and its band's centre, Hz
};
// A thump: a sine gliding from one frequency to another, and a click.
struct ReceptaPorrazo {
    const char* nombre;
    float fInicio, fFin;  // Hz
    float barrido;        // seconds the glide takes to cover 95 % of its way
    float caida;          // seconds to fall by 60 dB
    float click;          // the click's level
};
// A burst of noise through a band (or a low-pass) whose centre glides.
struct ReceptaSoplo {
    const char* nombre;
    float centroInicio, centroFin;  // Hz
    float barrido;                  // seconds to cover 95 % of the glide
    float q;                        // the band's Q; 0 makes it a low-pass
    float ataque, caida;            // seconds to rise, seconds to fall by 60 dB
};
// A held tone of up to three sawtooth notes, rounded by a low-pass.
struct ReceptaTono {
    const char* nombre;
    std::array<float, 3> notas;  // Hz; 0 for none
    float brillo;                // the low-pass at this multiple of the lowest note
    float ataque, duracion, caida;  // seconds: rise, hold, fall by 60 dB
    float vibrato;               // depth of a 6 Hz wobble of the pitch, as a ratio
};

// A sound that starts, sounds and ends by itself.
class Voz {
public:
    virtual ~Voz() = default;
    // Adds its next n samples into bus; false once it is over.
    virtual bool sonar(float* bus, int n) = 0;
};

class VozGolpe final : public Voz {
public:
    VozGolpe(const ReceptaGolpe& r, float fundamental, float nivel, uint32_t semilla);
    bool sonar(float* bus, int n) override;

private:
    std::array<Modo, MAX_PARCIALES> modos_;
    int numModos_;
    FiltroVariable bandaClick_;
    Ruido ruido_;
    float click_, caidaClick_;
    long restantes_;
};

class VozPorrazo final : public Voz {
public:
    VozPorrazo(const ReceptaPorrazo& r, float nivel, uint32_t semilla);
    bool sonar(float* bus, int n) override;

private:
    double fase_ = 0, glide_, fFin_, paso_, amplitud_, caida_;
    FiltroVariable altoClick_;
    Ruido ruido_;
    float click_;
    long hecho_ = 0, total_;
};

class VozSoplo final : public Voz {
public:
    VozSoplo(const ReceptaSoplo& r, float nivel, uint32_t semilla);
    bool sonar(float* bus, int n) override;

private:
    FiltroVariable banda_, banda2_;  // twice, for steeper sides
    Ruido ruido_;
    double centro_, centroFin_, glide_, q_;
    float nivel_, subida_, caida_, envolvente_ = 0;
    long hecho_ = 0, ataque_, total_;
};

class VozTono final : public Voz {
public:
    VozTono(const ReceptaTono& r, float nivel);
    bool sonar(float* bus, int n) override;

private:
    std::array<Diente, 3> dientes_;
    std::array<float, 3> notas_;
    PasoBajo filtro1_, filtro2_;
    double fase6_ = 0;
    float nivel_, vibrato_, envolvente_ = 0;
    double caida_;
    long hecho_ = 0, ataque_, sostenido_, total_;
};

// What a running machine sounds like at one frame; the machine glides from one
// frame's timbre to the next across the frame's samples.
struct Timbre {
    float nivel = 0;      // overall level; 0 silences the machine
    float f0 = 50;        // its tone's pitch, Hz
    float diente = 0;     // level of a sawtooth at f0, low-passed at brillo x f0
    float brillo = 4;
    float senoidal = 0;   // level of a pure sine at f0 x armonico
    float armonico = 1;
    float ruido = 0;      // level of noise in a band
    float centro = 1000;  // the band's centre, Hz, and its Q
    float q = 1;
    float pulso = 0;      // a chop of the whole sound: its rate, Hz (0: none)
    float hondura = 0;    // and its depth, 0 to 1
};

// A machine that runs all film long, silent while its level is 0.
class Maquina {
public:
    explicit Maquina(uint32_t semilla) : ruido_(semilla) {}
    // This frame's timbre, reached by the end of the frame's samples. A machine
    // that starts starts at its pitch; one that stops fades at its own.
    void fijar(const Timbre& t);
    bool callada() const { return actual_.nivel == 0 && destino_.nivel == 0; }
    // Adds the frame's n samples into bus.
    void sonar(float* bus, int n);

private:
    Timbre actual_, destino_;
    Diente diente_;
    PasoBajo filtro1_, filtro2_;
    FiltroVariable banda_, banda2_;
    Ruido ruido_;
    double faseSeno_ = 0, fasePulso_ = 0;
    void sonarTramo(float* bus, int n, const Timbre& a, const Timbre& b, float desde, float hasta);
};
