// Where the things of the story are: each actor's point carried through the same
// translations, turns and scalings as the composition and the models that draw
// it. The places the composition and the island give their models, the ball's
// free placement and the train's travel come from the drawing code's headers;
// the points aimed at inside each model and the steps that only the drawing code
// spells out (the car's placements, the crane's arm and bed) are repeated here.
#include "scene/actors.h"

#include "app/scene_state.h"
#include "models/landscape/skyscraper_island.h"
#include "models/railway_town/train.h"
#include "scene/colocacion.h"
#include "scene/composition.h"

#include <array>

namespace {

struct NombreActor {
    const char* nombre;
    Actor actor;
};

constexpr std::array<NombreActor, 12> NOMBRES = {{
    {"toaster", Actor::Tostadora},
    {"ball", Actor::Balon},
    {"train", Actor::Tren},
    {"car", Actor::Coche},
    {"crane", Actor::Grua},
    {"character", Actor::Personaje},
    {"pitch", Actor::Campo},
    {"crossing", Actor::PasoANivel},
    {"looping", Actor::Looping},
    {"island", Actor::Isla},
    {"bridge", Actor::Puente},
    {"station", Actor::Estacion},
}};

struct Punto {
    double x, y, z;
};

// The points aimed at in the space of the model that draws each one.
constexpr Punto CUERPO_TOSTADORA = {0.1, 0.075, 0.05};  // middle of the 0.2 x 0.15 x 0.1 body
constexpr Punto BALON_EN_TREN    = {0.0, 3.6, 22.0};    // on the second car's floor, in the aisle
constexpr Punto MITAD_TREN       = {0.0, 5.2, 18.0};    // nose to nose (z -2.451 to 38.451), floor to roof (3 to 7.4)
constexpr Punto CUERPO_COCHE     = {2.0, 0.75, -1.0};   // middle of the body, x 0 to 4, y 0 to 1.5, z -2 to 0
constexpr Punto CHASIS_GRUA      = {3.0, 0.25, 1.0};    // middle of the 6 x 0.5 x 2 chassis
constexpr Punto CABEZA           = {0.0, 1.22, 0.0};    // centre of the head, in the character's space
constexpr Punto CENTRO_CAMPO     = {0.0, 0.0, 25.0};    // the centre spot, halfway between the goal lines
constexpr Punto PASO_A_NIVEL     = {5.0, 0.6, 5.5};     // on the road (z 1 to 10, surface 0.6) at the track's centre
// Fixed places that place themselves in the world frame.
constexpr Punto CENTRO_LOOPING   = {53.06, 10.259, 411.75};  // its axis, halfway along the ribbon's z 401 to 422.5
constexpr Punto CUBIERTA_PUENTE  = {-0.5, 0.0, 210.0};       // the deck's top, 7 x 40 from (-4, 0, 190)
constexpr Punto ANDEN            = {5.3, 3.3, 19.55};        // the platform's top, x 2.8 to 7.8, z -0.5 to 39.6

PuntoMundo en(const Colocacion& c, const Punto& p)
{
    return c.punto(p.x, p.y, p.z);
}

// The world frame: the whole world turned by rota_escena quarter turns about y.
Colocacion mundo()
{
    Colocacion c;
    c.girar(90.0f * rota_escena, 0.0f, 1.0f, 0.0f);
    return c;
}

Colocacion enLugar(const Lugar& l)
{
    Colocacion c = mundo();
    c.trasladar(l.x, l.y, l.z);
    return c;
}

// The train's space as it travels along the line.
Colocacion espacioTren()
{
    Colocacion c = mundo();
    c.trasladar(0.0f, 0.0f, recorridoTren());
    return c;
}

// The crane's space, on the island where it drives and turns.
Colocacion espacioGrua()
{
    Colocacion c = enLugar(LUGAR_ISLA);
    c.trasladar(GRUA_ISLA_X, GRUA_ISLA_Y, GRUA_ISLA_Z)
        .trasladar(mov_gruaX, mov_gruaY, mov_gruaZ - EJE_GIRO_GRUA)
        .girar(static_cast<float>(angulo_grua), 0.0f, 1.0f, 0.0f)
        .trasladar(0.0f, 0.0f, EJE_GIRO_GRUA);
    return c;
}

// The car's space while it hangs from the grip: the arm on the chassis, its slew,
// shoulder, elbow and wrist down to the third link, then the car turned roof up
// to the grip at half size.
Colocacion cocheColgado()
{
    Colocacion c = espacioGrua();
    c.trasladar(1.8f, 0.5f, 1.0f)
        .girar(static_cast<float>(angulo_brazo[0]), 0.0f, 1.0f, 0.0f)
        .trasladar(0.0f, 0.35f, 0.0f)
        .girar(static_cast<float>(angulo_brazo[1]), 0.0f, 0.0f, 1.0f)
        .trasladar(0.0f, 0.0f, -0.15f)
        .trasladar(-0.15f, 0.3f, 0.0f)
        .trasladar(0.15f, 1.85f, 0.0f)
        .girar(static_cast<float>(angulo_brazo[2]), 0.0f, 0.0f, 1.0f)
        .trasladar(0.0f, 0.0f, 0.3f)
        .trasladar(-0.15f, 0.15f, 0.0f)
        .trasladar(0.15f, 1.85f, -0.6f)
        .girar(static_cast<float>(angulo_brazo[3]), 0.0f, 0.0f, 1.0f)
        .trasladar(0.0f, 0.0f, 0.3f)
        .trasladar(-0.15f, 0.15f, 0.0f)
        .girar(static_cast<float>(angulo_brazo[4]), 0.0f, 1.0f, 0.0f)
        .trasladar(0.0f, 1.2f, 0.0f)
        .girar(180.0f, 1.0f, 0.0f, 0.0f)
        .trasladar(-0.5f, -0.5f, 0.5f)
        .escalar(0.5f, 0.5f, 0.5f);
    return c;
}

// The car's space while it stands on the crane's bed, which tips about its hinge.
Colocacion cocheEnCaja()
{
    Colocacion c = espacioGrua();
    c.trasladar(6.0f, 0.5f, 1.0f)
        .girar(180.0f, 0.0f, 1.0f, 0.0f)
        .girar(pendiente_grua, 0.0f, 0.0f, 1.0f)
        .trasladar(0.0f, 0.0f, -1.25f)
        .trasladar(mov_coche + 0.75f, 0.4f, 1.75f)
        .escalar(0.5f, 0.5f, 0.5f);
    return c;
}

// The car's space by estado_coche: on the road, round the looping and in the air
// (0; also any state the composition does not know), falling (1), lying by the
// island (2), and held by the crane (3, 4).
Colocacion espacioCoche()
{
    Colocacion c = mundo();
    switch (estado_coche) {
    case 1:
        c.trasladar(cocheX + 1311.0f, 30.0f - 0.5f * mov_coche, cocheZ)
            .girar(180.0f, -1.0f, 1.0f, 0.0f)
            .escalar(0.5f, 0.5f, 0.5f);
        return c;
    case 2:
        c.trasladar(1309.5f, -6.0f, cocheZ)
            .girar(90.0f, 0.0f, 1.0f, 0.0f)
            .girar(-15.0f, 1.0f, 0.0f, 0.0f)
            .escalar(0.5f, 0.5f, 0.5f);
        return c;
    case 3:
        return cocheColgado();
    case 4:
        return cocheEnCaja();
    default:
        c.trasladar(mov_coche - 30.0f, despega + 10.259f, cocheZ)
            .girar(15.0f * angulo_coche, 0.0f, 0.0f, 1.0f)
            .trasladar(-1.5f, -9.109f, 0.5f * angulo_coche);
        return c;
    }
}

// The ball: in the train while it rides there, otherwise where the composition
// draws it free (also while it is hidden: where it will appear).
PuntoMundo posicionBalon()
{
    if (estado_balon == 1)
        return en(espacioTren(), BALON_EN_TREN);
    const Lugar b = lugarBalon();
    return mundo().punto(b.x, b.y, b.z);
}

PuntoMundo cabezaPersonaje()
{
    Colocacion c = enLugar(LUGAR_SOFA);
    c.girar(movsofa * 20.0f, 0.0f, 1.0f, 0.0f)
        .trasladar(-1.8f, 0.0f, -0.55f)
        .trasladar(1.0f, 0.0f, 0.6f);
    return en(c, CABEZA);
}

}  // namespace

