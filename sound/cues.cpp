// Each actor's sounds from its variables' changes: the toaster, the character,
// the ball, the train and the level crossing (the machines' are in
// cues_machines.cpp). Levels are the sounds'
// loudness at their actor's reference distance, before the mastering.
#include "sound/cues.h"

#include "app/scene_state.h"
#include "sound/cue_helpers.h"
#include "sound/recipes.h"

#include <algorithm>
#include <cmath>

namespace {

using namespace pistas;

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
    const PuntoMundo entra = menos(b.en(Actor::Balon), a.en(Actor::Balon));
    const PuntoMundo sale = menos(c.en(Actor::Balon), b.en(Actor::Balon));
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
