// Where the things of the story are: for each actor that moves (the toaster, the
// ball, the train, the car, the crane, the character) and each fixed place (the
// pitch, the crossing, the looping, the island, ...), one world point, computed
// from the scene state as the composition places and draws it. A camera path can
// look at these points or travel with them. Reads the scene state only.
#pragma once

#include "scene/placement.h"

#include <string>
#include <vector>

enum class Actor {
    Tostadora,   // "toaster":   the middle of its body
    Balon,       // "ball":      the ball's centre, wherever it is drawn (also while in the train)
    Tren,        // "train":     the middle of the two-car train, nose to nose and floor to roof
    Coche,       // "car":       the middle of the car's body, on the road, in the air, falling, held or on the bed
    Grua,        // "crane":     the middle of the crane's chassis
    Personaje,   // "character": the centre of the character's head, on the sofa
    Campo,       // "pitch":     the centre spot of the football pitch
    PasoANivel,  // "crossing":  on the road's surface at the track's centre line, halfway across the road
    Looping,     // "looping":   on the looping's axis, halfway along the ribbon
    Isla,        // "island":    the middle of the island's top
    Puente,      // "bridge":    the middle of the top of the bridge's deck
    Estacion,    // "station":   the middle of the platform's top
};

// The actor a shot list names ("toaster", "train", ...); false for an unknown name.
bool actorPorNombre(const std::string& nombre, Actor& actor);
// Every name, in the order above.
std::vector<std::string> nombresDeActores();
// Every name, comma-separated, for messages and help: "toaster, ball, ...".
std::string listaDeActores();

// Where the actor is in the current scene state: the point the composition draws
// it at, after the timeline's step for the frame (fotograma already advanced), in
// the world turned by rota_escena. An actor not drawn at the moment answers where
// it would be: the hidden ball where it appears, the crane (and the car it holds)
// where it stands on the island before it is shown.
PuntoMundo posicionActor(Actor actor);
