// The machines' sounds from their variables' changes: the car's engine, its
// flight and fall, the crane's motors, rams, arm and load. Levels are the
// sounds' loudness at their actor's reference distance, before the mastering.
#include "sound/cues.h"

#include "app/scene_state.h"
#include "sound/cue_helpers.h"
#include "sound/recipes.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace pistas;

// The crane arm's servos, a pitch per joint (slew, shoulder, elbow, wrist, twist, grip), Hz.
constexpr int NUM_ARTICULACIONES = 6;
constexpr std::array<float, NUM_ARTICULACIONES> TONO_ARTICULACION = {
    240.0f, 275.0f, 310.0f, 350.0f, 395.0f, 470.0f,
};

// The crane's rams, a pitch each (the jacks' swing, their feet, the lift, the bed), Hz.
constexpr int NUM_PISTONES = 4;
constexpr std::array<float, NUM_PISTONES> TONO_PISTON = {
    150.0f, 210.0f, 210.0f, 180.0f,
};

}  // namespace

void Oyente::oirCoche(const Instante& a, const Instante& b, const Instante& c, Mezclador& m)
{
    // The engine starts with the car's first move and runs until it falls; its
    // pitch follows the car's speed, with the engine's inertia.
    const float rapidez = largo(menos(b.en(Actor::Coche), a.en(Actor::Coche)));
    const bool salto = rapidez > SALTO;
    if (b.estado_coche == 0 && rapidez > 0 && !salto)
        motorEncendido_ = true;
    if (b.estado_coche != 0)
        motorEncendido_ = false;
    if (!salto)
        regimen_ += 0.25f * (std::min(rapidez, 3.2f) - regimen_);
    Timbre motor;
    if (motorEncendido_) {
        motor = MOTOR_COCHE;
        motor.nivel += 0.15f * hasta1(regimen_);
        motor.f0 += 36.0f * regimen_;
        motor.centro = 3.0f * motor.f0;
    }
    m.maquina(IdMaquina::MotorCoche, motor);

    // The doors' hinges creak while they swing, and the doors bump as they stop.
    const Marcha puertas = puertasCoche_.seguir(static_cast<float>(a.movpuertacoche),
                                                static_cast<float>(b.movpuertacoche),
                                                static_cast<float>(c.movpuertacoche));
    m.maquina(IdMaquina::BisagrasCoche, puertas.moviendo() ? BISAGRAS : Timbre{});
    if (puertas.para())
        m.porrazo(Actor::Coche, Familia::PuertasCoche, PUERTA, 0.45f);

    // The wheels' servo while they tilt, rising as they turn; a latch as they stop.
    const Marcha helice = helice_.seguir(static_cast<float>(a.angulo_helice), static_cast<float>(b.angulo_helice),
                                         static_cast<float>(c.angulo_helice));
    Timbre servo;
    if (helice.moviendo()) {
        servo = SERVO_RUEDAS;
        servo.f0 += 2.0f * std::fabs(static_cast<float>(b.angulo_helice));
    }
    m.maquina(IdMaquina::ServoRuedas, servo);
    if (helice.para())
        m.golpe(Actor::Coche, Familia::Ruedas, CLIC, 2000.0f, 0.4f);
}

void Oyente::oirVuelo(const Instante& a, const Instante& b, const Instante& c, Mezclador& m)
{
    // The rotors: a beat at the blades' passing rate (twelve blades a wheel).
    const Marcha giro = rueda_.seguir(static_cast<float>(a.angulo_rueda), static_cast<float>(b.angulo_rueda),
                                      static_cast<float>(c.angulo_rueda));
    giroRotor_ += 0.08f * (giro.entra - giroRotor_);  // degrees a frame
    Timbre rotor;
    if (giroRotor_ > 0.5f) {
        const float vueltas = giroRotor_ * 40.0f / 360.0f;  // a second
        rotor = ROTOR;
        rotor.nivel *= hasta1(giroRotor_ / 40.0f);
        rotor.centro += 6.0f * giroRotor_;
        rotor.pulso = 12.0f * vueltas;
        rotor.f0 = 12.0f * vueltas;
    }
    m.maquina(IdMaquina::Rotores, rotor);

    // The air rushing past in flight and in the fall; a whistle while it falls.
    const PuntoMundo entra = menos(b.en(Actor::Coche), a.en(Actor::Coche));
    const float rapidez = largo(entra);
    const bool salto = rapidez > SALTO;
    const bool enElAire = b.despega > 0 || b.estado_coche == 1;
    Timbre aire;
    if (enElAire && !salto && rapidez > 0) {
        const float r = hasta1(rapidez / 3.2f);
        aire = VIENTO;
        aire.nivel *= r * std::sqrt(r);
        aire.centro += 500.0f * rapidez;
    }
    m.maquina(IdMaquina::Viento, aire);
    Timbre silbido;
    if (b.estado_coche == 1 && !salto && entra.y < 0) {
        silbido = SILBIDO;
        silbido.f0 = 450.0f + 55.0f * b.en(Actor::Coche).y;
    }
    m.maquina(IdMaquina::SilbidoCoche, silbido);

    // A jolt where the car is thrown upward; a crash where the fall ends.
    if (!salto && entra.y - subidaCoche_ >= 1.5f) {
        m.porrazo(Actor::Coche, Familia::Vuelo, SACUDIDA, 0.6f);
        m.golpe(Actor::Coche, Familia::Vuelo, CHATARRA, 180.0f, 0.2f);
    }
    subidaCoche_ = salto ? 0.0f : entra.y;
    if (a.estado_coche == 1 && b.estado_coche == 2) {
        m.soplo(Actor::Coche, Familia::Choque, CHOQUE, 0.8f);
        m.golpe(Actor::Coche, Familia::Choque, CHATARRA, 110.0f, 0.6f);
        m.porrazo(Actor::Coche, Familia::Choque, GOLPE_SECO, 0.9f);
    }
}

