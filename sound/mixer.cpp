// Each actor has a mono bus for the frame; its voices and machines add into it,
// and it reaches the two channels through gains that glide, sample by sample,
// from the last frame's hearing to this one's, so that a camera's cut moves a
// sound across 25 ms instead of jumping (no click).
#include "sound/mixer.h"

#include "sound/dsp.h"

#include <algorithm>

namespace {

// How near each actor must be to sound at full level (world units), by Actor's order.
constexpr int NUM_REFERENCIAS = NUM_ACTORES;
constexpr std::array<float, NUM_REFERENCIAS> REFERENCIA = {
    4.0f,   // toaster
    8.0f,   // ball
    20.0f,  // train
    12.0f,  // car
    15.0f,  // crane
    6.0f,   // character
    10.0f,  // pitch
    10.0f,  // crossing
    10.0f,  // looping
    20.0f,  // island
    20.0f,  // bridge
    15.0f,  // station
};

struct DatosMaquina {
    Actor actor;
    Familia familia;
};
// Where each machine runs and what it belongs to, by IdMaquina's order.
constexpr std::array<DatosMaquina, NUM_MAQUINAS> MAQUINAS = {{
    {Actor::Tostadora, Familia::Caidas},        // the toaster's whistle
    {Actor::Personaje, Familia::Sofa},          // the sofa's creak
    {Actor::Tren,      Familia::Tren},          // traction and rolling
    {Actor::Tren,      Familia::PuertasTren},   // the doors' air
    {Actor::PasoANivel, Familia::Barrera},      // the barriers' motor
    {Actor::Coche,     Familia::Motor},         // the car's engine
    {Actor::Coche,     Familia::Rotores},       // the wheels as rotors
    {Actor::Coche,     Familia::Vuelo},         // the air of the flight
    {Actor::Coche,     Familia::Caidas},        // the car's whistle
    {Actor::Coche,     Familia::PuertasCoche},  // the doors' hinges
    {Actor::Coche,     Familia::Ruedas},        // the wheels' tilting servo
    {Actor::Coche,     Familia::Carga},         // the car sliding on the bed
    {Actor::Grua,      Familia::Grua},          // the crane's diesel
    {Actor::Grua,      Familia::Hidraulica},    // the jacks' and the bed's rams
    {Actor::Grua,      Familia::Brazo},         // the arm's servos
}};

constexpr std::array<const char*, NUM_FAMILIAS> NOMBRES_FAMILIAS = {
    "wings", "falls", "landing", "sofa", "character", "toast", "ball", "train doors",
    "train", "bells", "barriers", "engine", "car doors", "wheels tilting", "rotors",
    "flight", "crash", "crane engine", "hydraulics", "arm", "load",
};

}  // namespace

const char* nombreFamilia(Familia f)
{
    return NOMBRES_FAMILIAS[static_cast<int>(f)];
}

Mezclador::Mezclador(uint32_t familias) : familias_(familias)
{
    for (int i = 0; i < NUM_MAQUINAS; i++)
        maquinas_.emplace_back(semilla(0x6D617175u, static_cast<uint32_t>(i)));
}

void Mezclador::empezar(Actor a, Familia f, std::unique_ptr<Voz> v, int retraso)
{
    if ((familias_ & familia(f)) != 0)
        voces_.push_back({std::move(v), static_cast<int>(a), retraso});
}

void Mezclador::golpe(Actor a, Familia f, const ReceptaGolpe& r, float fundamental, float nivel, int retraso)
{
    empezar(a, f, std::make_unique<VozGolpe>(r, fundamental, nivel, semilla(1, ++contador_)), retraso);
}

void Mezclador::porrazo(Actor a, Familia f, const ReceptaPorrazo& r, float nivel, int retraso)
{
    empezar(a, f, std::make_unique<VozPorrazo>(r, nivel, semilla(2, ++contador_)), retraso);
}

void Mezclador::soplo(Actor a, Familia f, const ReceptaSoplo& r, float nivel, int retraso)
{
    empezar(a, f, std::make_unique<VozSoplo>(r, nivel, semilla(3, ++contador_)), retraso);
}

void Mezclador::tono(Actor a, Familia f, const ReceptaTono& r, float nivel, int retraso)
{
    ++contador_;
    empezar(a, f, std::make_unique<VozTono>(r, nivel), retraso);
}

void Mezclador::maquina(IdMaquina id, const Timbre& t)
{
    const int i = static_cast<int>(id);
    if ((familias_ & familia(MAQUINAS[i].familia)) != 0)
        maquinas_[i].fijar(t);
}

void Mezclador::sonarVoces()
{
    constexpr int N = MUESTRAS_POR_FOTOGRAMA;
    size_t quedan = 0;
    for (auto& s : voces_) {
        Oido& o = oidos_[s.actor];
        bool sigue = true;
        if (s.retraso >= N) {
            s.retraso -= N;
        } else {
            o.suena = true;
            sigue = s.voz->sonar(o.bus.data() + s.retraso, N - static_cast<int>(s.retraso));
            s.retraso = 0;
        }
        if (sigue)
            voces_[quedan++] = std::move(s);
    }
    voces_.resize(quedan);
}

void Mezclador::sonarMaquinas()
{
    for (int i = 0; i < NUM_MAQUINAS; i++) {
        Maquina& m = maquinas_[i];
        if (m.callada())
            continue;
        const int actor = static_cast<int>(MAQUINAS[i].actor);
        oidos_[actor].suena = true;
        m.sonar(oidos_[actor].bus.data(), MUESTRAS_POR_FOTOGRAMA);
    }
}

// An actor's bus into the two channels: the air's low-pass for the distance,
// then each channel's gain gliding from the last frame's to this one's.
void Mezclador::colocar(const Instante& ahora, Oido& o, int actor, float* estereo)
{
    const Escucha e = oirDesde(ahora.pose, ahora.lugar[actor], REFERENCIA[actor]);
    if (!o.oido)
        o.antes = e;
    o.oido = true;
    if (o.suena) {
        constexpr int N = MUESTRAS_POR_FOTOGRAMA;
        const float a = static_cast<float>(1.0 - expo(-2.0 * PI_SONIDO * e.corte / MUESTRAS_POR_SEGUNDO));
        for (int k = 0; k < N; k++) {
            const float u = (k + 1.0f) / N;
            o.filtrado += a * (o.bus[k] - o.filtrado);
            estereo[2 * k] += o.filtrado * (o.antes.izquierda + (e.izquierda - o.antes.izquierda) * u);
            estereo[2 * k + 1] += o.filtrado * (o.antes.derecha + (e.derecha - o.antes.derecha) * u);
        }
        o.bus.fill(0.0f);
        o.suena = false;
    }
    o.antes = e;
}

void Mezclador::mezclar(const Instante& ahora, float* estereo)
{
    std::fill(estereo, estereo + 2 * MUESTRAS_POR_FOTOGRAMA, 0.0f);
    sonarVoces();
    sonarMaquinas();
    for (int actor = 0; actor < NUM_ACTORES; actor++)
        colocar(ahora, oidos_[actor], actor, estereo);
}
