// The sound scene: the voices that the story's changes start and the machines
// that run with it, each at an actor's place, mixed frame by frame into stereo
// through the frame's camera. Each sound belongs to a family, so that one family
// can be heard alone.
#pragma once

#include "sound/observation.h"
#include "sound/spatial.h"
#include "sound/voices.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

constexpr int MUESTRAS_POR_FOTOGRAMA = MUESTRAS_POR_SEGUNDO / 40;  // a frame lasts 25 ms

enum class Familia {
    Alas,          // the toaster's wings
    Caidas,        // whistles of things falling
    Aterrizaje,    // the toaster on the head
    Sofa,          // the sofa turning
    Personaje,     // the leg's swing, the mouth
    Tostadas,      // the toast popping up and dropping
    Balon,         // the ball: appearing, kicked, bouncing, into the train
    PuertasTren,   // the train's doors
    Tren,          // the train running: joints, traction, horn, brakes
    Campana,       // the crossing's bells
    Barrera,       // the crossing's barriers
    Motor,         // the car's engine
    PuertasCoche,  // the car's doors
    Ruedas,        // the car's wheels tilting
    Rotores,       // the car's wheels spinning as rotors
    Vuelo,         // the air of the flight, the jolt at lift-off
    Choque,        // the car's crash by the towers
    Grua,          // the crane's engine
    Hidraulica,    // the crane's jacks and bed
    Brazo,         // the crane's arm and grip
    Carga,         // the car on the crane: caught, set down, sliding
};
constexpr int NUM_FAMILIAS = 21;
constexpr uint32_t TODAS_LAS_FAMILIAS = (1u << NUM_FAMILIAS) - 1;
constexpr uint32_t familia(Familia f)
{
    return 1u << static_cast<int>(f);
}
// The family's name, for people ("bells").
const char* nombreFamilia(Familia f);

// The machines that run all film long.
enum class IdMaquina {
    SilbidoTostadora, CrujidoSofa, MarchaTren, PuertasTren, MotorBarrera,
    MotorCoche, Rotores, Viento, SilbidoCoche, BisagrasCoche, ServoRuedas,
    Arrastre, MotorGrua, HidraulicaGrua, ServoBrazo,
};
constexpr int NUM_MAQUINAS = 15;

class Mezclador {
public:
    explicit Mezclador(uint32_t familias = TODAS_LAS_FAMILIAS);

    // One-off sounds, starting retraso samples into the frame being heard (a
    // frame's length or more starts them in a later frame).
    void golpe(Actor a, Familia f, const ReceptaGolpe& r, float fundamental, float nivel, int retraso = 0);
    void porrazo(Actor a, Familia f, const ReceptaPorrazo& r, float nivel, int retraso = 0);
    void soplo(Actor a, Familia f, const ReceptaSoplo& r, float nivel, int retraso = 0);
    void tono(Actor a, Familia f, const ReceptaTono& r, float nivel, int retraso = 0);
    // A machine's timbre for the frame being heard.
    void maquina(IdMaquina id, const Timbre& t);

    // The frame's sound: MUESTRAS_POR_FOTOGRAMA stereo pairs, left then right,
    // heard through the frame's pose; the voices and machines move on a frame.
    void mezclar(const Instante& ahora, float* estereo);

private:
    struct Sonando {
        std::unique_ptr<Voz> voz;
        int actor;
        long retraso;
    };
    struct Oido {  // an actor as the camera hears it
        Escucha antes;
        bool oido = false;
        float filtrado = 0;  // the air's low-pass
        std::array<float, MUESTRAS_POR_FOTOGRAMA> bus{};
        bool suena = false;
    };
    uint32_t familias_;
    uint32_t contador_ = 0;  // voices started: each one's seed
    std::vector<Sonando> voces_;
    std::vector<Maquina> maquinas_;
    std::array<Oido, NUM_ACTORES> oidos_;

    void empezar(Actor a, Familia f, std::unique_ptr<Voz> v, int retraso);
    void sonarVoces();
    void sonarMaquinas();
    void colocar(const Instante& ahora, Oido& o, int actor, float* estereo);
};