void Oyente::oirCarga(const Instante& a, const Instante& b, const Instante& c, Mezclador& m)
{
    // The grip closes on the car; the car is set down on the bed.
    if (a.estado_coche != 3 && b.estado_coche == 3) {
        m.golpe(Actor::Coche, Familia::Carga, CHATARRA, 220.0f, 0.4f);
        m.golpe(Actor::Coche, Familia::Carga, CLIC, 1800.0f, 0.4f);
    }
    if (a.estado_coche != 4 && b.estado_coche == 4) {
        m.porrazo(Actor::Coche, Familia::Carga, GOLPE_SECO, 0.5f);
        m.golpe(Actor::Coche, Familia::Carga, CHATARRA, 120.0f, 0.35f);
    }
    // The car scrapes as it slides down the tipped bed.
    const Marcha desliza = arrastre_.seguir(a.mov_coche, b.mov_coche, c.mov_coche);
    const bool enLaCaja = a.estado_coche == 4 && b.estado_coche == 4;
    m.maquina(IdMaquina::Arrastre, enLaCaja && desliza.entra < 0 ? ARRASTRE : Timbre{});
}

void Oyente::oirGrua(const Instante& a, const Instante& b, const Instante& c, Mezclador& m)
{
    // The diesel starts as the crane is shown, and works harder as it drives,
    // props itself, tips its bed or moves its arm.
    if (b.grua_visible != 0 && a.grua_visible == 0)
        m.porrazo(Actor::Grua, Familia::Grua, SACUDIDA, 0.5f);
    const std::array<Marcha, 3> marcha = {
        marchaGrua_[0].seguir(a.mov_gruaX, b.mov_gruaX, c.mov_gruaX),
        marchaGrua_[1].seguir(a.mov_gruaZ, b.mov_gruaZ, c.mov_gruaZ),
        marchaGrua_[2].seguir(static_cast<float>(a.angulo_grua), static_cast<float>(b.angulo_grua),
                              static_cast<float>(c.angulo_grua)),
    };
    const std::array<Marcha, NUM_PISTONES> ram = {
        hidraulica_[0].seguir(static_cast<float>(a.angulo_gato), static_cast<float>(b.angulo_gato),
                              static_cast<float>(c.angulo_gato)),
        hidraulica_[1].seguir(a.movgato, b.movgato, c.movgato),
        hidraulica_[2].seguir(a.mov_gruaY, b.mov_gruaY, c.mov_gruaY),
        hidraulica_[3].seguir(a.pendiente_grua, b.pendiente_grua, c.pendiente_grua),
    };
    const bool conduce = marcha[0].moviendo() || marcha[1].moviendo() || marcha[2].moviendo();
    int piston = -1;  // the ram that moves: swing, feet, lift, bed
    for (int i = 3; i >= 0; i--)
        if (ram[i].moviendo())
            piston = i;
    const float carga = conduce ? 1.0f : (piston >= 0 ? 0.6f : 0.0f);
    cargaGrua_ += 0.1f * (carga - cargaGrua_);
    Timbre diesel;
    if (b.grua_visible != 0) {
        diesel = DIESEL;
        diesel.nivel += 0.2f * cargaGrua_;
        diesel.f0 += 14.0f * cargaGrua_;
        diesel.pulso = diesel.f0 / 2.0f;  // the firing of each cylinder pair
    }
    m.maquina(IdMaquina::MotorGrua, diesel);

    // The rams whine while they push, each at its pitch, and knock as they stop.
    Timbre hidraulica;
    if (piston >= 0) {
        hidraulica = HIDRAULICA;
        hidraulica.f0 = TONO_PISTON[piston];
    }
    m.maquina(IdMaquina::HidraulicaGrua, hidraulica);
    for (const Marcha& r : ram)
        if (r.para())
            m.porrazo(Actor::Grua, Familia::Hidraulica, PUERTA, 0.4f);
}

void Oyente::oirBrazo(const Instante& a, const Instante& b, const Instante& c, Mezclador& m)
{
    // The arm's servos: one joint moves at a time, each at its pitch; a click as it stops.
    int moviendo = -1;
    for (int j = 0; j < NUM_ARTICULACIONES; j++) {
        const Marcha g = brazo_[j].seguir(static_cast<float>(a.angulo_brazo[j]), static_cast<float>(b.angulo_brazo[j]),
                                          static_cast<float>(c.angulo_brazo[j]));
        if (g.moviendo() && moviendo < 0)
            moviendo = j;
        if (g.para())
            m.golpe(Actor::Grua, Familia::Brazo, CLIC, 1500.0f, 0.35f);
    }
    Timbre servo;
    if (moviendo >= 0) {
        servo = SERVO_BRAZO;
        servo.f0 = TONO_ARTICULACION[moviendo];
    }
    m.maquina(IdMaquina::ServoBrazo, servo);
}