bool actorPorNombre(const std::string& nombre, Actor& actor)
{
    for (const auto& n : NOMBRES)
        if (nombre == n.nombre) {
            actor = n.actor;
            return true;
        }
    return false;
}

std::vector<std::string> nombresDeActores()
{
    std::vector<std::string> nombres;
    for (const auto& n : NOMBRES)
        nombres.push_back(n.nombre);
    return nombres;
}

std::string listaDeActores()
{
    std::string lista;
    for (const auto& n : NOMBRES)
        lista += (lista.empty() ? "" : ", ") + std::string(n.nombre);
    return lista;
}

PuntoMundo posicionActor(Actor actor)
{
    switch (actor) {
    case Actor::Tostadora: {
        Colocacion c = mundo();
        c.trasladar(xtostadora + SALIDA_TOSTADORA_X, ytostadora, CARRIL_TOSTADORA_Z);
        return en(c, CUERPO_TOSTADORA);
    }
    case Actor::Balon:
        return posicionBalon();
    case Actor::Tren:
        return en(espacioTren(), MITAD_TREN);
    case Actor::Coche:
        return en(espacioCoche(), CUERPO_COCHE);
    case Actor::Grua:
        return en(espacioGrua(), CHASIS_GRUA);
    case Actor::Personaje:
        return cabezaPersonaje();
    case Actor::Campo:
        return en(enLugar(LUGAR_CAMPO), CENTRO_CAMPO);
    case Actor::PasoANivel:
        return en(enLugar(LUGAR_PASO_A_NIVEL), PASO_A_NIVEL);
    case Actor::Looping:
        return en(mundo(), CENTRO_LOOPING);
    case Actor::Isla:
        return enLugar(LUGAR_ISLA).punto(LADO_ISLA / 2.0, ALTO_ISLA, LADO_ISLA / 2.0);
    case Actor::Puente:
        return en(mundo(), CUBIERTA_PUENTE);
    case Actor::Estacion:
        return en(mundo(), ANDEN);
    }
    return {};
}
