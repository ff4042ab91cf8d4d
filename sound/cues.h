// What the story's changes sound like. From one frame's reading of the scene to
// the next, which sounds start (a lamp lights: a bell; an axle reaches a rail
// joint: a clack; the ball's flight turns upward: a kick or a bounce) and how the
// running machines sound (the car's speed sets its engine's pitch, the wheels'
// spin the rotors' beat). Nothing here names a frame of the story: every sound
// follows from a scene variable that changes, as the timeline changes it.
#pragma once

#include "sound/mixer.h"
#include "sound/observation.h"

#include <array>

// How a watched number moves at a frame: by how much it came from the frame
// before, and by how much it goes on to the frame after.
struct Marcha {
    float entra = 0, sale = 0;
    bool arranca = false;  // it moves, and did not move into the frame before
    bool moviendo() const { return entra != 0; }
    bool para() const { return entra != 0 && sale == 0; }  // it arrives where it stays
};

// Follows one number frame after frame. A change larger than salto is a jump
// (a thing set back in place), not a motion.
class Seguidor {
public:
    explicit Seguidor(float salto = 1e30f) : salto_(salto) {}
    Marcha seguir(float antes, float ahora, float despues);

private:
    float salto_, ultimo_ = 0;
};

// The listener: each frame, the readings of the frame before, of the frame, and
// of the one after (which shows where a motion stops or a flight turns).
class Oyente {
public:
    void oir(const Instante& antes, const Instante& ahora, const Instante& despues, Mezclador& m);

private:
    // The toaster
    int sentidoAlas_ = 0;
    Seguidor altura_, tostada_;
    // The character and the ball
    Seguidor sofa_, pierna_;
    // The train and the crossing
    Seguidor tren_, puertasTren_, barrera_;
    float velocidadTren_ = 0;
    // The car
    bool motorEncendido_ = false;
    float regimen_ = 0, giroRotor_ = 0, subidaCoche_ = 0;
    Seguidor puertasCoche_, helice_, rueda_, arrastre_{1.0f};
    // The crane (its jacks and arm set back to rest at once make no motion)
    std::array<Seguidor, 3> marchaGrua_;
    std::array<Seguidor, 4> hidraulica_{Seguidor(5.0f), Seguidor(0.05f), Seguidor(0.05f), Seguidor(5.0f)};
    std::array<Seguidor, 6> brazo_{Seguidor(5.0f), Seguidor(5.0f), Seguidor(5.0f),
                                   Seguidor(5.0f), Seguidor(5.0f), Seguidor(5.0f)};
    float cargaGrua_ = 0;

    void oirTostadora(const Instante& a, const Instante& b, const Instante& c, Mezclador& m);
    void oirPersonaje(const Instante& a, const Instante& b, const Instante& c, Mezclador& m);
    void oirBalon(const Instante& a, const Instante& b, const Instante& c, Mezclador& m);
    void oirTren(const Instante& a, const Instante& b, const Instante& c, Mezclador& m);
    void oirRuedasTren(const Instante& a, const Instante& b, Mezclador& m);
    void oirPasoANivel(const Instante& a, const Instante& b, const Instante& c, Mezclador& m);
    void oirCoche(const Instante& a, const Instante& b, const Instante& c, Mezclador& m);
    void oirVuelo(const Instante& a, const Instante& b, const Instante& c, Mezclador& m);
    void oirCarga(const Instante& a, const Instante& b, const Instante& c, Mezclador& m);
    void oirGrua(const Instante& a, const Instante& b, const Instante& c, Mezclador& m);
    void oirBrazo(const Instante& a, const Instante& b, const Instante& c, Mezclador& m);
};
