// Where the things of the story are: each actor's point carried through the
// very placements the drawing gives its model (the composition's, the island's,
// the crane's, the train's, ...), followed in a matrix instead of GL's, to the
// point of the model that a camera aims at, which the model's header gives.
#include "scene/actors.h"

#include "app/scene_state.h"
#include "models/landscape/bridge.h"
#include "models/landscape/ground_sea_river.h"
#include "models/landscape/road_looping.h"
#include "models/landscape/skyscraper_island.h"
#include "models/railway_town/station.h"
#include "models/railway_town/train.h"
#include "models/sports_vehicles/car.h"
#include "models/sports_vehicles/crane.h"
#include "models/sports_vehicles/crane_arm.h"
#include "models/sports_vehicles/football_pitch.h"
#include "models/sports_vehicles/sofa_character.h"
#include "scene/composition.h"
#include "scene/toaster.h"

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

// The world frame: the whole world turned by rota_escena quarter turns.
Seguimiento mundo()
{
    Seguimiento s;
    girarMundo(s);
    return s;
}

// The crane's space, on the island.
Seguimiento espacioGrua()
{
    Seguimiento s = mundo();
    colocarEn(s, LUGAR_ISLA);
    colocarGrua(s);
    return s;
}

// The car's space: placed by the composition on the road, in the air, falling
// and lying by the island (estado_coche 0 to 2), hanging from the crane's grip (3)
// or riding on its bed (4).
Seguimiento espacioCoche()
{
    if (estado_coche == 3) {
        Seguimiento s = espacioGrua();
        colocarBrazo(s);
        colocarBrazoHasta(s, TramoBrazo::TercerEslabon);
        colgarCoche(s);
        return s;
    }
    if (estado_coche == 4) {
        Seguimiento s = espacioGrua();
        colocarCaja(s);
        colocarCocheEnCaja(s);
        return s;
    }
    Seguimiento s = mundo();
    colocarCoche(s);
    return s;
}

// The ball: in the train while it rides there, otherwise where the composition
// places it free (also while it is hidden: where it will appear).
PuntoMundo posicionBalon()
{
    Seguimiento s = mundo();
    if (estado_balon == 1) {
        colocarTren(s);
        colocarBalonEnTren(s);
    } else {
        colocarBalon(s);
    }
    return s.origen();
}

PuntoMundo cabezaPersonaje()
{
    Seguimiento s = mundo();
    colocarEn(s, LUGAR_SOFA);
    girarSofa(s);
    colocarPersonaje(s);
    colocarCabeza(s);
    return s.origen();
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
    Seguimiento s = mundo();
    switch (actor) {
    case Actor::Tostadora:
        colocarTostadora(s);
        return s.punto(MITAD_TOSTADORA);
    case Actor::Balon:
        return posicionBalon();
    case Actor::Tren:
        colocarTren(s);
        return s.punto(MITAD_TREN);
    case Actor::Coche:
        return espacioCoche().punto(MITAD_COCHE);
    case Actor::Grua:
        return espacioGrua().punto(MITAD_CHASIS_GRUA);
    case Actor::Personaje:
        return cabezaPersonaje();
    case Actor::Campo:
        colocarEn(s, LUGAR_CAMPO);
        return s.punto(CENTRO_CAMPO);
    case Actor::PasoANivel:
        // On the road's surface, halfway across it, where the track's centre line
        // (the world's x = 0) crosses it.
        return s.punto({0.0, ALTO_CARRETERA, Z_CARRETERA + ANCHO_CARRETERA / 2.0});
    case Actor::Looping:
        colocarLooping(s);
        return s.punto(MITAD_LOOPING);
    case Actor::Isla:
        colocarEn(s, LUGAR_ISLA);
        return s.punto(CIMA_ISLA);
    case Actor::Puente:
        colocarPuente(s);
        return s.punto(CIMA_TABLERO);
    case Actor::Estacion:
        colocarAnden(s);
        return s.punto(CIMA_ANDEN);
    }
    return {};
}
