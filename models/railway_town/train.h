// The two-car train: seats, cars, driving cabins, the accordion gangway, the
// pantograph, the whole train on the track, and the ball it carries.
#pragma once

#include "scene/placement.h"

// The train's extent in train space.
constexpr float Z_CABINA_TRASERA   = -0.5f;   // where the -z cabin closes the first car
constexpr float Z_CABINA_DELANTERA = 36.5f;   // where the +z cabin closes the second car
constexpr float FONDO_MORRO        = 1.951f;  // how far a cabin's nose stands out of its car
constexpr float Y_SUELO_TREN       = 3.0f;    // the floor slab's underside, the cabins' base
constexpr float Y_TECHO_TREN       = 7.2f;    // the roof's underside
constexpr float GRUESO_TECHO_TREN  = 0.2f;
// The middle of the train in train space: nose to nose, floor to roof top.
constexpr PuntoModelo MITAD_TREN = {
    0.0,
    (static_cast<double>(Y_SUELO_TREN) + Y_TECHO_TREN + GRUESO_TECHO_TREN) / 2.0,
    (static_cast<double>(Z_CABINA_TRASERA) - FONDO_MORRO + Z_CABINA_DELANTERA + FONDO_MORRO) / 2.0,
};

// The side profile of a double seat (two seats back to back) in the plane x = 0.
void perfilAsiento();
// One double seat, 1 wide, 0.75 high, 1 long, corner at the origin.
void asiento();
// The eight seats of a car, two rows beside a 1-wide aisle, in car space.
void asientosVagon();
// One car in car space: three bogies, floor, both sides, seats, roof.
// Leaves the colour blue.
void vagon();
// One faceted cabin nose of five panels toward -z; origin at the middle of the
// car's end face at floor-slab level. In the current colour.
void cabina();
// One mitred strip of a gangway ring, 4 long, tilted 45 degrees about its length.
void segmentoAnillo();
// One square gangway ring, 4 by 4, around (0, 5.2) in the plane z = 0.
void AnilloAcordeon();
// The white gangway between the cars: two crossed sets of seven rings.
void acordeon();
// The pantograph on a car's roof, in car space, in the current colour.
void antena();
// The ball: a wire sphere of radius 0.2 centred on the origin, in the current colour.
void balon();
// The whole train, moved along +z by recorridoTren(), with the ball riding in
// the second car while estado_balon is 1. Leaves the colour blue.
void tren();
// How far the train has travelled along +z from its place at the station:
// angulo_tren x 0.02 world units.
float recorridoTren();
// Train space, from the world frame: the track's space moved along by the travel.
void colocarTren(Colocacion& c);
// The ball riding in the second car (estado_balon 1), on its floor in the aisle,
// from train space.
void colocarBalonEnTren(Colocacion& c);
