// Each actor's sounds from its variables' changes. Levels are the sounds'
// loudness at their actor's reference distance, before the mastering.
#include "sound/cues.h"

#include "app/scene_state.h"
#include "sound/recipes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int N = MUESTRAS_POR_FOTOGRAMA;

struct Vec {
    float x, y, z;
};

Vec menos(const PuntoMundo& a, const PuntoMundo& b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
float largo(const Vec& v)
{
    return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
}
int signo(float v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}
float hasta1(float v)
{
    return std::min(1.0f, std::max(0.0f, v));
}

// A thing that moves farther than this in a frame was put somewhere else.
constexpr float SALTO = 4.0f;

// The train's axles, along the train (train space z): two cars 19 apart, three
// bogies a car 6 apart, two axles a bogie, as the running gear draws them.
constexpr int NUM_EJES = 12;
constexpr std::array<float, NUM_EJES> EJES = {
     1.25f,  3.75f,  7.25f,  9.75f, 13.25f, 15.75f,
    20.25f, 22.75f, 26.25f, 28.75f, 32.25f, 34.75f,
};
// The rails' joints: every 12.5 along the track, which runs from 0 to 500.
constexpr float LARGO_CARRIL = 12.5f;
constexpr float LARGO_VIA = 500.0f;

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

Marcha Seguidor::seguir(float antes, float ahora, float despues)
{
    Marcha m;
    m.entra = std::fabs(ahora - antes) > salto_ ? 0.0f : ahora - antes;
    m.sale = std::fabs(despues - ahora) > salto_ ? 0.0f : despues - ahora;
    m.arranca = m.entra != 0 && ultimo_ == 0;
    ultimo_ = m.entra;
    return m;
}

void Oyente::oir(const Instante& a, const Instante& b, const Instante& c, Mezclador& m)
{
    oirTostadora(a, b, c, m);
    oirPersonaje(a, b, c, m);
    oirBalon(a, b, c, m);
    oirTren(a, b, c, m);
    oirPasoANivel(a, b, c, m);
    oirCoche(a, b, c, m);
    oirVuelo(a, b, c, m);
    oirCarga(a, b, c, m);
    oirGrua(a, b, c, m);
    oirBrazo(a, b, c, m);
}

void Oyente::oirTostadora(const Instante& a, const Instante& b, const Instante& c, Mezclador& m)
{
    // The wings: a stroke starts where the wing's angle turns round.
    const int giro = signo(static_cast<float>(angulo_alas[faseAlas(b.movalas)] - angulo_alas[faseAlas(a.movalas)]));
    if (giro != 0 && giro != sentidoAlas_)
        m.soplo(Actor::Tostadora, Familia::Alas, giro > 0 ? ALETEO : ALETEO_ARRIBA, giro > 0 ? 0.7f : 0.35f);
    if (giro != 0)
        sentidoAlas_ = giro;

    // The descent: a whistle that falls with the toaster; a knock where it lands.
    const Marcha altura = altura_.seguir(a.ytostadora, b.ytostadora, c.ytostadora);
    Timbre silbido;
    if (altura.entra < 0) {
        silbido = SILBIDO;
        silbido.f0 = 450.0f + 110.0f * b.ytostadora;
    }
    m.maquina(IdMaquina::SilbidoTostadora, silbido);
    if (altura.para() && altura.entra < 0) {
        m.golpe(Actor::Tostadora, Familia::Aterrizaje, CHAPA, 520.0f, 0.5f);
        m.porrazo(Actor::Tostadora, Familia::Aterrizaje, GOLPE_SECO, 0.4f);
    }

    // The toast: a spring as it pops up, a knock as it drops home.
    const Marcha tostada = tostada_.seguir(a.movtostada, b.movtostada, c.movtostada);
    if (tostada.arranca && tostada.entra > 0)
        m.golpe(Actor::Tostadora, Familia::Tostadas, RESORTE, 310.0f, 0.45f);
    if (tostada.para() && tostada.entra < 0)
        m.golpe(Actor::Tostadora, Familia::Tostadas, MADERA, 900.0f, 0.4f);
}

void Oyente::oirPersonaje(const Instante& a, const Instante& b, const Instante& c, Mezclador& m)
{
    // The sofa creaks while it turns, and bumps as it stops.
    const Marcha sofa = sofa_.seguir(a.movsofa, b.movsofa, c.movsofa);
    m.maquina(IdMaquina::CrujidoSofa, sofa.moviendo() ? CRUJIDO : Timbre{});
    if (sofa.para())
        m.porrazo(Actor::Personaje, Familia::Sofa, PUERTA, 0.3f);

    // The leg's swing as it starts, the mouth as it changes.
    const Marcha pierna = pierna_.seguir(static_cast<float>(a.movpierna), static_cast<float>(b.movpierna),
                                         static_cast<float>(c.movpierna));
    if (pierna.arranca)
        m.soplo(Actor::Personaje, Familia::Personaje, PIERNA, 0.5f);
    if (b.estado_boca != a.estado_boca)
        m.porrazo(Actor::Personaje, Familia::Personaje, BOCA, 0.35f);
}

void Oyente::oirBalon(const Instante& a, const Instante& b, const Instante& c, Mezclador& m)
{
    if (a.estado_balon == 2 && b.estado_balon == 0)
        m.soplo(Actor::Balon, Familia::Balon, APARECE, 0.3f);
    if (a.estado_balon == 0 && b.estado_balon == 1) {
        m.porrazo(Actor::Balon, Familia::Balon, BALON_TREN, 0.6f);
        m.golpe(Actor::Balon, Familia::Balon, CHAPA, 260.0f, 0.2f);
    }
    if (a.estado_balon != 0 || b.estado_balon != 0 || c.estado_balon != 0)
        return;
    // A kick, a header or a bounce: the flight turns upward here, by a push, not
    // by a jump of the drawing.
    const Vec entra = menos(b.en(Actor::Balon), a.en(Actor::Balon));
    const Vec sale = menos(c.en(Actor::Balon), b.en(Actor::Balon));
    if (largo(entra) > SALTO || largo(sale) > SALTO || entra.y > 0.05f || sale.y <= 0.05f)
        return;
    const float impulso = largo({sale.x - entra.x, sale.y - entra.y, sale.z - entra.z});
    if (impulso < 0.3f)
        return;
    if (largo(entra) == 0.0f)  // from rest: a kick
        m.porrazo(Actor::Balon, Familia::Balon, PATADA, 0.9f);
    else
        m.porrazo(Actor::Balon, Familia::Balon, BOTE, 0.7f * std::sqrt(hasta1(impulso / 1.6f)));
}

void Oyente::oirTren(const Instante& a, const Instante& b, const Instante& c, Mezclador& m)
{
    // A horn as it sets off, a squeal as it stops; traction and rolling meanwhile.
    const Marcha marcha = tren_.seguir(a.recorrido_tren, b.recorrido_tren, c.recorrido_tren);
    if (marcha.arranca)
        m.tono(Actor::Tren, Familia::Tren, BOCINA, 0.35f);
    if (marcha.para())
        m.tono(Actor::Tren, Familia::Tren, CHIRRIDO, 0.12f);
    velocidadTren_ += 0.3f * (marcha.entra - velocidadTren_);
    const float v = std::min(velocidadTren_, 2.0f);  // world units a frame
    Timbre traccion;
    if (v > 0.001f) {
        traccion = TRACCION;
        traccion.nivel += 0.35f * v / 2.0f;
        traccion.f0 += 60.0f * v;
        traccion.centro += 900.0f * v;
    }
    m.maquina(IdMaquina::MarchaTren, traccion);
    oirRuedasTren(a, b, m);

    // The doors: a chime as they start, the air while they move, a bump as they shut.
    const Marcha puertas = puertasTren_.seguir(static_cast<float>(a.movpuerta), static_cast<float>(b.movpuerta),
                                               static_cast<float>(c.movpuerta));
    if (puertas.arranca) {
        m.golpe(Actor::Tren, Familia::PuertasTren, CAMPANILLA, 659.3f, 0.3f);
        m.golpe(Actor::Tren, Familia::PuertasTren, CAMPANILLA, 523.3f, 0.3f, 14 * N);
    }
    m.maquina(IdMaquina::PuertasTren, puertas.moviendo() ? AIRE_PUERTAS : Timbre{});
    if (puertas.para())
        m.porrazo(Actor::Tren, Familia::PuertasTren, PUERTA, 0.5f);
}

// A clack where an axle reaches a rail joint, at the moment within the frame
// that the train's travel puts it.
void Oyente::oirRuedasTren(const Instante& a, const Instante& b, Mezclador& m)
{
    const float desde = a.recorrido_tren, hasta = b.recorrido_tren;
    if (hasta <= desde)
        return;
    const float fuerza = 0.25f + 0.35f * hasta1((hasta - desde) / 2.0f);
    for (int e = 0; e < NUM_EJES; e++) {
        const float z0 = desde + EJES[e], z1 = hasta + EJES[e];
        for (float junta = (std::floor(z0 / LARGO_CARRIL) + 1.0f) * LARGO_CARRIL;
             junta <= z1 && junta <= LARGO_VIA; junta += LARGO_CARRIL) {
            const int retraso = std::min(N - 1, static_cast<int>((junta - z0) / (z1 - z0) * N));
            m.golpe(Actor::Tren, Familia::Tren, CARRIL, 100.0f + 4.0f * (e % 3), fuerza, retraso);
        }
    }
}

void Oyente::oirPasoANivel(const Instante& a, const Instante& b, const Instante& c, Mezclador& m)
{
    // A bell each time a lamp lights; the two lamps ring a tone apart.
    if (b.semaforo != a.semaforo && b.semaforo != 0)
        m.golpe(Actor::PasoANivel, Familia::Campana, CAMPANA, b.semaforo == 1 ? 932.3f : 880.0f, 0.45f);

    // The barriers' motor while they swing, a clunk where they stop.
    const Marcha barrera = barrera_.seguir(static_cast<float>(a.angulo_barrera), static_cast<float>(b.angulo_barrera),
                                           static_cast<float>(c.angulo_barrera));
    Timbre motor;
    if (barrera.moviendo()) {
        motor = MOTOR_BARRERA;
        motor.f0 += barrera.entra > 0 ? 8.0f : 0.0f;  // lifting is a little quicker
    }
    m.maquina(IdMaquina::MotorBarrera, motor);
    if (barrera.para()) {
        m.porrazo(Actor::PasoANivel, Familia::Barrera, PUERTA, 0.5f);
        m.golpe(Actor::PasoANivel, Familia::Barrera, CHATARRA, 300.0f, 0.15f);
    }
}

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
    const Vec entra = menos(b.en(Actor::Coche), a.en(Actor::Coche));
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
